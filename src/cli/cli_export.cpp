#include "cli_commands.h"

#include "cli_messages.h"
#include "cli_options.h"
#include "cli_support.h"
#include "terminal_progress.h"

#include "base/home.h"
#include "csv/csv_reader.h"
#include "export/category_export.h"
#include "export/export_file_list.h"
#include "export/picture_export.h"
#include "import/single_import.h"
#include "store/category_store.h"
#include "store/data_module.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {



// --to tb4|tb5|paipai|generic: the export format codes 1 to 4.
int formatOf(const QString &to, bool allowGeneric = true)
{
    if (to == QLatin1String("tb4"))
        return FormatTaobao4;
    if (to == QLatin1String("tb5"))
        return FormatTaobao5;
    if (to == QLatin1String("paipai"))
        return FormatPaipai;
    if (allowGeneric && to == QLatin1String("generic"))
        return FormatYoua;
    return -1;
}

int reportExport(const CliContext &context, const ExportResult &result)
{
    switch (result.status) {
    case ExportResult::Succeeded:
        context.out << QDir::toNativeSeparators(result.csvPath) << Qt::endl;
        return ExitOk;
    case ExportResult::Cancelled:
        context.err << QStringLiteral("文件已存在：") << QDir::toNativeSeparators(result.csvPath)
                    << QStringLiteral("（用 --existing overwrite 或 merge 处理已有文件）") << Qt::endl;
        return ExitFailure;
    case ExportResult::Failed:
        break;
    }
    context.err << result.error << Qt::endl;
    return ExitFailure;
}

} // namespace

int runExport(const CliContext &context, const QStringList &args)
{
    const QString synopsis = QStringLiteral(
        "export CID --to tb4|tb5|paipai|generic -o FILE [--ticked] [--pictures same|images|none] "
        "[--existing overwrite|merge|fail]");
    CliOptions options;
    if (!options.parse(args, {QStringLiteral("to"), QStringLiteral("o"), QStringLiteral("pictures"),
                              QStringLiteral("existing")},
                       {QStringLiteral("ticked")}))
        return usage(context, options.error, synopsis);
    bool ok = false;
    const qint64 cID = options.positional.value(0).toLongLong(&ok);
    if (options.positional.size() != 1 || !ok || !options.has(QStringLiteral("o")))
        return usage(context, QString(), synopsis);

    ExportOptions job;
    job.cID = cID;
    job.format = formatOf(options.value(QStringLiteral("to")));
    if (job.format < 0)
        return usage(context, QStringLiteral("--to 只能是 tb4、tb5、paipai 或 generic"), synopsis);
    job.file = QFileInfo(options.value(QStringLiteral("o"))).absoluteFilePath();
    job.range = options.has(QStringLiteral("ticked")) ? 1 : 0;
    const QString pictures = options.value(QStringLiteral("pictures"), QStringLiteral("none"));
    const int pictureChoice = options.choice(
        QStringLiteral("pictures"), {QStringLiteral("same"), QStringLiteral("images"), QStringLiteral("none")},
        QStringLiteral("none"));
    if (pictureChoice < 0)
        return usage(context, QStringLiteral("--pictures 只能是 same、images 或 none"), synopsis);
    job.pictureMode = pictureChoice == 1 ? PictureFolderImages : PictureFolderSameName;
    job.exportPictures = pictures != QLatin1String("none");
    // Paipai pictures and descriptions go where the Paipai assistant looks: the folder named like the file.
    if (job.format == FormatPaipai)
        job.pictureMode = PictureFolderSameName;
    const int existing = options.choice(
        QStringLiteral("existing"), {QStringLiteral("overwrite"), QStringLiteral("merge"), QStringLiteral("fail")},
        QStringLiteral("fail"));
    if (existing < 0)
        return usage(context, QStringLiteral("--existing 只能是 overwrite、merge 或 fail"), synopsis);
    job.existing = existing == 0 ? ExistingFilePolicy::Overwrite
        : existing == 1          ? ExistingFilePolicy::Merge
                                 : ExistingFilePolicy::Fail;

    TDm dm;
    if (!openStore(context, context.home, dm))
        return ExitFailure;
    CliMessages messages(context.err, OverwriteAnswer::Cancel);
    TerminalProgress progress(QStringLiteral("导出"));
    return reportExport(context, ExportSingleCategory(dm, context.home, job, &messages, &progress));
}

int runExportTree(const CliContext &context, const QStringList &args)
{
    const QString synopsis = QStringLiteral(
        "export-tree CID[,CID...] --to tb4|tb5|paipai|generic -o DIR [--range all|main|sub] [--prefix P] "
        "[--suffix S] [--pictures same|images|none|DIR] [--existing overwrite|merge|ignore|fail]");
    CliOptions options;
    if (!options.parse(args,
                       {QStringLiteral("to"), QStringLiteral("o"), QStringLiteral("range"), QStringLiteral("prefix"),
                        QStringLiteral("suffix"), QStringLiteral("pictures"), QStringLiteral("existing")},
                       {}))
        return usage(context, options.error, synopsis);
    if (options.positional.size() != 1 || !options.has(QStringLiteral("o")))
        return usage(context, QString(), synopsis);
    QList<qint64> chosen;
    for (const QString &part : options.positional.first().split(QLatin1Char(','))) {
        bool ok = false;
        chosen << part.toLongLong(&ok);
        if (!ok)
            return usage(context, QStringLiteral("分类编号无效：") + part, synopsis);
    }
    const int format = formatOf(options.value(QStringLiteral("to")));
    if (format < 0)
        return usage(context, QStringLiteral("--to 只能是 tb4、tb5、paipai 或 generic"), synopsis);

    ExportTreeOptions tree;
    tree.exportFolder = QFileInfo(options.value(QStringLiteral("o"))).absoluteFilePath();
    tree.range = options.choice(QStringLiteral("range"),
                                {QStringLiteral("all"), QStringLiteral("main"), QStringLiteral("sub")},
                                QStringLiteral("all"));
    if (tree.range < 0)
        return usage(context, QStringLiteral("--range 只能是 all、main 或 sub"), synopsis);
    tree.prefix = options.value(QStringLiteral("prefix"));
    tree.suffix = options.value(QStringLiteral("suffix"), QStringLiteral("_子目录"));
    const QString pictures = options.value(QStringLiteral("pictures"), QStringLiteral("same"));
    tree.exportPictures = pictures != QLatin1String("none");
    if (pictures == QLatin1String("same") || pictures == QLatin1String("none"))
        tree.pictureMode = PictureFolderSameName;
    else if (pictures == QLatin1String("images"))
        tree.pictureMode = PictureFolderImages;
    else {
        tree.pictureMode = PictureFolderGiven;
        tree.givenPictureDir = QFileInfo(pictures).absoluteFilePath();
    }
    if (format == FormatPaipai)
        tree.pictureMode = PictureFolderSameName;
    const int existing = options.choice(QStringLiteral("existing"),
                                        {QStringLiteral("overwrite"), QStringLiteral("merge"), QStringLiteral("ignore"),
                                         QStringLiteral("fail")},
                                        QStringLiteral("fail"));
    if (existing < 0)
        return usage(context, QStringLiteral("--existing 只能是 overwrite、merge、ignore 或 fail"), synopsis);
    const OverwriteAnswer answer = QList<OverwriteAnswer>{OverwriteAnswer::OverwriteAll, OverwriteAnswer::MergeAll,
                                                          OverwriteAnswer::IgnoreAll, OverwriteAnswer::Cancel}[existing];

    TDm dm;
    if (!openStore(context, context.home, dm))
        return ExitFailure;
    QString error;
    if (!BuildExportFileList(dm, tree, chosen, error)) {
        context.err << error << Qt::endl;
        return ExitFailure;
    }
    CliMessages messages(context.err, answer);
    TerminalProgress files(QStringLiteral("文件"));
    NullProgress rows;
    const ExportRunResult result = ExportFileList(dm, context.home, format, messages, {&files, &rows});
    switch (result.status) {
    case ExportRunResult::Succeeded:
        context.out << QStringLiteral("%1\t%2").arg(result.written).arg(result.skipped) << Qt::endl;
        return ExitOk;
    case ExportRunResult::NothingToExport:
        context.err << NothingToExportText() << Qt::endl;
        return ExitFailure;
    case ExportRunResult::Cancelled:
        context.err << QStringLiteral("导出已取消：目标文件已存在（用 --existing 选择处理方式）") << Qt::endl;
        return ExitFailure;
    case ExportRunResult::Failed:
    case ExportRunResult::Stopped:
        break;
    }
    context.err << (result.error.isEmpty() ? QStringLiteral("导出失败") : result.error) << Qt::endl;
    return ExitFailure;
}

int runConvert(const CliContext &context, const QStringList &args, bool homeGiven)
{
    const QString synopsis = QStringLiteral(
        "convert FILE --to tb4|tb5|paipai -o OUT [--from taobao|paipai] [--pictures DIR]");
    CliOptions options;
    if (!options.parse(args, {QStringLiteral("to"), QStringLiteral("o"), QStringLiteral("from"),
                              QStringLiteral("pictures")},
                       {}))
        return usage(context, options.error, synopsis);
    if (options.positional.size() != 1 || !options.has(QStringLiteral("o")))
        return usage(context, QString(), synopsis);
    const int format = formatOf(options.value(QStringLiteral("to")), false);
    if (format < 0)
        return usage(context, QStringLiteral("--to 只能是 tb4、tb5 或 paipai"), synopsis);

    SingleImportOptions import;
    import.filePath = QFileInfo(options.positional.first()).absoluteFilePath();
    const QString from = options.value(QStringLiteral("from"));
    if (from == QLatin1String("taobao"))
        import.formatCode = FormatTaobao4;
    else if (from == QLatin1String("paipai"))
        import.formatCode = FormatPaipai;
    else if (from.isEmpty())
        import.formatCode = qMax(1, DetectFormatOfFile(import.filePath));
    else
        return usage(context, QStringLiteral("--from 只能是 taobao 或 paipai"), synopsis);
    if (options.has(QStringLiteral("pictures"))) {
        import.importPictures = true;
        import.pictureDir = QFileInfo(options.value(QStringLiteral("pictures"))).absoluteFilePath();
    }

    // Without --home the work happens in a temporary home that goes away afterwards.
    QTemporaryDir scratch;
    if (!homeGiven && !scratch.isValid()) {
        context.err << QStringLiteral("无法创建临时目录：") << scratch.errorString() << Qt::endl;
        return ExitFailure;
    }
    const Home home = homeGiven ? context.home : Home(scratch.path());
    TDm dm;
    if (!openStore(context, home, dm))
        return ExitFailure;
    qint64 category = 0;
    QString error;
    {
        TerminalProgress progress(QStringLiteral("导入"));
        if (!ImportOneFile(dm, home, import, &progress, category, error)) {
            context.err << error << Qt::endl;
            return ExitFailure;
        }
    }
    ExportOptions job;
    job.format = format;
    job.cID = category;
    job.file = QFileInfo(options.value(QStringLiteral("o"))).absoluteFilePath();
    job.exportPictures = import.importPictures;
    job.pictureMode = PictureFolderSameName;
    job.existing = ExistingFilePolicy::Overwrite;
    CliMessages messages(context.err, OverwriteAnswer::Overwrite);
    TerminalProgress progress(QStringLiteral("导出"));
    return reportExport(context, ExportSingleCategory(dm, home, job, &messages, &progress));
}

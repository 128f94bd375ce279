#include "cli_commands.h"

#include "cli_options.h"
#include "cli_support.h"
#include "terminal_progress.h"

#include "base/home.h"
#include "csv/csv_reader.h"
#include "import/directory_import.h"
#include "import/single_import.h"
#include "store/category_store.h"
#include "store/data_module.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {



// --from taobao|paipai; without it, the layout the file's header shows.
bool formatOption(const CliOptions &options, const QString &file, int &formatCode, QString &problem)
{
    const QString from = options.value(QStringLiteral("from"));
    if (from == QLatin1String("taobao"))
        formatCode = 1;
    else if (from == QLatin1String("paipai"))
        formatCode = 3;
    else if (from.isEmpty())
        formatCode = qMax(1, DetectFormatOfFile(file));
    else {
        problem = QStringLiteral("--from 只能是 taobao 或 paipai");
        return false;
    }
    return true;
}

// --into CID [--rename]: an existing category as the target.
bool targetOption(const CliContext &context, TDm &dm, const CliOptions &options, ImportTarget &target)
{
    if (!options.has(QStringLiteral("into")))
        return true;
    bool ok = false;
    const qint64 id = options.value(QStringLiteral("into")).toLongLong(&ok);
    CategoryRow row;
    if (!ok || !ReadCategory(dm, id, row)) {
        context.err << QStringLiteral("分类不存在：") << options.value(QStringLiteral("into")) << Qt::endl;
        return false;
    }
    target.useExisting = true;
    target.existingId = id;
    target.existingName = row.cName;
    target.rename = options.has(QStringLiteral("rename"));
    return true;
}

} // namespace

int runCategories(const CliContext &context, const QStringList &args)
{
    if (!args.isEmpty())
        return usage(context, QString(), QStringLiteral("categories"));
    TDm dm;
    if (!openStore(context, context.home, dm))
        return ExitFailure;
    try {
        QSqlQuery &q = dm.exec(QStringLiteral(
            "select c.cID, c.pID, c.isVisible, (select count(*) from BaseData b where b.cID = c.cID), "
            "c.cName, c.cImPath from Category c order by c.cID"));
        while (q.next()) {
            const QString visible = q.value(2).toInt() != 0 ? QStringLiteral("1") : QStringLiteral("0");
            context.out << q.value(0).toLongLong() << '\t' << q.value(1).toLongLong() << '\t' << visible << '\t'
                        << q.value(3).toLongLong() << '\t' << q.value(4).toString() << '\t' << q.value(5).toString()
                        << '\n';
        }
        q.finish();
    } catch (const StoreError &e) {
        context.err << e.message() << Qt::endl;
        return ExitFailure;
    }
    context.out.flush();
    return ExitOk;
}

int runImport(const CliContext &context, const QStringList &args)
{
    const QString synopsis = QStringLiteral(
        "import FILE [--from taobao|paipai] [--pictures DIR] [--into CID [--rename]]");
    CliOptions options;
    if (!options.parse(args, {QStringLiteral("from"), QStringLiteral("pictures"), QStringLiteral("into")},
                       {QStringLiteral("rename")}))
        return usage(context, options.error, synopsis);
    if (options.positional.size() != 1)
        return usage(context, QString(), synopsis);
    if (options.has(QStringLiteral("rename")) && !options.has(QStringLiteral("into")))
        return usage(context, QStringLiteral("--rename 需要与 --into 一起使用"), synopsis);

    SingleImportOptions import;
    import.filePath = QFileInfo(options.positional.first()).absoluteFilePath();
    QString problem;
    if (!formatOption(options, import.filePath, import.formatCode, problem))
        return usage(context, problem, synopsis);
    if (options.has(QStringLiteral("pictures"))) {
        import.importPictures = true;
        import.pictureDir = QFileInfo(options.value(QStringLiteral("pictures"))).absoluteFilePath();
    }
    TDm dm;
    if (!openStore(context, context.home, dm) || !targetOption(context, dm, options, import.target))
        return ExitFailure;

    TerminalProgress progress(QStringLiteral("导入"));
    qint64 target = 0;
    QString error;
    if (!ImportOneFile(dm, context.home, import, &progress, target, error)) {
        context.err << error << Qt::endl;
        return ExitFailure;
    }
    context.out << target << Qt::endl;
    return ExitOk;
}

int runImportDir(const CliContext &context, const QStringList &args)
{
    const QString synopsis = QStringLiteral(
        "import-dir DIR [--from taobao|paipai] [--range all|main|sub] [--prefix P] [--suffix S] "
        "[--pictures same|images|none|DIR] [--into CID [--rename]]");
    CliOptions options;
    if (!options.parse(args,
                       {QStringLiteral("from"), QStringLiteral("range"), QStringLiteral("prefix"),
                        QStringLiteral("suffix"), QStringLiteral("pictures"), QStringLiteral("into")},
                       {QStringLiteral("rename")}))
        return usage(context, options.error, synopsis);
    if (options.positional.size() != 1)
        return usage(context, QString(), synopsis);

    FolderQueryOptions query;
    query.folder = QFileInfo(options.positional.first()).absoluteFilePath();
    const QString from = options.value(QStringLiteral("from"), QStringLiteral("taobao"));
    if (from != QLatin1String("taobao") && from != QLatin1String("paipai"))
        return usage(context, QStringLiteral("--from 只能是 taobao 或 paipai"), synopsis);
    int formatCode = from == QLatin1String("paipai") ? 3 : 1;
    const int range = options.choice(QStringLiteral("range"),
                                     {QStringLiteral("all"), QStringLiteral("main"), QStringLiteral("sub")},
                                     QStringLiteral("all"));
    if (range < 0)
        return usage(context, QStringLiteral("--range 只能是 all、main 或 sub"), synopsis);
    query.range = FolderRange(range);
    query.prefix = options.value(QStringLiteral("prefix"));
    query.suffix = options.value(QStringLiteral("suffix"), QStringLiteral("_子目录"));
    const QString pictures = options.value(QStringLiteral("pictures"), QStringLiteral("same"));
    query.importPictures = pictures != QLatin1String("none");
    if (pictures == QLatin1String("same") || pictures == QLatin1String("none"))
        query.pictureMode = PictureFolderMode::SameName;
    else if (pictures == QLatin1String("images"))
        query.pictureMode = PictureFolderMode::Images;
    else {
        query.pictureMode = PictureFolderMode::Given;
        query.givenPictureDir = QFileInfo(pictures).absoluteFilePath();
    }
    if (options.has(QStringLiteral("rename")) && !options.has(QStringLiteral("into")))
        return usage(context, QStringLiteral("--rename 需要与 --into 一起使用"), synopsis);

    TDm dm;
    if (!openStore(context, context.home, dm) || !targetOption(context, dm, options, query.target))
        return ExitFailure;
    qint64 top = 0;
    QString error;
    if (!QueryImportFiles(dm, query, top, error)) {
        context.err << error << Qt::endl;
        return ExitFailure;
    }
    TerminalProgress files(QStringLiteral("文件"));
    NullProgress records;
    if (!ImportFileList(dm, context.home, top, formatCode, &files, &records, error)) {
        context.err << error << Qt::endl;
        return ExitFailure;
    }
    context.out << top << Qt::endl;
    return ExitOk;
}

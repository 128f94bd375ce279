#include "directory_import.h"

#include "file_step.h"

#include "base/progress_sink.h"
#include "store/category_store.h"
#include "store/data_module.h"
#include "store/item_queries.h"
#include "store/item_tables.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>

namespace {

struct Walker
{
    TDm &dm;
    const FolderQueryOptions &options;
    QSet<QString> visitedFolders; // canonical paths: a symbolic-link loop must end

    void walk(const QString &folder, int depth, qint64 parentId, const QString &parentName)
    {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || visitedFolders.contains(canonical))
            return;
        visitedFolders.insert(canonical);
        QDir dir(folder);
        if (!dir.exists() || !dir.isReadable())
            throw StoreError(QStringLiteral("无法读取目录：") + QDir::toNativeSeparators(folder));
        const QFileInfoList entries = dir.entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo &entry : entries) {
            if (entry.isDir() && options.range != FolderRange::MainOnly)
                enterFolder(folder, entry, depth, parentId);
            else if (entry.isFile())
                takeFile(folder, entry, depth, parentId, parentName);
        }
    }

    void enterFolder(const QString &folder, const QFileInfo &entry, int depth, qint64 parentId)
    {
        const QString name = entry.fileName();
        if (!options.prefix.isEmpty() && !name.startsWith(options.prefix))
            return;
        if (!options.suffix.isEmpty() && !name.endsWith(options.suffix))
            return;
        QString sub = name.mid(options.prefix.size());
        sub.chop(options.suffix.size());
        if (sub.isEmpty())
            return; // a folder named only by the prefix and suffix names no category
        const QString base = folder + QLatin1Char('/') + sub;
        qint64 id = FindCategoryByPath(dm, base);
        if (id < 0)
            id = FindCategoryByPath(dm, base + QStringLiteral(".csv"));
        if (id < 0)
            id = InsertCategory(dm, sub, base, parentId, 1, false);
        walk(folder + QLatin1Char('/') + name, depth + 1, id, sub);
    }

    void takeFile(const QString &folder, const QFileInfo &entry, int depth, qint64 parentId,
                  const QString &parentName)
    {
        const bool levelTaken = (options.range != FolderRange::SubOnly && depth == 0)
            || (options.range != FolderRange::MainOnly && depth >= 1);
        if (!levelTaken || entry.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0)
            return;
        const QString name = entry.fileName();
        const QString stem = entry.completeBaseName();
        QString pictures;
        switch (options.pictureMode) {
        case PictureFolderMode::SameName:
            pictures = folder + QLatin1Char('/') + stem;
            QDir().mkpath(pictures);
            break;
        case PictureFolderMode::Images:
            pictures = folder + QStringLiteral("/images");
            break;
        case PictureFolderMode::Given:
            pictures = options.givenPictureDir;
            break;
        }
        const QString filePath = folder + QLatin1Char('/') + name;
        qint64 id = FindCategoryByPath(dm, folder + QLatin1Char('/') + stem);
        if (id >= 0)
            UpdateCategory(dm, id, stem, filePath, 1);
        else
            id = InsertCategory(dm, stem, filePath, parentId, 1, false);
        QString error;
        if (!AddImportFile(dm, filePath, pictures, stem, parentName, QString::number(id), options.importPictures,
                           error))
            throw StoreError(error);
    }
};

} // namespace

bool QueryImportFiles(TDm &dm, const FolderQueryOptions &input, qint64 &topTarget, QString &error)
{
    FolderQueryOptions options = input;
    options.folder = QDir::cleanPath(options.folder.trimmed());
    options.prefix = options.prefix.trimmed();
    options.suffix = options.suffix.trimmed();
    options.givenPictureDir = options.givenPictureDir.trimmed();
    if (!QFileInfo(options.folder).isDir()) {
        error = QStringLiteral("目录不存在：") + QDir::toNativeSeparators(options.folder);
        return false;
    }
    try {
        const QString name = CategoryNameOfPath(options.folder, false);
        topTarget = SettleImportTarget(dm, options.target, name, options.folder);
        if (!ClearImportFiles(dm, error))
            return false;
        dm.beginWork();
        Walker walker{dm, options, {}};
        walker.walk(options.folder, 0, topTarget, options.target.useExisting && !options.target.rename
                                                       ? options.target.existingName
                                                       : name);
        return dm.commitWork(&error);
    } catch (const StoreError &e) {
        // rows listed before the failure stay in ImFile
        dm.commitWork();
        error = e.message();
        return false;
    }
}

namespace {

struct ImportRow
{
    QString filePath;
    bool pictures = false;
    QString pictureDir;
    qint64 cID = 0;
};

QList<ImportRow> readImportRows(TDm &dm)
{
    QList<ImportRow> rows;
    QSqlQuery &q = dm.exec(QStringLiteral("Select 文件路径,导入图片,图片路径,cID from Imfile order by id"));
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toInt() != 0, q.value(2).toString().trimmed(),
                     q.value(3).toLongLong()});
    q.finish();
    return rows;
}

} // namespace

bool ImportFileList(TDm &dm, const Home &home, qint64 topTarget, int &formatCode, ProgressSink *files,
                    ProgressSink *records, QString &error)
{
    QList<ImportRow> rows;
    try {
        rows = readImportRows(dm);
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
    if (rows.isEmpty()) {
        error = QStringLiteral("没有要导入的文件，请先查询导入文件！");
        return false;
    }
    const int startFormat = formatCode;
    bool anyTaobao5 = false;
    QList<qint64> categories;
    for (int i = 0; i < rows.size(); ++i) {
        const ImportRow &row = rows[i];
        if (files && files->isCancelled()) {
            error = QStringLiteral("用户取消了导入。");
            return false;
        }
        FileStepOptions step;
        step.filePath = row.filePath;
        step.targetId = row.cID;
        step.importPictures = row.pictures;
        step.pictureDir = row.pictureDir;
        int fileFormat = startFormat;
        if (!RunFileStep(dm, home, step, fileFormat, records, error))
            return false;
        anyTaobao5 = anyTaobao5 || fileFormat == FormatTaobao5;
        formatCode = fileFormat;
        categories << row.cID;
        if (files) {
            files->setProgress(i + 1, rows.size());
            files->setLabel(QStringLiteral("正在导入文件(当前/总数：%1/%2):%3")
                                .arg(i + 1)
                                .arg(rows.size())
                                .arg(QDir::toNativeSeparators(row.filePath)));
        }
    }
    // A run that mixes 4.x and 5.x files runs the 5.x conversion when any file was 5.x.
    if (anyTaobao5)
        formatCode = FormatTaobao5;
    if (topTarget > 0)
        return FinishImportRun(dm, topTarget, formatCode, error);
    return FinishImportCategories(dm, categories, formatCode, error);
}

#include "single_import.h"

#include "file_step.h"

#include "base/home.h"
#include "store/category_store.h"
#include "store/conversions.h"
#include "store/data_module.h"
#include "store/item_tables.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

QString CategoryNameOfPath(const QString &path, bool isFile)
{
    QString cleaned = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const QString name = cleaned.mid(cleaned.lastIndexOf(QLatin1Char('/')) + 1);
    if (!isFile)
        return name;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot <= 0 ? name : name.left(dot);
}

qint64 SettleImportTarget(TDm &dm, const ImportTarget &target, const QString &name, const QString &path)
{
    if (!target.useExisting)
        return InsertCategory(dm, name, path, 0, 1, false);
    UpdateCategory(dm, target.existingId, target.rename ? name : target.existingName, path, 1);
    return target.existingId;
}

namespace {

// Shows the run's categories and converts their rows as one unit of work: a category becomes
// visible together with its generic rows, or stays hidden with its native rows kept for a
// later run. formatCode changes only when the unit is committed.
bool showAndConvert(TDm &dm, const QString &list, int &formatCode, QString &error)
{
    int format = formatCode;
    const bool ok = RunConversionWork(dm, error, [&] {
        ShowCategories(dm, list);
        QString failure;
        if (format == FormatTaobao5) {
            if (!ConvertNewToOld(dm, list, failure))
                throw StoreError(failure);
            format = FormatTaobao4;
        }
        if (!ConvertToBase(dm, format, list, failure))
            throw StoreError(failure);
    });
    if (ok)
        formatCode = format;
    return ok;
}

} // namespace

bool FinishImportRun(TDm &dm, qint64 topTarget, int &formatCode, QString &error)
{
    try {
        return showAndConvert(dm, CategoryAndDescendants(dm, topTarget), formatCode, error);
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
}

bool FinishImportCategories(TDm &dm, const QList<qint64> &categories, int &formatCode, QString &error)
{
    try {
        QSet<qint64> all;
        QStringList ids;
        for (qint64 id : categories) {
            // the category, its descendants, and its ancestors so that it shows in the tree
            for (const QString &part : CategoryAndDescendants(dm, id).split(QLatin1Char(','))) {
                const qint64 member = part.toLongLong();
                if (!all.contains(member)) {
                    all.insert(member);
                    ids << part;
                }
            }
            CategoryRow row;
            qint64 parent = id;
            while (ReadCategory(dm, parent, row) && row.pID != 0 && !all.contains(row.pID)) {
                all.insert(row.pID);
                ids << QString::number(row.pID);
                parent = row.pID;
            }
        }
        if (ids.isEmpty())
            return true;
        return showAndConvert(dm, ids.join(QLatin1Char(',')), formatCode, error);
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
}

bool ImportOneFile(TDm &dm, const Home &home, SingleImportOptions &options, ProgressSink *progress,
                   qint64 &targetId, QString &error)
{
    options.filePath = options.filePath.trimmed();
    options.pictureDir = options.pictureDir.trimmed();
    try {
        targetId = SettleImportTarget(dm, options.target, CategoryNameOfPath(options.filePath, true),
                                      options.filePath);
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
    FileStepOptions step;
    step.filePath = options.filePath;
    step.targetId = targetId;
    step.importPictures = options.importPictures;
    step.pictureDir = options.pictureDir;
    if (!RunFileStep(dm, home, step, options.formatCode, progress, error))
        return false;
    return FinishImportRun(dm, targetId, options.formatCode, error);
}

#include "export_file_list.h"

#include "category_export.h"
#include "picture_export.h"

#include "base/home.h"
#include "base/message_sink.h"
#include "base/progress_sink.h"
#include "store/category_store.h"
#include "store/data_module.h"
#include "store/item_queries.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString joined(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

bool getsFile(int range, int level)
{
    return (range != 2 && level == 1) || (range != 1 && level > 1);
}

bool walk(TDm &dm, const ExportTreeOptions &options, const QString &folder, const QString &categoryName,
          const QString &parentName, qint64 cID, int level, QSet<qint64> &visited, QString &error)
{
    if (visited.contains(cID))
        return true; // a category that names its own descendant as parent is walked once
    visited.insert(cID);
    ++level;
    const QString name = SafeFileName(categoryName);
    try {
        if (getsFile(options.range, level) && NativeRowsExist(dm, 0, cID)) {
            QString pictureDir;
            PictureFolderFor(options.pictureMode, folder, options.givenPictureDir, name, true, pictureDir);
            const QString csv = joined(folder, name + options.extension);
            if (!AddExportFile(dm, QDir::toNativeSeparators(csv), QDir::toNativeSeparators(pictureDir), categoryName,
                               parentName, QString::number(cID), options.exportPictures, error))
                return false;
        }
        if (options.range == 1)
            return true;
        QList<CategoryChild> children;
        ChildCategories(dm, children, cID);
        const QString subFolder = level == 1 ? name : SafeFileName(options.prefix + categoryName + options.suffix);
        for (const CategoryChild &child : children)
            if (!walk(dm, options, joined(folder, subFolder), child.cName, categoryName, child.cID, level, visited,
                      error))
                return false;
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
    return true;
}

struct ExportFileRow
{
    QString path;
    bool pictures = false;
    QString pictureDir;
    QVariant cID;
};

QList<ExportFileRow> readExportFiles(TDm &dm)
{
    QList<ExportFileRow> rows;
    QSqlQuery &q = dm.exec(QStringLiteral("Select 文件路径,导出图片,图片路径,cID from Exfile order by id"));
    while (q.next())
        rows.append({q.value(0).toString().trimmed(), q.value(1).toInt() != 0, q.value(2).toString().trimmed(),
                     q.value(3)});
    q.finish();
    return rows;
}

ExportRunResult ended(ExportRunResult::Status status, const QString &error)
{
    ExportRunResult result;
    result.status = status;
    result.error = error;
    return result;
}

bool isAllAnswer(OverwriteAnswer a)
{
    return a == OverwriteAnswer::OverwriteAll || a == OverwriteAnswer::MergeAll || a == OverwriteAnswer::IgnoreAll;
}

bool isIgnore(OverwriteAnswer a)
{
    return a == OverwriteAnswer::Ignore || a == OverwriteAnswer::IgnoreAll;
}

bool isKnownAnswer(OverwriteAnswer a)
{
    return int(a) >= int(OverwriteAnswer::Overwrite) && int(a) <= int(OverwriteAnswer::IgnoreAll);
}

// A row edited to something that cannot be written: the reason, else empty.
QString rowProblem(const ExportFileRow &row, qint64 &cID)
{
    if (row.path.isEmpty())
        return QStringLiteral("文件路径为空");
    if (QFileInfo(row.path).isDir())
        return QStringLiteral("文件路径是一个目录：") + row.path;
    bool ok = false;
    cID = row.cID.toLongLong(&ok);
    if (row.cID.isNull() || !ok || cID <= 0)
        return QStringLiteral("无效的分类编号：") + row.cID.toString();
    return QString();
}

class ExportRun
{
public:
    ExportRun(TDm &dm, const Home &home, int format, MessageSink &messages, const ExportRunProgress &progress)
        : m_dm(dm), m_home(home), m_format(format), m_messages(messages), m_progress(progress)
    {
    }

    ExportRunResult run()
    {
        QList<ExportFileRow> rows;
        try {
            rows = readExportFiles(m_dm);
        } catch (const StoreError &e) {
            return ended(ExportRunResult::Failed, e.message());
        }
        if (rows.isEmpty())
            return ended(ExportRunResult::NothingToExport, NothingToExportText());
        m_result.firstPath = rows.first().path;
        QDir().mkpath(m_home.imagesDir());
        bool lastOk = true;
        for (int i = 0; i < rows.size(); ++i) {
            const Step step = exportRow(rows[i], lastOk);
            if (step == Step::End)
                return m_result;
            if (step == Step::Skip)
                continue;
            if (step == Step::Stop)
                break;
            showFileProgress(i + 1, rows.size(), rows[i].path);
        }
        if (!lastOk)
            m_result.status = ExportRunResult::Stopped;
        return m_result;
    }

private:
    enum class Step { Next, Skip, Stop, End };

    Step exportRow(const ExportFileRow &row, bool &lastOk)
    {
        qint64 cID = 0;
        const QString problem = rowProblem(row, cID);
        if (!problem.isEmpty())
            return failed(problem, lastOk);
        CategoryFileJob job;
        job.csvPath = row.path;
        job.fileExisted = QFileInfo::exists(row.path);
        if (job.fileExisted) {
            if (!isAllAnswer(m_answer))
                m_answer = m_messages.askOverwrite(ExistingExportFileQuestion(QDir::toNativeSeparators(row.path)));
            if (m_answer == OverwriteAnswer::Cancel || !isKnownAnswer(m_answer))
                return end(ExportRunResult::Cancelled, QString());
            if (isIgnore(m_answer)) {
                ++m_result.skipped;
                return Step::Skip;
            }
        }
        job.format = m_format;
        job.cID = cID;
        job.range = 0;
        job.exportPictures = row.pictures && !row.pictureDir.isEmpty();
        job.pictureDir = job.exportPictures ? row.pictureDir : QString();
        job.pictureSource = m_home.imagesDir();
        job.answer = m_answer;
        QString error;
        const WriteStatus status = WriteCategoryFile(m_dm, job, m_progress.rows, error);
        if (status == WriteStatus::FileError)
            return end(ExportRunResult::Failed, error);
        if (status == WriteStatus::Failed)
            return failed(error, lastOk);
        lastOk = true;
        ++m_result.written;
        return Step::Next;
    }

    Step failed(const QString &reason, bool &lastOk)
    {
        lastOk = false;
        m_result.error = reason;
        return m_messages.question(ExportFailedContinueQuestion(reason)) ? Step::Next : Step::Stop;
    }

    Step end(ExportRunResult::Status status, const QString &error)
    {
        m_result.status = status;
        m_result.error = error;
        return Step::End;
    }

    void showFileProgress(int number, int count, const QString &path)
    {
        if (!m_progress.files)
            return;
        m_progress.files->setProgress(number, count);
        m_progress.files->setLabel(QStringLiteral("正在导出文件(当前/总数：%1/%2):").arg(number).arg(count) + kCrLf
                                   + QDir::toNativeSeparators(path));
    }

    TDm &m_dm;
    const Home &m_home;
    int m_format;
    MessageSink &m_messages;
    ExportRunProgress m_progress;
    OverwriteAnswer m_answer = OverwriteAnswer::Overwrite;
    ExportRunResult m_result;
};

} // namespace

QString SafeFileName(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString safe = name.trimmed();
    for (QChar &c : safe)
        if (forbidden.contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        safe = QStringLiteral("_");
    return safe;
}

bool QueryExportFiles(TDm &dm, const ExportTreeOptions &options, const QString &folder, const QString &categoryName,
                      const QString &parentName, qint64 cID, int level, QString &error)
{
    QSet<qint64> visited;
    return walk(dm, options, folder, categoryName, parentName, cID, level, visited, error);
}

bool BuildExportFileList(TDm &dm, const ExportTreeOptions &options, const QList<qint64> &chosen, QString &error)
{
    QString reason;
    bool ok = ClearExportFiles(dm, reason);
    const QString folder = options.exportFolder.trimmed();
    for (int i = 0; ok && i < chosen.size(); ++i) {
        CategoryRow category;
        try {
            if (!ReadCategory(dm, chosen[i], category)) {
                reason = QStringLiteral("分类不存在：%1").arg(chosen[i]);
                ok = false;
                break;
            }
        } catch (const StoreError &e) {
            reason = e.message();
            ok = false;
            break;
        }
        ok = QueryExportFiles(dm, options, folder, category.cName, QString(), category.cID, 0, reason);
    }
    if (!ok)
        error = QStringLiteral("查询导出文件失败，原因：") + reason;
    return ok;
}

ExportRunResult ExportFileList(TDm &dm, const Home &home, int format, MessageSink &messages,
                               const ExportRunProgress &progress)
{
    return ExportRun(dm, home, format, messages, progress).run();
}

QString ExistingExportFileQuestion(const QString &path)
{
    return QStringLiteral("将要导出的文件：") + kCrLf + path + kCrLf + kCrLf
        + QStringLiteral("已经存在，导出时是否重写、合并还是忽略该文件？") + kCrLf + kCrLf
        + QStringLiteral("选择“全部”将对所有已存在的文件执行同样的操作。") + kCrLf + kCrLf
        + QStringLiteral("导出之前，建议将已存在的文件转移到其它位置或者重命名文件。");
}

QString ExportFailedContinueQuestion(const QString &reason)
{
    return QStringLiteral("导出失败，原因：") + reason + kCrLf + kCrLf + QStringLiteral("是否继续导出？") + kCrLf + kCrLf
        + kCrLf + QStringLiteral("请重试该功能，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock();
}

QString NothingToExportText()
{
    return QStringLiteral("当前没有CSV文件可导出，请先按上面的步骤操作，点击“查询导出文件”之后，表格里面有记录才可以导出！");
}

#include "category_export.h"

#include "export_layouts.h"
#include "native_rows.h"
#include "picture_export.h"
#include "row_writer.h"
#include "utf16_file_writer.h"

#include "base/home.h"
#include "base/progress_sink.h"
#include "store/data_module.h"
#include "store/item_queries.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isMerge(OverwriteAnswer answer)
{
    return answer == OverwriteAnswer::Merge || answer == OverwriteAnswer::MergeAll;
}

QString whereClause(const CategoryFileJob &job, QVariantList &values)
{
    QString where = QStringLiteral(" where 1= 1");
    if (job.cID != 0) {
        where += QStringLiteral(" and cID= ?");
        values << job.cID;
    }
    if (job.range == 1)
        where += QStringLiteral(" and 选择= -1");
    return where;
}

RowWriter::Settings rowSettings(const CategoryFileJob &job)
{
    RowWriter::Settings s;
    s.format = job.format;
    s.exportPictures = job.exportPictures && !job.pictureDir.isEmpty();
    s.pictureDir = job.pictureDir;
    s.pictureSource = job.pictureSource;
    // A Paipai description always travels with the file: beside the pictures, or in the
    // folder named like the CSV file, where the Paipai reader looks for bare names.
    const QFileInfo csv(job.csvPath);
    s.descriptionDir = s.exportPictures ? job.pictureDir : csv.absolutePath() + QLatin1Char('/') + csv.completeBaseName();
    return s;
}

// The file part of one export, after the native rows are in place.
class CategoryFileWriter
{
public:
    CategoryFileWriter(TDm &dm, const CategoryFileJob &job, ProgressSink *progress)
        : m_dm(dm), m_job(job), m_progress(progress), m_rows(rowSettings(job))
    {
    }

    WriteStatus run(QString &error)
    {
        if (!QDir().mkpath(QFileInfo(m_job.csvPath).absolutePath())) {
            error = QStringLiteral("创建目录失败");
            return WriteStatus::Failed;
        }
        QSqlQuery query(m_dm.Adc());
        qint64 total = 0;
        if (!select(query, total, error))
            return WriteStatus::Failed;
        if (total == 0) {
            error = QStringLiteral("没有数据可以导出，请重新选择！");
            return WriteStatus::Failed;
        }
        return write(query, total, error);
    }

private:
    bool select(QSqlQuery &query, qint64 &total, QString &error)
    {
        const TableDef &table = ItemTableOfFormat(m_job.format);
        QVariantList values;
        const QString where = whereClause(m_job, values);
        QSqlQuery count(m_dm.Adc());
        if (!execute(count, QStringLiteral("select count(*) from ") + table.name + where, values, error))
            return false;
        total = count.next() ? count.value(0).toLongLong() : 0;
        query.setForwardOnly(true);
        return execute(query,
                       QStringLiteral("select ") + m_rows.selectList() + QStringLiteral(" from ") + table.name + where
                           + QStringLiteral(" order by ") + table.key,
                       values, error);
    }

    static bool execute(QSqlQuery &query, const QString &sql, const QVariantList &values, QString &error)
    {
        if (query.prepare(sql)) {
            for (const QVariant &v : values)
                query.addBindValue(v);
            if (query.exec())
                return true;
        }
        error = query.lastError().text();
        return false;
    }

    WriteStatus write(QSqlQuery &query, qint64 total, QString &error)
    {
        Utf16FileWriter file;
        const bool merge = m_job.fileExisted && isMerge(m_job.answer);
        if (!file.open(m_job.csvPath, merge, error))
            return WriteStatus::FileError;
        if (file.isEmpty()) {
            file.writeMark();
            if (!file.write(ExportHeaderText(m_job.format, m_rows.fileColumns()), error))
                return WriteStatus::FileError;
        }
        QString line;
        qint64 position = 0;
        while (query.next()) {
            if (!m_rows.line(query, line, error) || !file.write(line, error))
                return WriteStatus::FileError;
            report(++position, total);
            if (m_progress && m_progress->isCancelled()) {
                error = QStringLiteral("导出已取消");
                file.close(error);
                return WriteStatus::Failed;
            }
        }
        query.finish();
        return file.close(error) ? WriteStatus::Written : WriteStatus::FileError;
    }

    void report(qint64 position, qint64 total)
    {
        if (!m_progress)
            return;
        m_progress->setProgress(position, total);
        m_progress->setLabel(QStringLiteral("当前/总数：%1/%2").arg(position).arg(total));
    }

    TDm &m_dm;
    const CategoryFileJob &m_job;
    ProgressSink *m_progress;
    RowWriter m_rows;
};

// Ends the export's transaction. The staging table of 5.x is emptied whatever happened;
// the native rows a conversion made are kept.
bool finishWork(TDm &dm, int format, QString &error)
{
    QString clearError;
    const bool cleared = format != FormatTaobao5 || ClearBabyNewData(dm, clearError);
    QString commitError;
    if (!dm.commitWork(&commitError)) {
        error = commitError;
        return false;
    }
    if (!cleared)
        error = clearError;
    return cleared;
}

} // namespace

WriteStatus WriteCategoryFile(TDm &dm, const CategoryFileJob &job, ProgressSink *progress, QString &error)
{
    if (job.format < FormatTaobao4 || job.format > FormatYoua) {
        error = QStringLiteral("不支持的导出格式：%1").arg(job.format);
        return WriteStatus::Failed;
    }
    if (!dm.beginWork(&error)) {
        dm.rollbackWork();
        return WriteStatus::Failed;
    }
    WriteStatus status = WriteStatus::Failed;
    if (PrepareNativeRows(dm, job.format, job.cID, error))
        status = CategoryFileWriter(dm, job, progress).run(error);
    QString finishError;
    if (!finishWork(dm, job.format, finishError) && status == WriteStatus::Written) {
        error = finishError;
        status = WriteStatus::Failed;
    }
    return status;
}

QString ExportCsvPath(const QString &typedName)
{
    const QString path = typedName.trimmed();
    return path.endsWith(QLatin1String(".csv")) ? path : path + QStringLiteral(".csv");
}

namespace {

// The answer for an existing file, or Cancel.
OverwriteAnswer answerForExisting(const ExportOptions &options, MessageSink *messages, QString &error)
{
    switch (options.existing) {
    case ExistingFilePolicy::Overwrite:
        return OverwriteAnswer::Overwrite;
    case ExistingFilePolicy::Merge:
        return OverwriteAnswer::Merge;
    case ExistingFilePolicy::Fail:
        error = QStringLiteral("文件已经存在：") + QDir::toNativeSeparators(ExportCsvPath(options.file));
        return OverwriteAnswer::Cancel;
    case ExistingFilePolicy::Ask:
        break;
    }
    const OverwriteAnswer answer = messages ? messages->askOverwrite(SingleExportExistsText()) : OverwriteAnswer::Cancel;
    switch (answer) {
    case OverwriteAnswer::Overwrite:
    case OverwriteAnswer::OverwriteAll:
        return OverwriteAnswer::Overwrite;
    case OverwriteAnswer::Merge:
    case OverwriteAnswer::MergeAll:
        return OverwriteAnswer::Merge;
    default:
        return OverwriteAnswer::Cancel;
    }
}

QString singlePictureDir(const ExportOptions &options, const QString &csvPath)
{
    if (!options.exportPictures)
        return QString();
    if (options.pictureMode == PictureFolderSameName)
        return PathWithoutExtension(csvPath);
    const QString dir = options.pictureMode == PictureFolderImages
        ? QFileInfo(csvPath).absolutePath() + QStringLiteral("/images")
        : options.givenPictureDir.trimmed();
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    return dir;
}

} // namespace

ExportResult ExportSingleCategory(TDm &dm, const Home &home, const ExportOptions &options, MessageSink *messages,
                                  ProgressSink *progress)
{
    ExportResult result;
    if (options.file.trimmed().isEmpty()) {
        result.error = QStringLiteral("请先输入导出文件完整路径！");
        return result;
    }
    CategoryFileJob job;
    job.csvPath = result.csvPath = ExportCsvPath(options.file);
    job.format = options.format;
    job.cID = options.cID;
    job.range = options.range;
    job.fileExisted = QFileInfo::exists(job.csvPath);
    if (job.fileExisted) {
        job.answer = answerForExisting(options, messages, result.error);
        if (job.answer == OverwriteAnswer::Cancel) {
            result.status = result.error.isEmpty() ? ExportResult::Cancelled : ExportResult::Failed;
            return result;
        }
    }
    job.exportPictures = options.exportPictures;
    job.pictureDir = singlePictureDir(options, job.csvPath);
    job.pictureSource = home.imagesDir();
    if (options.exportPictures)
        QDir().mkpath(job.pictureSource);
    const WriteStatus status = WriteCategoryFile(dm, job, progress, result.error);
    result.status = status == WriteStatus::Written ? ExportResult::Succeeded : ExportResult::Failed;
    return result;
}

QString SingleExportExistsText()
{
    return QStringLiteral("当前文件已经存在，导出将重写或者合并该文件！") + kCrLf
        + QStringLiteral("下载之前，建议将该文件转移到其它位置或者重命名该名件。") + kCrLf + kCrLf
        + QStringLiteral("选择“是”：将重写已有文件，该文件原有内容将丢失。") + kCrLf
        + QStringLiteral("选择“否”：将合并已有文件，数据将会追加到该文件末尾。") + kCrLf
        + QStringLiteral("选择“取消”：暂时退出不下载。");
}

QString ExportFailedText(const QString &reason)
{
    return QStringLiteral("导出失败，原因：") + reason + kCrLf + kCrLf + kCrLf
        + QStringLiteral("请重试该功能，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock();
}

QString ExportSucceededQuestion()
{
    return QStringLiteral("导出成功，是否打开查看导出文件？");
}

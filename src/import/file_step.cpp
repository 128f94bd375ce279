#include "file_step.h"

#include "description_store.h"
#include "description_writer.h"
#include "number_text.h"
#include "picture_import.h"

#include "base/file_names.h"
#include "base/home.h"
#include "base/progress_sink.h"
#include "csv/csv_reader.h"
#include "csv/shop_formats.h"
#include "store/data_module.h"
#include "store/item_tables.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

#include <deque>

namespace {

const QStringList kPictureColumns = {QStringLiteral("图片1"), QStringLiteral("图片2"), QStringLiteral("图片3"),
                                     QStringLiteral("图片4"), QStringLiteral("图片5")};

QString unquote(const QString &raw)
{
    int from = raw.startsWith(QLatin1Char('"')) ? 1 : 0;
    int to = raw.size();
    if (to > from && raw.endsWith(QLatin1Char('"')))
        --to;
    return raw.mid(from, to - from);
}

// The statement columns of a layout: its file columns, 图片1..图片5 for Taobao, then cID and 选择.
struct RowShape
{
    QString table;
    QString key;                     // the table's row key
    QVector<ColumnDef> columns;
    int cIdIndex = -1;
    int tickIndex = -1;
    int nameIndex = -1;
    int pictureListIndex = -1;       // 新图片 (Taobao)
    int firstPictureIndex = -1;      // 图片1 (Taobao) or 图片 (Paipai)
    int descriptionIndex = -1;
};

bool buildShape(int formatCode, RowShape &shape, QString &error)
{
    const ShopLayout &layout = LayoutOfFormat(formatCode);
    const TableDef &table = ItemTable(FormatTableName(formatCode));
    shape.table = table.name;
    shape.key = table.key;
    QStringList names = layout.columns;
    if (layout.hasPictureColumns)
        names += kPictureColumns;
    names << QStringLiteral("cID") << QStringLiteral("选择");
    for (const QString &name : names) {
        const ColumnDef *column = table.column(name);
        if (!column) {
            error = QStringLiteral("表格 %1 中没有字段“%2”").arg(table.name, name);
            return false;
        }
        shape.columns << *column;
    }
    const auto at = [&](const QString &name) { return int(names.indexOf(name)); };
    shape.cIdIndex = at(QStringLiteral("cID"));
    shape.tickIndex = at(QStringLiteral("选择"));
    shape.nameIndex = at(layout.nameColumn);
    if (formatCode == FormatPaipai) {
        shape.firstPictureIndex = at(QStringLiteral("图片"));
        shape.descriptionIndex = at(QStringLiteral("商品详情"));
    } else if (formatCode == FormatTaobao4 || formatCode == FormatTaobao5) {
        shape.pictureListIndex = at(QStringLiteral("新图片"));
        shape.firstPictureIndex = at(QStringLiteral("图片1"));
        shape.descriptionIndex = at(QStringLiteral("宝贝描述"));
    }
    return true;
}

QString insertSql(const RowShape &shape)
{
    QStringList names, marks;
    for (const ColumnDef &c : shape.columns) {
        names << c.name;
        marks << QStringLiteral("?");
    }
    return QStringLiteral("insert into %1(%2) values(%3)")
        .arg(shape.table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}

class FileStepConsumer final : public CsvConsumer
{
public:
    FileStepConsumer(TDm &dm, const Home &home, const FileStepOptions &options, int &formatCode)
        : m_dm(dm), m_home(home), m_options(options), m_formatCode(formatCode), m_descriptions(home.descDir())
    {
    }

    bool beginRecord(QString &error) override
    {
        if (!prepare(error) || !descriptionsWell(error))
            return false;
        if (m_rowOpen && !commitRow(error))
            return false;
        ++m_record;
        openRow();
        return true;
    }

    // Waits for the description files. When one could not be written, the rows from its
    // record on are taken back (their files are missing) and failedRecord names the record.
    bool finishDescriptions(qint64 &failedRecord, QString &error)
    {
        if (m_descriptions.finish())
            return true;
        failedRecord = m_descriptions.failedRecord();
        error = m_descriptions.failure();
        for (const auto &[record, rowId] : m_committed) {
            if (record < failedRecord)
                continue;
            try {
                m_dm.exec(QStringLiteral("delete from %1 where %2 >= ?").arg(m_shape.table, m_shape.key), {rowId});
            } catch (const StoreError &e) {
                error += QStringLiteral("；") + e.message();
            }
            break;
        }
        return false;
    }

    bool putField(int column, const QString &raw, QString &error) override
    {
        if (column < 0 || column >= m_shape.columns.size()) {
            error = QStringLiteral("字段数超过了表格的列数（第 %1 列不存在）").arg(column + 1);
            return false;
        }
        m_values[column] = convert(column, raw, error);
        return error.isEmpty();
    }

    bool afterLine(QString &error) override
    {
        if (!m_rowOpen || !m_options.importPictures)
            return true;
        return m_formatCode == FormatPaipai ? paipaiPictures() : taobaoPictures(error);
    }

    bool endOfFile(QString &error) override
    {
        if (!m_rowOpen)
            return true;
        m_rowOpen = false;
        const QVariant name = m_values.value(m_shape.nameIndex);
        if (name.isNull() || name.toString().isEmpty())
            return true;
        return commitRow(error);
    }

private:
    bool prepare(QString &error)
    {
        if (m_prepared)
            return true;
        if (!buildShape(m_formatCode, m_shape, error))
            return false;
        m_insert = QSqlQuery(m_dm.Adc());
        if (!m_insert.prepare(insertSql(m_shape))) {
            error = m_insert.lastError().text();
            return false;
        }
        m_prepared = true;
        return true;
    }

    void openRow()
    {
        m_values = QVector<QVariant>(m_shape.columns.size());
        m_values[m_shape.tickIndex] = 0;
        m_lastPictureList.clear();
        for (QString &v : m_storedPictures)
            v.clear();
        m_rowOpen = true;
    }

    bool commitRow(QString &error)
    {
        m_values[m_shape.cIdIndex] = m_options.targetId;
        if (m_values[m_shape.tickIndex].isNull())
            m_values[m_shape.tickIndex] = 0;
        for (int i = 0; i < m_values.size(); ++i)
            m_insert.bindValue(i, m_values[i]);
        if (!m_insert.exec()) {
            error = m_insert.lastError().text();
            return false;
        }
        m_rowOpen = false;
        // Remember where each record's row went while its description may still fail.
        m_committed.push_back({m_record, m_insert.lastInsertId().toLongLong()});
        while (!m_committed.empty() && m_committed.front().first < m_descriptions.doneBelow())
            m_committed.pop_front();
        return true;
    }

    bool descriptionsWell(QString &error)
    {
        if (!m_descriptions.failed())
            return true;
        error = QStringLiteral("描述文件写入失败");
        return false;
    }

    QVariant convert(int column, const QString &raw, QString &error)
    {
        const ColumnDef &def = m_shape.columns[column];
        switch (def.type) {
        case ColumnType::Integer:
        case ColumnType::Counter:
            return NumberText::parse(unquote(raw), 0);
        case ColumnType::Decimal:
            return NumberText::parse(unquote(raw), 2);
        case ColumnType::Bit: {
            const QVariant v = NumberText::parse(unquote(raw), 0);
            return v.isNull() ? QVariant(0) : QVariant(v.toLongLong() != 0 ? -1 : 0);
        }
        case ColumnType::Text:
        case ColumnType::Memo:
            break;
        }
        QString text = unquote(raw);
        if (column == m_shape.descriptionIndex)
            return description(text, error);
        if (m_formatCode != FormatPaipai) {
            if (def.name == QStringLiteral("店铺类目") && !text.isEmpty()) {
                if (!text.startsWith(QLatin1Char(',')))
                    text.prepend(QLatin1Char(','));
                if (!text.endsWith(QLatin1Char(',')))
                    text.append(QLatin1Char(','));
            } else if (def.name == QStringLiteral("宝贝属性") && !text.isEmpty() && !text.endsWith(QLatin1Char(';'))) {
                text.append(QLatin1Char(';'));
            }
        }
        return text;
    }

    QVariant description(const QString &text, QString &error)
    {
        if (m_formatCode == FormatPaipai) {
            switch (ClassifyPaipaiDescription(text)) {
            case PaipaiDescriptionForm::FullPath:
            case PaipaiDescriptionForm::BareFileName:
                return DescriptionStore::copyIn(m_home.descDir(), paipaiDescriptionSource(text));
            case PaipaiDescriptionForm::HtmlText:
                break;
            }
        }
        const QString path = m_descriptions.submit(text, m_record, error);
        return path.isEmpty() ? QVariant() : QVariant(path);
    }

    // A bare name lies in the folder named like the CSV file; a Windows path from another
    // machine is looked for there by its file name too.
    QString paipaiDescriptionSource(const QString &value) const
    {
        // only an absolute path names a file by itself; a bare name never means the working folder
        if (QDir::isAbsolutePath(value) && QFileInfo(value).isFile())
            return value;
        const QFileInfo csv(m_options.filePath);
        const QString folder = csv.absolutePath() + QLatin1Char('/') + csv.completeBaseName();
        const QString name = FileNamePart(value);
        if (!IsPlainFileName(name))
            return QString();
        return folder + QLatin1Char('/') + name;
    }

    bool taobaoPictures(QString &error)
    {
        const QString list = m_values.value(m_shape.pictureListIndex).toString();
        if (list == m_lastPictureList)
            return true;
        m_lastPictureList = list;
        const QStringList main =
            PictureImport::importTaobao(list, m_formatCode, m_options.pictureDir, m_home.imagesDir());
        if (main.size() > kPictureColumns.size()) {
            error = QStringLiteral("宝贝主图超过5张：没有存放第6张主图“%1”的图片列").arg(main.at(5));
            return false;
        }
        for (int i = 0; i < main.size(); ++i)
            m_values[m_shape.firstPictureIndex + i] = main.at(i);
        return true;
    }

    bool paipaiPictures()
    {
        // A record spread over several lines passes here once per line: take each value once.
        for (int i = 0; i < 5; ++i) {
            QVariant &cell = m_values[m_shape.firstPictureIndex + i];
            const QString value = cell.toString();
            if (value.isEmpty() || value == m_storedPictures[i])
                continue;
            m_storedPictures[i] = PictureImport::importPaipai(value, m_options.pictureDir, m_home.imagesDir());
            cell = m_storedPictures[i];
        }
        return true;
    }

    TDm &m_dm;
    const Home &m_home;
    const FileStepOptions &m_options;
    int &m_formatCode;
    RowShape m_shape;
    QSqlQuery m_insert;
    bool m_prepared = false;
    bool m_rowOpen = false;
    QVector<QVariant> m_values;
    QString m_lastPictureList;
    QString m_storedPictures[5];
    DescriptionWriter m_descriptions;
    qint64 m_record = 0;
    std::deque<std::pair<qint64, qint64>> m_committed; // (record, row key), while its file may fail
};

} // namespace

bool RunFileStep(TDm &dm, const Home &home, const FileStepOptions &options, int &formatCode, ProgressSink *progress,
                 QString &error)
{
    if (!dm.beginWork(&error)) {
        dm.rollbackWork();
        return false;
    }
    bool ok = false;
    {
        FileStepConsumer consumer(dm, home, options, formatCode);
        CsvReader reader;
        ok = reader.read(options.filePath, formatCode, consumer, progress, error);
        qint64 failedRecord = 0;
        QString reason;
        // A description that failed is the earliest failure: report it at its own record.
        if (!consumer.finishDescriptions(failedRecord, reason)) {
            error = CsvRowFailureMessage(options.filePath, failedRecord, reason);
            ok = false;
        }
    }
    // Rows stored before a failure stay: commit in both cases.
    QString commitError;
    if (!dm.commitWork(&commitError) && ok) {
        error = commitError;
        ok = false;
    }
    return ok;
}

#include "row_writer.h"

#include "export_layouts.h"
#include "field_text.h"
#include "picture_export.h"

#include "csv/shop_formats.h"
#include "store/item_tables.h"

#include <QFileInfo>
#include <QVariant>

namespace {

bool isNumeric(const ColumnDef &column)
{
    return column.type == ColumnType::Integer || column.type == ColumnType::Decimal
        || column.type == ColumnType::Bit || column.type == ColumnType::Counter;
}

// A stored description is a file path; a value that is not one (HTML typed in) is written as text.
bool namesDescriptionFile(const QString &value)
{
    if (value.contains(QLatin1Char('<')) || value.contains(QLatin1Char('\n')))
        return false;
    return value.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
        || value.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) || QFileInfo(value).isFile();
}

QString versionField()
{
    QString text = PaipaiVersionText();
    if (!text.startsWith(QLatin1Char('"')))
        text = QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

} // namespace

RowWriter::RowWriter(const Settings &settings)
    : m_settings(settings)
    , m_fileColumns(FormatSelectList(settings.format))
{
    const TableDef &table = ItemTableOfFormat(settings.format);
    for (const QString &name : m_fileColumns) {
        const ColumnDef *def = table.column(name);
        if (!def) {
            m_columns.append({Kind::Missing, -1});
            continue;
        }
        m_columns.append({kindOf(name, isNumeric(*def)), int(m_selected.size())});
        m_selected << def->name;
    }
}

RowWriter::Kind RowWriter::kindOf(const QString &name, bool numeric) const
{
    const auto is = [&](const char *column) { return name == QString::fromUtf8(column); };
    const int format = m_settings.format;
    if (format == FormatTaobao4 || format == FormatTaobao5) {
        if (is("宝贝描述"))
            return Kind::TaobaoDescription;
        if (is("新图片"))
            return Kind::TaobaoPictures;
    } else if (format == FormatPaipai) {
        if (is("图片") || is("图片2") || is("图片3") || is("图片4") || is("图片5"))
            return Kind::PaipaiPicture;
        if (is("商品详情"))
            return Kind::PaipaiDescription;
        if (is("版本"))
            return Kind::PaipaiVersion;
    }
    return numeric ? Kind::Number : Kind::Text;
}

QString RowWriter::selectList() const
{
    return m_selected.join(QLatin1Char(','));
}

bool RowWriter::line(const QSqlQuery &row, QString &text, QString &error) const
{
    text.clear();
    for (int i = 0; i < m_columns.size(); ++i) {
        const Column &column = m_columns[i];
        const QVariant value = column.queryIndex >= 0 ? row.value(column.queryIndex) : QVariant();
        switch (column.kind) {
        case Kind::Number:
            text += NumberFieldText(value);
            break;
        case Kind::Text:
        case Kind::Missing:
            text += QuotedFieldText(value.toString());
            break;
        case Kind::TaobaoDescription: {
            QString description;
            if (!ReadDescriptionFile(value.toString(), description, error))
                return false;
            text += QLatin1Char('"') + description + QLatin1Char('"');
            break;
        }
        case Kind::TaobaoPictures:
            text += taobaoPicturesField(value.toString());
            break;
        case Kind::PaipaiPicture:
            text += pictureField(value.toString());
            break;
        case Kind::PaipaiDescription:
            text += paipaiDescriptionField(value.toString());
            break;
        case Kind::PaipaiVersion:
            text += versionField();
            break;
        }
        text += i + 1 < m_columns.size() ? QStringLiteral("\t") : QStringLiteral("\r\n");
    }
    return true;
}

QString RowWriter::taobaoPicturesField(const QString &value) const
{
    if (m_settings.exportPictures && !value.isEmpty()) {
        QString lastCopied;
        CopyPictureList(PictureListNames(value), m_settings.pictureSource, m_settings.pictureDir,
                        PictureDirection::Export, lastCopied);
    }
    return QuotedFieldText(value);
}

QString RowWriter::pictureField(const QString &value) const
{
    if (!m_settings.exportPictures || value.isEmpty())
        return QuotedFieldText(value);
    const QString fileName = value + QStringLiteral(".jpg");
    if (IsPlainFileName(fileName)) {
        QString copied;
        CopyOneFile(m_settings.pictureSource + QLatin1Char('/') + fileName,
                    m_settings.pictureDir + QLatin1Char('/') + fileName, copied);
    }
    return QuotedFieldText(fileName);
}

QString RowWriter::paipaiDescriptionField(const QString &value) const
{
    if (value.isEmpty() || !namesDescriptionFile(value))
        return QuotedFieldText(value);
    const QString fileName = FileNamePart(value);
    if (!IsPlainFileName(fileName))
        return QuotedFieldText(QString());
    if (!m_settings.descriptionDir.isEmpty()) {
        QString copied;
        CopyOneFile(value, m_settings.descriptionDir + QLatin1Char('/') + fileName, copied);
    }
    return QuotedFieldText(fileName);
}

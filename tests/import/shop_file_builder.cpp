#include "shop_file_builder.h"

#include "testing/test_support.h"

#include "csv/shop_formats.h"

ShopFileBuilder::ShopFileBuilder(Kind kind)
    : m_kind(kind)
{
    const ShopLayout &layout = kind == Taobao4 ? Taobao4Layout() : kind == Taobao5 ? Taobao5Layout() : PaipaiLayout();
    m_columns = layout.columns;
    QStringList header;
    for (const QString &c : m_columns)
        header << HeaderFieldName(c);
    if (kind == Taobao5) {
        m_lines << QStringLiteral("version 1.00") << layout.englishNames.join(QLatin1Char('\t'));
    }
    m_lines << header.join(QLatin1Char('\t'));
}

ShopFileBuilder &ShopFileBuilder::row(const QMap<QString, QString> &fields)
{
    QStringList values;
    for (const QString &c : m_columns)
        values << fields.value(c);
    m_lines << values.join(QLatin1Char('\t'));
    return *this;
}

QString ShopFileBuilder::text() const
{
    const QString separator = m_kind == Taobao5 ? QStringLiteral("\n") : QStringLiteral("\r\n");
    return m_lines.join(separator) + separator;
}

bool ShopFileBuilder::write(const QString &path) const
{
    return TestFiles::write(path, TestFiles::utf16le(text()));
}

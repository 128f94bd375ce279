#include "export_fixture.h"

#include "store/category_store.h"

#include <QFile>

ExportFixture::ExportFixture()
{
    BringUpStore(m_dm, m_home.home().databasePath(), m_error);
}

qint64 ExportFixture::addCategory(const QString &name, qint64 parent)
{
    return InsertCategory(m_dm, name, QString(), parent, 1, true);
}

void ExportFixture::insert(const QString &table, const QVariantMap &values)
{
    QStringList names;
    QStringList marks;
    QVariantList bound;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        names << it.key();
        marks << QStringLiteral("?");
        bound << it.value();
    }
    m_dm.exec(QStringLiteral("insert into %1(%2) values(%3)")
                  .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
              bound);
    m_dm.AdqExec().finish();
}

qint64 ExportFixture::count(const QString &sql)
{
    return m_dm.scalar(sql).toLongLong();
}

QString readShopFile(const QString &path)
{
    const QByteArray bytes = TestFiles::read(path);
    if (!bytes.startsWith("\xFF\xFE"))
        return QString();
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
}

QList<QStringList> recordsOf(const QString &text, bool withHeader)
{
    // Every header line before the column names (5.x) ends in LF alone: the first CR LF ends the header.
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QList<QStringList> records;
    for (int i = withHeader ? 1 : 0; i < lines.size(); ++i)
        records << lines[i].split(QLatin1Char('\t'));
    return records;
}

namespace {

QList<QStringList> splitWithQuotes(const QString &text)
{
    QList<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('\t')) {
            fields << field;
            field.clear();
        } else if (!quoted && (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && text.mid(i, 2) == QLatin1String("\r\n")))) {
            if (c == QLatin1Char('\r'))
                ++i;
            fields << field;
            lines << fields;
            fields.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty())
        lines << (fields << field);
    return lines;
}

QString withoutQuotes(const QString &name)
{
    return name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"'))
        ? name.mid(1, name.size() - 2)
        : name;
}

} // namespace

QList<QMap<QString, QString>> recordsByName(const QString &text, int headerLine)
{
    const QList<QStringList> lines = splitWithQuotes(text);
    QList<QMap<QString, QString>> records;
    if (lines.size() <= headerLine)
        return records;
    const QStringList header = lines[headerLine];
    for (int i = headerLine + 1; i < lines.size(); ++i) {
        QMap<QString, QString> record;
        for (int c = 0; c < header.size() && c < lines[i].size(); ++c)
            record.insert(withoutQuotes(header[c]), lines[i][c]);
        records << record;
    }
    return records;
}

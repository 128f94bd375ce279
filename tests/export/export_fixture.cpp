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

#include "connection_string.h"

#include <QList>
#include <QPair>
#include <QStringList>

ConnectionFields ParseConnectionFields(const QString &text)
{
    ConnectionFields fields;
    const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed().toLower();
        const QString value = part.mid(eq + 1).trimmed();
        if (key == QLatin1String("driver"))
            fields.driver = value;
        else if (key == QLatin1String("database") || key == QLatin1String("data source"))
            fields.database = value;
        else if (key == QLatin1String("host"))
            fields.host = value;
        else if (key == QLatin1String("port"))
            fields.port = value;
        else if (key == QLatin1String("user") || key == QLatin1String("user id"))
            fields.user = value;
        else if (key == QLatin1String("password"))
            fields.password = value;
    }
    return fields;
}

QString ConnectionFieldsText(const ConnectionFields &fields)
{
    QStringList parts{QStringLiteral("Driver=") + fields.driver, QStringLiteral("Database=") + fields.database};
    const QList<QPair<const char *, QString>> optional = {
        {"Host", fields.host}, {"Port", fields.port}, {"User", fields.user}, {"Password", fields.password}};
    for (const auto &[key, value] : optional)
        if (!value.isEmpty())
            parts << QString::fromLatin1(key) + QLatin1Char('=') + value;
    return parts.join(QLatin1Char(';'));
}

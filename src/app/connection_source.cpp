#include "connection_source.h"

#include "store/data_module.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QVector>

namespace {

const QString kFileNamePrefix = QStringLiteral("FILE NAME=");

bool isSqlite(const ConnectionFields &fields)
{
    return fields.driver.compare(QLatin1String("QSQLITE"), Qt::CaseInsensitive) == 0;
}

QStringList missingTables(TDm &dm, QString &error)
{
    QStringList names;
    QVector<bool> present;
    if (!ExpectedTables(names, error) || !FindTables(dm, names, present, error))
        return {QString()};
    QStringList missing;
    for (int i = 0; i < names.size(); ++i)
        if (!present[i])
            missing << names[i];
    return missing;
}

// Tries the source on a connection of its own and gives it the tables it lacks.
bool bringUp(const QString &connection, QString &error)
{
    TDm probe;
    if (!ConnectDatabase(probe, connection, error))
        return false;
    error.clear();
    const QStringList missing = missingTables(probe, error);
    if (!error.isEmpty())
        return false;
    if (missing.isEmpty())
        return true;
    QStringList names;
    QString detail;
    if (ExpectedTables(names, detail) && CreateMissingTables(probe, names, detail))
        return true;
    error = QStringLiteral("数据库缺少数据表，且无法创建：") + missing.join(QLatin1Char(','));
    return false;
}

} // namespace

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

QString DataLinkFileText(const QString &path)
{
    return kFileNamePrefix + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString ResolveConnectionSource(const QString &source, bool isDataLinkFile, const QString &homeRoot)
{
    if (isDataLinkFile) {
        QString path = source.trimmed();
        if (path.startsWith(kFileNamePrefix, Qt::CaseInsensitive))
            path = path.mid(kFileNamePrefix.size()).trimmed();
        if (!path.isEmpty() && QDir::isRelativePath(path))
            path = QDir(homeRoot).filePath(path);
        return DatabaseConnectionString(path);
    }
    ConnectionFields fields = ParseConnectionFields(source);
    if (isSqlite(fields) && !fields.database.isEmpty() && QDir::isRelativePath(fields.database))
        fields.database = QDir(homeRoot).filePath(fields.database);
    return ConnectionFieldsText(fields);
}

QString CurrentConnection(const TDm &dm)
{
    const QSqlDatabase db = dm.Adc();
    ConnectionFields fields;
    fields.driver = db.driverName();
    fields.database = db.databaseName();
    fields.host = db.hostName();
    fields.port = db.port() > 0 ? QString::number(db.port()) : QString();
    fields.user = db.userName();
    fields.password = db.password();
    return ConnectionFieldsText(fields);
}

bool SwitchDatabase(TDm &dm, const QString &connection, QString &error)
{
    if (!bringUp(connection, error))
        return false;
    const QString previous = CurrentConnection(dm);
    if (ConnectDatabase(dm, connection, error))
        return true;
    QString ignored;
    ConnectDatabase(dm, previous, ignored);
    return false;
}

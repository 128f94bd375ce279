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

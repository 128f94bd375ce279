#pragma once

#include <QString>

// A connection string names a Qt SQL driver and its parameters:
// "Driver=QSQLITE;Database=Data.db;Host=...;Port=...;User=...;Password=...".
struct ConnectionFields
{
    QString driver = QStringLiteral("QSQLITE");
    QString database;
    QString host;
    QString port;
    QString user;
    QString password;
};

// Keys are matched without regard to case; "Data Source" and "User ID" are taken too.
ConnectionFields ParseConnectionFields(const QString &text);
// Driver and Database always; the other parameters when they are set.
QString ConnectionFieldsText(const ConnectionFields &fields);

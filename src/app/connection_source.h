#pragma once

#include "store/connection_string.h"

#include <QString>

class TDm;

// The data-link field's text for a database file: "FILE NAME=" and the file's full path.
QString DataLinkFileText(const QString &path);

// The connection string a source stands for. A data-link field ("FILE NAME=" path) names a
// database file; a connection string is taken as it stands, except that a relative SQLite
// database is a path inside the home folder.
QString ResolveConnectionSource(const QString &source, bool isDataLinkFile, const QString &homeRoot);

// The connection string the data module is connected with now.
QString CurrentConnection(const TDm &dm);

// Connects the data module to another database. The new source is tried on a connection of
// its own first, and its missing tables are created as at start-up; only then is the data
// module switched. On failure the data module stays connected as it was.
bool SwitchDatabase(TDm &dm, const QString &connection, QString &error);

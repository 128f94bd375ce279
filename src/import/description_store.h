#pragma once

#include <QString>

// Descriptions live outside the tables, one HTML file each in the description store.
namespace DescriptionStore {

// Writes text as a new file named by a fresh GUID ("{XXXXXXXX-...}.htm"; name0, name01, ...
// while a file of that name exists). Doubled quotes become single ones. Returns the path,
// or an empty string and the system's message.
QString writeNew(const QString &storeDir, const QString &text, QString &error);

// Copies an existing file into the store under its own name, made free (a.htm, a0.htm, a01.htm, ...).
// Returns the copy's path, or an empty string when the copy failed.
QString copyIn(const QString &storeDir, const QString &sourcePath);

// The store's first free path for a file name: the name itself, then stem+0, stem+01, ... + extension.
QString freePath(const QString &storeDir, const QString &fileName);

} // namespace DescriptionStore

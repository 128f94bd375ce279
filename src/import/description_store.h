#pragma once

#include <QString>

// Descriptions live outside the tables, one HTML file each in the description store.
namespace DescriptionStore {

// A new file's path: a fresh GUID in braces, upper case, ".htm"; while a file of that name
// exists, the counter is appended (name0, name01, ...).
QString newFilePath(const QString &storeDir);

// What a description file holds: the text with doubled quotes made single, then CR LF,
// in GB18030.
QByteArray fileContent(const QString &text);

enum class NewFile { Written, Exists, Failed };
// Creates a file that must not exist yet and writes it whole; never overwrites.
NewFile createFile(const QString &path, const QByteArray &bytes, QString &error);

// Copies an existing file into the store under its own name, made free (a.htm, a0.htm, a01.htm, ...).
// Returns the copy's path, or an empty string when the copy failed.
QString copyIn(const QString &storeDir, const QString &sourcePath);

// The store's first free path for a file name: the name itself, then stem+0, stem+01, ... + extension.
QString freePath(const QString &storeDir, const QString &fileName);

} // namespace DescriptionStore

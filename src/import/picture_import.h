#pragma once

#include <QString>
#include <QStringList>

// Copies the pictures a shop file names from its picture folder into the picture store.
// Copy failures are silent: a missing picture never stops an import. A name that is not a
// plain file name (IsPlainFileName) is stored but never copied.
namespace PictureImport {

// Taobao: copies name.tbi to store/name.jpg for every entry of the picture list and returns
// the main pictures' names (kind 0 for 4.x, kind 1 for 5.x) in order.
QStringList importTaobao(const QString &pictureList, int formatCode, const QString &sourceDir,
                         const QString &storeDir);

// Paipai: copies one picture column's file into the store; returns the value to store
// (the file name without extension). A Windows path in the value counts by its file name.
QString importPaipai(const QString &value, const QString &sourceDir, const QString &storeDir);

} // namespace PictureImport

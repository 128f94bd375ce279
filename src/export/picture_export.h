#pragma once

#include "base/file_names.h"

#include <QString>
#include <QStringList>

// Copying pictures and description files between the program's stores and the folders
// beside a shop file. Copy failures are silent: a missing picture never stops an export.

enum class PictureDirection {
    Export, // store/name.jpg -> folder/name.tbi
    Import, // folder/name.tbi -> store/name.jpg
};

// Picture-folder modes: 0 a folder named like the CSV file, 1 "images" beside it, 2 a given folder.
enum PictureFolderMode { PictureFolderSameName = 0, PictureFolderImages = 1, PictureFolderGiven = 2 };

// Copies every name's picture, replacing what the destination holds. Names that are not a
// plain file name (empty, "." or "..", holding a separator or a colon) are never copied.
// lastCopied: the destination path of the last copy that succeeded, empty when none did.
void CopyPictureList(const QStringList &names, const QString &sourceDir, const QString &destinationDir,
                     PictureDirection direction, QString &lastCopied);

// Deletes an existing destination, creates the destination's folder and copies.
// result: the destination path on success, else empty.
void CopyOneFile(const QString &sourcePath, const QString &destinationPath, QString &result);

// The picture folder of a CSV file: mode 1 folder/images, mode 2 the given folder, mode 0
// folder/name (keepName) or folder/name without its extension (created then).
void PictureFolderFor(int mode, const QString &folder, const QString &givenFolder, const QString &name,
                      bool keepName, QString &result);

// The path without the extension of its file name (a dot in a folder name is no extension);
// the folder of that name is created.
QString PathWithoutExtension(const QString &path);

// folder + name, no separator added; the folder of that name is created.
QString JoinAndCreateFolder(const QString &folder, const QString &name);



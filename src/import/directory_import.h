#pragma once

#include "single_import.h"

#include <QString>

class Home;
class ProgressSink;
class TDm;

// Which folder levels a folder import takes files from.
enum class FolderRange { All = 0, MainOnly = 1, SubOnly = 2 };
// Where a file's pictures lie: 0 a folder named like the file, 1 "images" beside it, 2 a given folder.
enum class PictureFolderMode { SameName = 0, Images = 1, Given = 2 };

struct FolderQueryOptions
{
    QString folder;
    QString prefix;
    QString suffix = QStringLiteral("_子目录");
    FolderRange range = FolderRange::All;
    bool importPictures = true;
    PictureFolderMode pictureMode = PictureFolderMode::SameName;
    QString givenPictureDir;
    ImportTarget target;
};

// Walks the folder, creates the (hidden) categories and lists the files in ImFile.
// topTarget receives the run's top category.
bool QueryImportFiles(TDm &dm, const FolderQueryOptions &options, qint64 &topTarget, QString &error);

// Imports every ImFile row, then finishes the run: for topTarget and its descendants, or,
// when topTarget is 0 (rows left from an earlier query), for the rows' categories and their
// ancestors. files reports the file level, records the record level of each file.
bool ImportFileList(TDm &dm, const Home &home, qint64 topTarget, int &formatCode, ProgressSink *files,
                    ProgressSink *records, QString &error);

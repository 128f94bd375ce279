#pragma once

#include <QString>

class Home;
class ProgressSink;
class TDm;

struct FileStepOptions
{
    QString filePath;
    qint64 targetId = 0;        // the category every row goes into
    bool importPictures = false;
    QString pictureDir;         // the file's picture folder
};

// Stores every record of one shop file as a row of its layout's native table, with its
// descriptions and pictures. formatCode: 1 or 3 on entry, the recognised layout on exit
// (2 for a Taobao 5.x file). The rows go in one transaction: on failure the rows stored
// before the failing record stay, the open row is dropped, and error holds the message.
bool RunFileStep(TDm &dm, const Home &home, const FileStepOptions &options, int &formatCode,
                 ProgressSink *progress, QString &error);

#pragma once

#include "base/message_sink.h"
#include "store/item_tables.h"

#include <QString>

class Home;
class ProgressSink;
class TDm;

// Writing one category as a shop file.

enum class WriteStatus {
    Written,
    Failed,    // reported with its text; a run over many files may go on
    FileError, // the file could not be opened, written or a description read: a run stops
};

// One file to write.
struct CategoryFileJob
{
    QString csvPath;
    int format = FormatTaobao4;  // 1 Taobao 4.x, 2 Taobao 5.x, 3 Paipai, 4 通用格式 (YAData)
    qint64 cID = 0;              // 0: every category ("全部分类")
    int range = 0;               // 0 all rows of the category, 1 ticked rows only
    bool exportPictures = false;
    QString pictureDir;          // where pictures (and Paipai descriptions) go
    QString pictureSource;       // the picture store
    bool fileExisted = false;
    OverwriteAnswer answer = OverwriteAnswer::Overwrite; // looked at only when the file existed
};

// Makes sure the native table holds the category's rows, then writes them: the mark and
// header for a new file, one line per row, in the order of the table's key. Runs in one
// transaction; the staging table of 5.x is empty afterwards, whatever the outcome.
WriteStatus WriteCategoryFile(TDm &dm, const CategoryFileJob &job, ProgressSink *progress, QString &error);

// What to do with a file that exists before a single-category export.
enum class ExistingFilePolicy { Fail, Overwrite, Merge, Ask };

// One single-category export, as the dialog and the command line start it.
struct ExportOptions
{
    int format = FormatTaobao4;
    qint64 cID = 0;
    int range = 0;
    QString file;                    // ".csv" is appended unless it ends in exactly ".csv"
    bool exportPictures = false;
    int pictureMode = 0;             // PictureFolderMode: 0 named like the CSV, 1 images, 2 given
    QString givenPictureDir;
    ExistingFilePolicy existing = ExistingFilePolicy::Fail;
};

struct ExportResult
{
    enum Status { Succeeded, Failed, Cancelled };
    Status status = Failed;
    QString error;    // for Failed: the reason, to show with ExportFailedText
    QString csvPath;  // the file written (after ".csv" was appended)
};

// Ask: the question goes through messages->askOverwrite with SingleExportExistsText();
// an overwrite answer overwrites, a merge answer merges, anything else cancels.
ExportResult ExportSingleCategory(TDm &dm, const Home &home, const ExportOptions &options, MessageSink *messages,
                                  ProgressSink *progress);

// The path an export writes for a typed file name.
QString ExportCsvPath(const QString &typedName);

// Texts of the export's messages.
QString SingleExportExistsText();
QString ExportFailedText(const QString &reason);
QString ExportSucceededQuestion();

#pragma once

#include <QList>
#include <QString>

class Home;
class MessageSink;
class ProgressSink;
class TDm;

// Exporting many categories: the chosen categories are walked into the file list ExFile,
// which the user may edit, then every row of the list is written.

struct ExportTreeOptions
{
    QString exportFolder;
    int pictureMode = 0;            // PictureFolderMode
    QString givenPictureDir;        // for mode 2
    bool exportPictures = true;
    int range = 0;                  // 0 chosen categories and all below, 1 chosen only, 2 below only
    QString extension = QStringLiteral(".csv");
    QString prefix;                 // sub-folder names from the second level down: prefix + name + suffix
    QString suffix = QStringLiteral("_子目录");
};

// One category at one level (0 for a chosen category) and, by the range, its descendants:
// an ExFile row for each category that holds generic rows. folder is where its file goes.
bool QueryExportFiles(TDm &dm, const ExportTreeOptions &options, const QString &folder, const QString &categoryName,
                      const QString &parentName, qint64 cID, int level, QString &error);

// Empties ExFile and walks every chosen category in order. On failure the error is the
// message to show ("查询导出文件失败，原因：" ...); rows added before it stay.
bool BuildExportFileList(TDm &dm, const ExportTreeOptions &options, const QList<qint64> &chosen, QString &error);

// The two levels of progress: files of the run, rows of the current file.
struct ExportRunProgress
{
    ProgressSink *files = nullptr;
    ProgressSink *rows = nullptr;
};

struct ExportRunResult
{
    enum Status {
        Succeeded,       // the last file written (or skipped) succeeded: ask ExportSucceededQuestion
        NothingToExport, // ExFile is empty: show error
        Failed,          // a file error ended the run: show ExportFailedText(error)
        Stopped,         // the last file failed and the user saw why (or chose to stop)
        Cancelled,       // the overwrite question was cancelled or closed
    };
    Status status = Succeeded;
    QString error;
    QString firstPath; // the first row's file, whose folder the caller may open
    int written = 0;
    int skipped = 0;
};

// Writes every ExFile row with the given format, all rows of its category. An existing file
// is touched only after askOverwrite answered; "all" answers hold for the rest of the run.
// A failed file asks through messages.question whether to go on.
ExportRunResult ExportFileList(TDm &dm, const Home &home, int format, MessageSink &messages,
                               const ExportRunProgress &progress);

// Texts of the run's questions.
QString ExistingExportFileQuestion(const QString &path);
QString ExportFailedContinueQuestion(const QString &reason);
QString NothingToExportText();

// A category name made fit to be one file or folder name.
QString SafeFileName(const QString &name);

#pragma once

#include <QString>

class Home;
class ProgressSink;
class TDm;

// Where an import puts its items: a new top-level category named after the file or folder,
// or an existing category, optionally renamed after it.
struct ImportTarget
{
    bool useExisting = false;
    qint64 existingId = 0;
    QString existingName;
    bool rename = false;
};

struct SingleImportOptions
{
    QString filePath;
    int formatCode = 1;          // 1 Taobao (becomes 2 for a 5.x file), 3 Paipai
    ImportTarget target;
    bool importPictures = false;
    QString pictureDir;
};

// The name an imported file or folder gives its category: its name without folder and extension.
QString CategoryNameOfPath(const QString &path, bool isFile);

// Settles the target category: a hidden new one, or the existing one updated with the path.
qint64 SettleImportTarget(TDm &dm, const ImportTarget &target, const QString &name, const QString &path);

// Makes the run's categories visible and converts their rows into the generic table.
// formatCode is set back to 1 after a 5.x conversion.
bool FinishImportRun(TDm &dm, qint64 topTarget, int &formatCode, QString &error);
// The same for categories named explicitly (rows left from an earlier query): each with its ancestors.
bool FinishImportCategories(TDm &dm, const QList<qint64> &categories, int &formatCode, QString &error);

// Imports one file: settles the target, runs the file step, finishes the run.
// targetId receives the target category (also on failure, once it is settled).
bool ImportOneFile(TDm &dm, const Home &home, SingleImportOptions &options, ProgressSink *progress,
                   qint64 &targetId, QString &error);

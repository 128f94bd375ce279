#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class TMainFrm;

// Shop files dropped onto the main window: a .csv file or a folder opens the import dialog
// with it filled in, on the single-file or the folder page.
void EnableImportDrop(TMainFrm &window);

// The path a drop brings to the import dialog: the first folder or .csv file; empty for none.
QString DroppedImportPath(const QList<QUrl> &urls);
// The import format a shop file (or the first one inside a folder) asks for: 3 for a Paipai
// header, else 1.
int ImportFormatOfPath(const QString &path);

// Opens the import dialog for a dropped path.
void RunImportDialogFor(TMainFrm &owner, const QString &path);

#pragma once

#include <QString>

class TMainFrm;

// The modal dialogs that the main window opens. Each runs modally and is freed when it ends;
// the import dialog rebuilds the category tree itself after an import.
void RunImportDialog(TMainFrm &owner, int formatCode, const QString &caption);
void RunExportDialog(TMainFrm &owner);
// True when the user changed the database connection.
bool RunDatabaseDialog(TMainFrm &owner);

// The caption of the import dialog for a format code.
QString ImportDialogCaption(int formatCode);

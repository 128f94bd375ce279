#pragma once

#include <QString>

class Home;

// A failure while the data module or the main window is created.
struct CreationFailure
{
    QString message;
    bool driverMissing = false; // the database driver is missing or broken
};

// Tells the user, with the caption "岚石通"; for a missing driver it offers the help page.
void ReportCreationFailure(const CreationFailure &failure);

// The program: creates the data module and the main window in start-up order, shows the window
// and runs the message loop. Returns the exit code (1 when start-up ended the program).
int RunProgram(const Home &home);

// The folder given with --home, or empty.
QString HomeOption(const QStringList &arguments);

#pragma once

#include <QHash>
#include <QKeySequence>
#include <QString>
#include <QVector>

class QAction;
class QObject;

// The main window's commands: name (the QAction's objectName), caption, hint and shortcut.
struct CommandDef
{
    QString name;
    QString caption;
    QString hint;
    QKeySequence shortcut;  // as the command list gives it
    bool acts = true;       // false for the commands that do nothing or are inactive
    bool enabled = true;
};

// Every command in the command list's order.
const QVector<CommandDef> &MainCommands();

// The key a command takes: where two commands share a key, the first that acts takes it
// (the first of them when none acts); the others go without.
QKeySequence EffectiveShortcut(const QString &commandName);

// Creates one QAction per command, owned by the parent, keyed by command name.
QHash<QString, QAction *> CreateCommandActions(QObject *parent);

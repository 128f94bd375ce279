#pragma once

#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/app_fixture.h"

#include <QDialog>
#include <QObject>
#include <QUrl>
#include <QtTest>

#include <functional>

// A store in a temporary home and the main window over it, started and shown.
class Desk
{
public:
    Desk();
    StoreFixture store;
    std::unique_ptr<TDm> dm;
    std::unique_ptr<TMainFrm> frm;

    bool start();
    // A new main window over the same home, as after a restart of the program.
    bool restart();
    void trigger(const char *command) const;
    QString home(const QString &relative = QString()) const { return store.path(relative); }
};

// The examples folder, and a copy of an example's file with its picture folder inside a folder.
QString example(const QString &relative);
// Copies a file or a folder with everything in it; false when a copy fails.
bool copyTree(const QString &from, const QString &to);
// Imports an example file through the core import, into a new category or an existing one.
qint64 importExample(StoreFixture &store, const QString &file, int format, qint64 into = 0);

// Answers the next modal dialog of a script with a handler for its own class.
template <class D>
void onDialog(MessageBoxes::Script &script, std::function<void(D &)> handler)
{
    script.onDialog([handler](QDialog &dialog) {
        auto *typed = qobject_cast<D *>(&dialog);
        QVERIFY2(typed, qPrintable(QStringLiteral("unexpected dialog ") + dialog.objectName()));
        handler(*typed);
    });
}

// The local folders that the program hands to the desktop's file manager.
class FolderRecorder : public QObject
{
    Q_OBJECT
public:
    FolderRecorder();
    ~FolderRecorder() override;
    QStringList folders;

public slots:
    void open(const QUrl &url) { folders.append(url.toLocalFile()); }
};

// Lines of a UTF-16LE shop file, without the mark; empty when the file does not start with it.
QStringList shopFileLines(const QString &path);

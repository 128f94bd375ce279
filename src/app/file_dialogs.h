#pragma once

#include <QList>
#include <QString>

class QWidget;

// The file and folder choosers of the desktop program. An empty answer means the user cancelled.
// While a Script lives nothing is shown: each call takes the next queued answer (empty when none).
namespace FileDialogs {

QString openFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
QString saveFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
QString existingFolder(QWidget *parent, const QString &caption, const QString &dir);

class Script
{
public:
    Script();
    ~Script();
    Script(const Script &) = delete;
    Script &operator=(const Script &) = delete;

    void answer(const QString &path) { m_answers.append(path); }
    const QList<QString> &captions() const { return m_captions; }
    QString take(const QString &caption);

private:
    QList<QString> m_answers;
    QList<QString> m_captions;
};

} // namespace FileDialogs

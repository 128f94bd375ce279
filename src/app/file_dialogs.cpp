#include "file_dialogs.h"

#include <QFileDialog>

namespace FileDialogs {

namespace {
Script *g_script = nullptr;
}

Script::Script()
{
    Q_ASSERT(!g_script);
    g_script = this;
}

Script::~Script()
{
    g_script = nullptr;
}

QString Script::take(const QString &caption)
{
    m_captions.append(caption);
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

QString openFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    if (g_script)
        return g_script->take(caption);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString saveFile(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    if (g_script)
        return g_script->take(caption);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString existingFolder(QWidget *parent, const QString &caption, const QString &dir)
{
    if (g_script)
        return g_script->take(caption);
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

} // namespace FileDialogs

#include "message_boxes.h"

#include <QDialog>
#include <QPushButton>

namespace MessageBoxes {

namespace {

Script *g_script = nullptr;

// The answer a box gets when nobody presses a button: No for questions, else the first button.
Button escapeAnswer(QMessageBox::StandardButtons buttons)
{
    for (Button b : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
        if (buttons.testFlag(b))
            return b;
    return QMessageBox::NoButton;
}

} // namespace

Script::Script()
{
    Q_ASSERT(!g_script);
    g_script = this;
}

Script::~Script()
{
    g_script = nullptr;
}

void Script::answer(Button button)
{
    m_answers.append(button);
}

void Script::onDialog(std::function<void(QDialog &)> handler)
{
    m_dialogs.append(std::move(handler));
}

QStringList Script::texts() const
{
    QStringList result;
    for (const Shown &s : m_shown)
        result << s.text;
    return result;
}

Button show(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
            QMessageBox::StandardButtons buttons)
{
    if (g_script) {
        g_script->m_shown.append({icon, caption, text, buttons});
        if (!g_script->m_answers.isEmpty())
            return g_script->m_answers.takeFirst();
        return escapeAnswer(buttons);
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    return Button(box.exec());
}

void inform(QWidget *parent, const QString &caption, const QString &text)
{
    show(parent, QMessageBox::Information, caption, text);
}

void error(QWidget *parent, const QString &caption, const QString &text)
{
    show(parent, QMessageBox::Critical, caption, text);
}

bool ask(QWidget *parent, const QString &caption, const QString &text, QMessageBox::Icon icon)
{
    return show(parent, icon, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int runModal(QDialog &dialog)
{
    if (!g_script)
        return dialog.exec();
    dialog.setResult(QDialog::Rejected);
    if (g_script->m_dialogs.isEmpty()) {
        ++g_script->m_unhandledDialogs;
        return QDialog::Rejected;
    }
    const auto handler = g_script->m_dialogs.takeFirst();
    handler(dialog);
    return dialog.result();
}

} // namespace MessageBoxes

#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// Every message box, question and modal dialog of the desktop program goes through here,
// so that GUI tests can answer them in advance and read what was shown.
namespace MessageBoxes {

using Button = QMessageBox::StandardButton;

// Shows a modal message box; the answer is the button pressed.
Button show(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// A notice with the information icon and an OK button.
void inform(QWidget *parent, const QString &caption, const QString &text);
// An error notice with the error icon.
void error(QWidget *parent, const QString &caption, const QString &text);
// A yes/no question; true on Yes.
bool ask(QWidget *parent, const QString &caption, const QString &text,
         QMessageBox::Icon icon = QMessageBox::Question);

// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
int runModal(QDialog &dialog);

struct Shown
{
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// While a Script lives, nothing is shown on screen: message boxes take the queued
// answers in order (a question without a queued answer gets No, a notice OK), and
// modal dialogs are handed to the queued handlers, which fill them and press buttons.
class Script
{
public:
    Script();
    ~Script();
    Script(const Script &) = delete;
    Script &operator=(const Script &) = delete;

    void answer(Button button);
    void onDialog(std::function<void(QDialog &)> handler);

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    int pendingAnswers() const { return m_answers.size(); }
    int pendingDialogs() const { return m_dialogs.size(); }
    int unhandledDialogs() const { return m_unhandledDialogs; }
    void clear() { m_shown.clear(); }

private:
    friend Button show(QWidget *, QMessageBox::Icon, const QString &, const QString &, QMessageBox::StandardButtons);
    friend int runModal(QDialog &);

    QList<Shown> m_shown;
    QList<Button> m_answers;
    QList<std::function<void(QDialog &)>> m_dialogs;
    int m_unhandledDialogs = 0;
};

} // namespace MessageBoxes

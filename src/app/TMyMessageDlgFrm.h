#pragma once

#include "base/message_sink.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The question of a many-category export about a file that exists: seven buttons, each of
// which stores its answer and closes the window. Closing it otherwise answers Cancel, so an
// existing file is never overwritten without the user's choice.
class TMyMessageDlgFrm final : public QDialog
{
    Q_OBJECT
public:
    TMyMessageDlgFrm(QWidget *parent, const QString &question);

    OverwriteAnswer answer() const { return m_answer; }
    const QString &question() const { return m_question; }
    // The button of an answer.
    QPushButton *button(OverwriteAnswer answer) const;

    QPlainTextEdit *Memo = nullptr;

private:
    QString m_question;
    OverwriteAnswer m_answer = OverwriteAnswer::Cancel;
    QList<QPair<OverwriteAnswer, QPushButton *>> m_buttons;
};

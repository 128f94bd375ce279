#include "dialog_messages.h"

#include "TMyMessageDlgFrm.h"
#include "message_boxes.h"

#include "base/progress_sink.h"

DialogMessages::DialogMessages(QWidget *owner, const QString &caption, const ProgressSink *progress)
    : m_owner(owner), m_caption(caption), m_progress(progress)
{
}

void DialogMessages::information(const QString &text)
{
    MessageBoxes::inform(m_owner, m_caption, text);
}

void DialogMessages::error(const QString &text)
{
    MessageBoxes::error(m_owner, m_caption, text);
}

bool DialogMessages::question(const QString &text)
{
    if (m_progress && m_progress->isCancelled())
        return false;
    return MessageBoxes::ask(m_owner, m_caption, text);
}

OverwriteAnswer DialogMessages::askOverwrite(const QString &text)
{
    TMyMessageDlgFrm dialog(m_owner, text);
    if (MessageBoxes::runModal(dialog) != QDialog::Accepted)
        return OverwriteAnswer::Cancel;
    return dialog.answer();
}

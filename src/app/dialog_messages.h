#pragma once

#include "base/message_sink.h"

#include <QString>

class ProgressSink;
class QWidget;

// The questions and notices of a running export, asked in message boxes with the dialog's
// caption; the overwrite question in TMyMessageDlgFrm. Once the user has pressed "取消" in the
// progress window, "go on after a failed file?" is answered No without asking.
class DialogMessages final : public MessageSink
{
public:
    DialogMessages(QWidget *owner, const QString &caption, const ProgressSink *progress = nullptr);

    void information(const QString &text) override;
    void error(const QString &text) override;
    bool question(const QString &text) override;
    OverwriteAnswer askOverwrite(const QString &text) override;

private:
    QWidget *m_owner;
    QString m_caption;
    const ProgressSink *m_progress;
};

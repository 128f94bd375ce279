#pragma once

#include "base/message_sink.h"

#include <QTextStream>

// Answers an export's questions from the command line's options: the overwrite question
// with the policy given by --existing, "go on after a failed file?" with no.
class CliMessages final : public MessageSink
{
public:
    CliMessages(QTextStream &err, OverwriteAnswer overwrite)
        : m_err(err), m_overwrite(overwrite)
    {
    }

    void information(const QString &text) override { m_err << text << Qt::endl; }
    void error(const QString &text) override { m_err << text << Qt::endl; }
    bool question(const QString &text) override
    {
        m_err << text << QStringLiteral(" → 否") << Qt::endl;
        return false;
    }
    OverwriteAnswer askOverwrite(const QString &) override { return m_overwrite; }

private:
    QTextStream &m_err;
    OverwriteAnswer m_overwrite;
};

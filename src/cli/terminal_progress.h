#pragma once

#include "base/progress_sink.h"

#include <QElapsedTimer>
#include <QString>

// A one-line progress bar on stderr, drawn only when stderr is a terminal and
// redrawn at most a few times per second.
class TerminalProgress final : public ProgressSink
{
public:
    explicit TerminalProgress(const QString &title);
    ~TerminalProgress() override;
    void setProgress(qint64 position, qint64 maximum) override;
    void setLabel(const QString &) override {}

private:
    void draw();

    QString m_title;
    bool m_enabled;
    bool m_drawn = false;
    qint64 m_position = 0;
    qint64 m_maximum = 0;
    QElapsedTimer m_sinceDraw;
};

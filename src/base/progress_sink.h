#pragma once

#include <QString>

// Where long operations report how far they are. The GUI shows a progress window,
// the CLI a bar on stderr, tests record or ignore it. A sink may ask the work to stop.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    virtual void setProgress(qint64 position, qint64 maximum) = 0;
    virtual void setLabel(const QString &text) = 0;
    // Polled between records or rows; true ends the run as a failure.
    virtual bool isCancelled() const { return false; }
};

class NullProgress final : public ProgressSink
{
public:
    void setProgress(qint64, qint64) override {}
    void setLabel(const QString &) override {}
};

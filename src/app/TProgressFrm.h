#pragma once

#include "progress_window.h"

class QLabel;
class QProgressBar;

// The one-bar progress window of a single-file import or a single-category export:
// the bar across the top, the label below it.
class TProgressFrm final : public ProgressWindow, public ProgressSink
{
    Q_OBJECT
public:
    TProgressFrm(QWidget *parent, const QString &caption);

    void setProgress(qint64 position, qint64 maximum) override { m_sink.setProgress(position, maximum); }
    void setLabel(const QString &text) override { m_sink.setLabel(text); }
    bool isCancelled() const override { return cancelled(); }

    QProgressBar *cxProgressBar = nullptr;
    QLabel *LblStat = nullptr;

private:
    BarProgress m_sink;
};

#pragma once

#include "base/progress_sink.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// What the two progress windows share: no border icons, centred, 711 pixels wide, a "取消"
// button that asks the running work to stop, and a pump that lets the window repaint and
// the button be pressed a few times a second while the work runs on the GUI thread.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    ProgressWindow(QWidget *parent, const QString &name, const QString &caption);

    // Shows the window (not modal) and lets it paint once.
    void start();
    bool cancelled() const { return m_cancelled; }
    QPushButton *btnCancel = nullptr;

    // Runs pending events when the last run is long enough ago (or when forced).
    void pump(bool force = false);

    // A bar in the LED-segment look with a green gradient.
    static QProgressBar *newBar(QWidget *parent, const QString &name);

public slots:
    // Escape asks the work to stop; the window stays until the work ends.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QElapsedTimer m_sincePump;
    bool m_cancelled = false;
};

// One bar with its label, as a progress sink of a progress window.
class BarProgress final : public ProgressSink
{
public:
    BarProgress(ProgressWindow &window, QProgressBar *bar, QLabel *label);
    void setProgress(qint64 position, qint64 maximum) override;
    void setLabel(const QString &text) override;
    bool isCancelled() const override { return m_window.cancelled(); }

private:
    ProgressWindow &m_window;
    QProgressBar *m_bar;
    QLabel *m_label;
};

#include "progress_window.h"

#include "dialog_widgets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <limits>

namespace {

// Often enough to look alive, seldom enough to cost nothing against the work.
constexpr qint64 PumpIntervalMs = 150;

int clampedInt(qint64 value)
{
    return int(qBound(qint64(0), value, qint64(std::numeric_limits<int>::max())));
}

} // namespace

ProgressWindow::ProgressWindow(QWidget *parent, const QString &name, const QString &caption)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(false);
    setFont(DialogFont(12));
    setFixedWidth(711);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        btnCancel->setEnabled(false);
    });
}

void ProgressWindow::start()
{
    adjustSize();
    CentreOnScreen(this);
    show();
    pump(true);
}

void ProgressWindow::pump(bool force)
{
    if (!isVisible() || (!force && m_sincePump.isValid() && m_sincePump.elapsed() < PumpIntervalMs))
        return;
    m_sincePump.start();
    QCoreApplication::processEvents();
}

void ProgressWindow::reject()
{
    btnCancel->click();
}

void ProgressWindow::closeEvent(QCloseEvent *event)
{
    // The window goes when its work ends, not before.
    event->ignore();
}

QProgressBar *ProgressWindow::newBar(QWidget *parent, const QString &name)
{
    auto *bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setTextVisible(false);
    bar->setFixedHeight(22);
    bar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #7a9a7a; background: #102010; padding: 1px; }"
        "QProgressBar::chunk { width: 8px; margin: 1px;"
        " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #00c000, stop:1 #a0ff40); }"));
    return bar;
}

BarProgress::BarProgress(ProgressWindow &window, QProgressBar *bar, QLabel *label)
    : m_window(window), m_bar(bar), m_label(label)
{
}

void BarProgress::setProgress(qint64 position, qint64 maximum)
{
    m_bar->setRange(0, qMax(1, clampedInt(maximum)));
    m_bar->setValue(qMin(clampedInt(position), m_bar->maximum()));
    m_window.pump();
}

void BarProgress::setLabel(const QString &text)
{
    m_label->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_window.pump();
}

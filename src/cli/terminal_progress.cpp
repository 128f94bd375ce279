#include "terminal_progress.h"

#include <cstdio>
#include <unistd.h>

TerminalProgress::TerminalProgress(const QString &title)
    : m_title(title)
    , m_enabled(isatty(STDERR_FILENO) == 1)
{
    m_sinceDraw.start();
}

TerminalProgress::~TerminalProgress()
{
    if (m_drawn) {
        draw();
        std::fputc('\n', stderr);
    }
}

void TerminalProgress::setProgress(qint64 position, qint64 maximum)
{
    m_position = position;
    m_maximum = maximum;
    if (m_enabled && (!m_drawn || m_sinceDraw.elapsed() >= 200))
        draw();
}

void TerminalProgress::draw()
{
    if (!m_enabled)
        return;
    const int width = 30;
    const int filled = m_maximum > 0 ? int(qMin<qint64>(width, m_position * width / m_maximum)) : 0;
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(width - filled, '-');
    std::fprintf(stderr, "\r%s [%s] %lld", m_title.toLocal8Bit().constData(), bar.constData(),
                 static_cast<long long>(m_position));
    std::fflush(stderr);
    m_drawn = true;
    m_sinceDraw.restart();
}

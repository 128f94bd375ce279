#pragma once

#include "progress_window.h"

class QLabel;
class QProgressBar;

// The two-bar progress window of a folder import or a many-category export: the upper bar
// counts files, the lower one the records or rows of the current file.
class TMulProgressFrm final : public ProgressWindow
{
    Q_OBJECT
public:
    TMulProgressFrm(QWidget *parent, const QString &caption);

    ProgressSink &files() { return m_files; }
    ProgressSink &records() { return m_records; }

    QLabel *LblStat1 = nullptr;
    QProgressBar *cxProgressBar1 = nullptr;
    QLabel *LblStat2 = nullptr;
    QProgressBar *cxProgressBar2 = nullptr;

private:
    BarProgress m_files;
    BarProgress m_records;
};

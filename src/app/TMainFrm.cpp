#include "TMainFrm.h"

#include "store/data_module.h"

#include <QLabel>

TMainFrm::TMainFrm(TDm &dm, QWidget *parent)
    : QMainWindow(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("岚石通 V2.01"));
    resize(1000, 700);
    auto *frame = new QLabel(this);
    frame->setObjectName(QStringLiteral("frame"));
    setCentralWidget(frame);
}

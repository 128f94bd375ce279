#include "TProgressFrm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QProgressBar *makeBar(QWidget *parent)
{
    return ProgressWindow::newBar(parent, QStringLiteral("cxProgressBar"));
}

QLabel *makeLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TProgressFrm::TProgressFrm(QWidget *parent, const QString &caption)
    : ProgressWindow(parent, QStringLiteral("ProgressFrm"), caption)
    , cxProgressBar(makeBar(this))
    , LblStat(makeLabel(this, QStringLiteral("LblStat")))
    , m_sink(*this, cxProgressBar, LblStat)
{
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(LblStat, 1);
    bottom->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cxProgressBar);
    layout->addLayout(bottom);
}

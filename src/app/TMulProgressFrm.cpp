#include "TMulProgressFrm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QWidget *panel(QWidget *parent, const QString &name, QLabel *label, QProgressBar *bar)
{
    auto *p = new QWidget(parent);
    p->setObjectName(name);
    auto *layout = new QVBoxLayout(p);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(bar);
    return p;
}

} // namespace

TMulProgressFrm::TMulProgressFrm(QWidget *parent, const QString &caption)
    : ProgressWindow(parent, QStringLiteral("MulProgressFrm"), caption)
    , LblStat1(makeLabel(this, QStringLiteral("LblStat1")))
    , cxProgressBar1(newBar(this, QStringLiteral("cxProgressBar1")))
    , LblStat2(makeLabel(this, QStringLiteral("LblStat2")))
    , cxProgressBar2(newBar(this, QStringLiteral("cxProgressBar2")))
    , m_files(*this, cxProgressBar1, LblStat1)
    , m_records(*this, cxProgressBar2, LblStat2)
{
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel(this, QStringLiteral("Panel1"), LblStat1, cxProgressBar1));
    layout->addWidget(panel(this, QStringLiteral("Panel2"), LblStat2, cxProgressBar2));
    layout->addLayout(bottom);
}

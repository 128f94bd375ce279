#include "group_by_box.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

namespace {
const QString kMimeType = QStringLiteral("application/x-rowshift-grid-column");
}

GroupByBox::GroupByBox(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("GroupByBox"));
    setAcceptDrops(true);
    m_hint = new QLabel(QStringLiteral("拖动某个列标题到此处即可按该列分组"), this);
    m_hint->setObjectName(QStringLiteral("GroupByHint"));
    m_column = new QPushButton(this);
    m_column->setObjectName(QStringLiteral("btnUngroup"));
    m_column->setToolTip(QStringLiteral("取消分组"));
    m_column->hide();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_hint);
    layout->addWidget(m_column);
    layout->addStretch(1);
    connect(m_column, &QPushButton::clicked, this, &GroupByBox::ungroupRequested);
}

QMimeData *GroupByBox::columnMime(const QString &levelName, int column)
{
    auto *mime = new QMimeData;
    mime->setData(kMimeType, (levelName + QLatin1Char('\n') + QString::number(column)).toUtf8());
    return mime;
}

bool GroupByBox::readColumnMime(const QMimeData *mime, QString &levelName, int &column)
{
    if (!mime || !mime->hasFormat(kMimeType))
        return false;
    const QStringList parts = QString::fromUtf8(mime->data(kMimeType)).split(QLatin1Char('\n'));
    bool ok = false;
    column = parts.size() == 2 ? parts[1].toInt(&ok) : -1;
    levelName = parts.value(0);
    return ok;
}

void GroupByBox::showGrouping(const QString &columnName)
{
    m_hint->setVisible(columnName.isEmpty());
    m_column->setVisible(!columnName.isEmpty());
    m_column->setText(columnName + QStringLiteral("  ×"));
}

void GroupByBox::dragEnterEvent(QDragEnterEvent *event)
{
    QString level;
    int column = -1;
    if (readColumnMime(event->mimeData(), level, column))
        event->acceptProposedAction();
}

void GroupByBox::dropEvent(QDropEvent *event)
{
    QString level;
    int column = -1;
    if (!readColumnMime(event->mimeData(), level, column))
        return;
    event->acceptProposedAction();
    emit groupRequested(level, column);
}

#include "item_grid_level.h"

#include "group_by_box.h"
#include "item_grid_model.h"
#include "store/data_module.h"

#include <QApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int IndicatorWidth = 14;

void paintSelection(QTableView *view, const QColor &colour)
{
    if (!colour.isValid())
        return;
    QPalette palette = view->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, colour);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    view->setPalette(palette);
}

} // namespace

ItemGridLevel::ItemGridLevel(TDm &dm, const GridViewDef &def, const QString &imagesDir, const QColor &selectionColour,
                             QWidget *parent)
    : QWidget(parent)
    , m_def(def)
{
    setObjectName(def.levelName);
    m_model = new ItemGridModel(dm, def, imagesDir, this);

    m_view = new QTableView(this);
    m_view->setObjectName(def.viewName);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_view->setWordWrap(false);
    m_view->setMouseTracking(true);
    m_view->verticalHeader()->setFixedWidth(IndicatorWidth);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(16); // the narrowest column (Paipai's id) is 25 pixels
    for (int c = 0; c < def.columns.size(); ++c)
        m_view->setColumnWidth(c, def.columns[c].width);
    paintSelection(m_view, selectionColour);

    m_footerModel = new QStandardItemModel(0, def.columns.size(), this);
    m_footer = new QHeaderView(Qt::Horizontal, this);
    m_footer->setObjectName(def.viewName + QStringLiteral("_Footer"));
    m_footer->setModel(m_footerModel);
    m_footer->setSectionsClickable(false);
    m_footer->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_footer->setMinimumSectionSize(16);
    for (int c = 0; c < def.columns.size(); ++c)
        m_footer->resizeSection(c, def.columns[c].width);
    m_footer->setFixedHeight(header->sizeHint().height());
    m_footerIndent = new QWidget(this);
    m_footerIndent->setFixedWidth(IndicatorWidth + m_view->frameWidth());

    auto *footerRow = new QHBoxLayout;
    footerRow->setContentsMargins(0, 0, 0, 0);
    footerRow->setSpacing(0);
    footerRow->addWidget(m_footerIndent);
    footerRow->addWidget(m_footer, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addLayout(footerRow);

    connect(header, &QHeaderView::sectionResized, m_footer,
            [this](int section, int, int size) { m_footer->resizeSection(section, size); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer,
            [this] { m_footer->setOffset(m_view->horizontalHeader()->offset()); });
    connect(header, &QHeaderView::sectionClicked, this, &ItemGridLevel::sortBy);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_positioning)
                    emit currentRowChanged(current.isValid() ? current.row() : -1);
            });
    connect(m_model, &ItemGridModel::rowCountChanged, this, &ItemGridLevel::updateFooter);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ItemGridLevel::markGroupRows);
    connect(m_view, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (!m_model->isGroupRow(index.row()))
            return;
        m_model->toggleGroup(index.row());
        standOn(index.row()); // the group row keeps its place: the groups above it did not change
    });
    header->viewport()->installEventFilter(this);
    connect(m_model, &ItemGridModel::writeFailed, this, &ItemGridLevel::writeFailed);
    updateFooter();
}

void ItemGridLevel::updateFooter()
{
    const int tick = m_def.indexOf(m_def.tickColumn);
    const int name = m_def.indexOf(m_def.nameColumn);
    m_footerModel->setHeaderData(tick, Qt::Horizontal, QStringLiteral("合计:"));
    m_footerModel->setHeaderData(name, Qt::Horizontal, QString::number(m_model->itemCount()));
    for (int c = 0; c < m_def.columns.size(); ++c)
        if (c != tick && c != name)
            m_footerModel->setHeaderData(c, Qt::Horizontal, QString());
}

void ItemGridLevel::openQuery(const ItemQuery &query)
{
    if (!query.open) {
        m_model->close();
        standOn(-1);
        return;
    }
    m_model->open(query.sql);
    const int row = m_model->rowWhere(query.keyColumn, query.locateValue);
    standOn(row >= 0 ? row : 0);
}

void ItemGridLevel::reread()
{
    if (!m_model->isOpen())
        return;
    const qint64 key = currentKey();
    const int oldRow = currentRow();
    m_model->reopen();
    const int row = m_model->rowOfKey(key);
    if (row >= 0 && row == oldRow && currentRow() == row) {
        emit currentRowChanged(row); // same row, possibly new values
        return;
    }
    standOn(row >= 0 ? row : 0);
}

void ItemGridLevel::standOn(int row)
{
    m_positioning = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const int column = qMax(0, m_view->currentIndex().column());
        m_view->setCurrentIndex(m_model->index(row, column));
        m_view->scrollTo(m_model->index(row, column));
    } else {
        m_view->selectionModel()->clear();
    }
    m_positioning = false;
    emit currentRowChanged(currentRow());
}

void ItemGridLevel::sortBy(int column)
{
    const Qt::SortOrder order = m_model->sortColumn() == column && m_model->sortOrder() == Qt::AscendingOrder
        ? Qt::DescendingOrder
        : Qt::AscendingOrder;
    const qint64 key = currentKey();
    try {
        m_model->setSort(column, order);
    } catch (const StoreError &e) {
        emit writeFailed(e.message());
        return;
    }
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSortIndicator(column, order);
    const int row = m_model->rowOfKey(key);
    standOn(row >= 0 ? row : 0);
}

int ItemGridLevel::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

qint64 ItemGridLevel::currentKey() const
{
    return m_model->keyAt(currentRow());
}

QVariant ItemGridLevel::currentValue(const QString &column) const
{
    const int row = currentRow();
    return row < 0 ? QVariant() : m_model->value(row, column);
}

void ItemGridLevel::setCurrentRow(int row)
{
    m_view->setCurrentIndex(m_model->index(row, qMax(0, m_view->currentIndex().column())));
}

QVector<int> ItemGridLevel::selectedRows() const
{
    // Ranges rather than one index per cell: a selection of every row of a large category stays cheap.
    QVector<int> rows;
    const QItemSelection selection = m_view->selectionModel()->selection();
    QVector<bool> seen(m_model->rowCount(), false);
    for (const QItemSelectionRange &range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (row < seen.size() && !seen[row]) {
                seen[row] = true;
                rows.append(row);
            }
        }
    }
    return rows;
}

void ItemGridLevel::selectAll()
{
    m_view->selectAll();
}

void ItemGridLevel::groupBy(int column)
{
    const qint64 key = currentKey();
    try {
        m_model->setGroupColumn(column);
    } catch (const StoreError &e) {
        emit writeFailed(e.message());
        return;
    }
    const int row = m_model->rowOfKey(key);
    standOn(row >= 0 ? row : 0);
}

void ItemGridLevel::markGroupRows()
{
    // A group row reads across the whole width. Very many groups stay in the first column.
    constexpr int MaxSpannedGroups = 5000;
    m_view->clearSpans();
    const QVector<int> rows = m_model->groupRows();
    if (rows.size() > MaxSpannedGroups)
        return;
    for (int row : rows)
        m_view->setSpan(row, 0, 1, m_model->columnCount());
}

bool ItemGridLevel::eventFilter(QObject *watched, QEvent *event)
{
    // A header dragged out of the grid (onto the group-by panel) groups by its column.
    QHeaderView *header = m_view->horizontalHeader();
    if (watched != header->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint at = press->position().toPoint();
        const int section = header->logicalIndexAt(at);
        // Near a section's edge the press resizes the column: no drag then.
        const bool nearEdge = header->logicalIndexAt(at - QPoint(4, 0)) != section
            || header->logicalIndexAt(at + QPoint(4, 0)) != section;
        m_pressedSection = press->button() == Qt::LeftButton && !nearEdge ? section : -1;
        m_headerPress = at;
    } else if (event->type() == QEvent::MouseMove && m_pressedSection >= 0) {
        const auto *move = static_cast<QMouseEvent *>(event);
        if ((move->position().toPoint() - m_headerPress).manhattanLength() >= QApplication::startDragDistance()) {
            const int section = m_pressedSection;
            m_pressedSection = -1;
            dragHeader(section);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_pressedSection = -1;
    }
    return QWidget::eventFilter(watched, event);
}

void ItemGridLevel::dragHeader(int column)
{
    auto *drag = new QDrag(this);
    drag->setMimeData(GroupByBox::columnMime(objectName(), column));
    drag->exec(Qt::MoveAction);
}

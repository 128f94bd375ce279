#pragma once

#include "grid_views.h"

#include <QVariant>
#include <QWidget>

class ItemGridModel;
class QHeaderView;
class QStandardItemModel;
class QTableView;
class TDm;
struct ItemQuery;

// One level of the item grid: a table view over a lazy item model, with a footer that shows
// "合计:" under the tick column and the row count under the name column.
class ItemGridLevel : public QWidget
{
    Q_OBJECT
public:
    ItemGridLevel(TDm &dm, const GridViewDef &def, const QString &imagesDir, const QColor &selectionColour,
                  QWidget *parent = nullptr);

    const GridViewDef &def() const { return m_def; }
    QTableView *view() const { return m_view; }
    ItemGridModel *model() const { return m_model; }
    QHeaderView *footer() const { return m_footer; }

    // Shows the rows of an item query, standing on the first row whose locate column holds the
    // query's locate value, else on the first row. Store errors rise as StoreError.
    void openQuery(const ItemQuery &query);
    // Re-reads the rows, staying on the current row while it exists (else the first row).
    void reread();

    int currentRow() const;
    qint64 currentKey() const; // 0 when there is no current row
    QVariant currentValue(const QString &column) const;
    void setCurrentRow(int row);
    QVector<int> selectedRows() const;
    void selectAll();
    // Groups the rows by a column (-1: no grouping), staying on the current item.
    void groupBy(int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void currentRowChanged(int row);
    void writeFailed(const QString &message);

private:
    void sortBy(int column);
    void standOn(int row);
    void updateFooter();
    void markGroupRows();
    void dragHeader(int column);

    GridViewDef m_def;
    QTableView *m_view = nullptr;
    ItemGridModel *m_model = nullptr;
    QHeaderView *m_footer = nullptr;
    QStandardItemModel *m_footerModel = nullptr;
    QWidget *m_footerIndent = nullptr;
    bool m_positioning = false;
    QPoint m_headerPress;
    int m_pressedSection = -1;
};

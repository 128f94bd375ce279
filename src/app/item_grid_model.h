#pragma once

#include "grid_views.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QVector>

class TDm;

// The rows of one item query for a grid view, read lazily: the model holds the key of every
// row of the query and fetches the shown columns a page at a time, keeping a few pages only.
// Clicking a header sorts by re-reading the keys with ORDER BY; the tick column is a check box
// written to the table at once, and so is an edited editable column.
class ItemGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int PageSize = 128;
    static constexpr int CachedPages = 16;

    ItemGridModel(TDm &dm, const GridViewDef &view, const QString &imagesDir, QObject *parent = nullptr);

    const GridViewDef &view() const { return m_view; }

    // Reads the keys of a query (SELECT ... from the view's table) in the current sort order.
    // Re-reading the same query keeps the model's rows, selection and views when the keys did not change.
    // Store errors rise as StoreError.
    void open(const QString &sql);
    void reopen() { open(m_sql); }
    void close();
    bool isOpen() const { return !m_sql.isEmpty(); }
    QString sql() const { return m_sql; }

    // -1: the query's own order.
    void setSort(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    qint64 keyAt(int row) const;
    int rowOfKey(qint64 key) const;
    // The first shown row whose column holds the value; -1 when none does.
    int rowWhere(const QString &column, const QVariant &value) const;
    // A column of the table (shown or not) in one row.
    QVariant value(int row, const QString &column) const;
    QVector<qint64> keysOf(const QVector<int> &rows) const;
    // The values of a column for the rows with these keys (in no particular order).
    QVariantList columnOf(const QVector<qint64> &keys, const QString &column) const;

    // Tick modes: 0 tick, 1 reverse, 2 untick. Written to the table; call reopen() afterwards.
    void writeTicks(const QVector<qint64> &keys, int mode);
    void deleteRows(const QVector<qint64> &keys);

    int cachedRowCount() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    void rowCountChanged(int rows);
    // A cell could not be written; the text is the database's message.
    void writeFailed(const QString &message);

private:
    using Row = QVector<QVariant>;

    QVector<qint64> readKeys(const QString &sql) const;
    const Row *cachedRow(int row) const;
    void fetchPage(int page) const;
    void forgetPages() const;
    bool writeCell(int row, int column, const QVariant &value);
    QVariant pictureToolTip(const QVariant &name) const;

    TDm &m_dm;
    GridViewDef m_view;
    QString m_imagesDir;
    QString m_sql;
    QVector<qint64> m_keys;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    mutable QHash<int, QVector<Row>> m_pages;
    mutable QList<int> m_recentPages; // most recent last
};

#pragma once

#include "grid_views.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSet>
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

    // Groups the rows by a column (-1: no grouping): each group opens with a group row
    // "column : value (count)" and its item rows follow unless the group is collapsed.
    void setGroupColumn(int column);
    int groupColumn() const { return m_groupColumn; }
    bool isGroupRow(int row) const;
    void toggleGroup(int row);
    QVector<int> groupRows() const;
    // The item rows, group rows not counted.
    int itemCount() const { return m_keys.size(); }

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

    struct Group
    {
        QVariant value;
        int firstItem = 0;   // index into m_keys
        int items = 0;
        int row = 0;         // the group row's place among the shown rows
        bool collapsed = false;
    };

    QVector<qint64> readKeys(const QString &sql) const;
    void readGroups();
    void placeGroups();
    // Shown row -> index into m_keys; -1 for a group row.
    int itemIndex(int row) const;
    int groupAt(int row) const;
    int rowOfItem(int item) const;
    const Row *cachedRow(int row) const;
    void fetchPage(int page) const;
    void forgetPages() const;
    bool writeCell(int row, int column, const QVariant &value);
    QVariant pictureToolTip(const QVariant &name) const;
    QVariant groupData(const QModelIndex &index, int role) const;

    TDm &m_dm;
    GridViewDef m_view;
    QString m_imagesDir;
    QString m_sql;
    QVector<qint64> m_keys;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_groupColumn = -1;
    QVector<Group> m_groups;
    int m_shownRows = 0;
    QSet<QString> m_collapsed; // group values, kept across re-reads
    mutable QHash<int, QVector<Row>> m_pages;
    mutable QList<int> m_recentPages; // most recent last
};

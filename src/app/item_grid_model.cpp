#include "item_grid_model.h"

#include "store/data_module.h"

#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QImageReader>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>

namespace {

// Rows are written and read by key lists of this many at a time.
constexpr int ChunkSize = 5000;

QString quoted(const QString &identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// Keys come from the database as numbers; written back as decimal text they need no binding.
QString keyList(const QVector<qint64> &keys, int from, int count)
{
    QStringList parts;
    parts.reserve(count);
    for (int i = from; i < from + count && i < keys.size(); ++i)
        parts << QString::number(keys[i]);
    return parts.join(QLatin1Char(','));
}

QSqlQuery runSelect(TDm &dm, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(dm.Adc());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw StoreError(q.lastError().text());
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw StoreError(q.lastError().text());
    return q;
}

// The picture file of a name in the picture store: name.jpg, or the name itself when it
// already carries an extension. Only the last path segment counts (Paipai files may hold
// Windows paths).
QString picturePath(const QString &imagesDir, const QString &value)
{
    QString name = value.trimmed();
    const int cut = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    name = name.mid(cut + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    for (const QString &candidate : {name + QStringLiteral(".jpg"), name}) {
        const QFileInfo file(imagesDir + QLatin1Char('/') + candidate);
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return QString();
}

} // namespace

ItemGridModel::ItemGridModel(TDm &dm, const GridViewDef &view, const QString &imagesDir, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dm(dm)
    , m_view(view)
    , m_imagesDir(imagesDir)
{
}

QVector<qint64> ItemGridModel::readKeys(const QString &sql) const
{
    QString select = QStringLiteral("SELECT %1 FROM (%2)").arg(quoted(m_view.key), sql);
    QStringList order;
    if (m_groupColumn >= 0)
        order << quoted(m_view.columns[m_groupColumn].name);
    if (m_sortColumn >= 0)
        order << quoted(m_view.columns[m_sortColumn].name)
                + (m_sortOrder == Qt::AscendingOrder ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    if (!order.isEmpty())
        select += QStringLiteral(" ORDER BY ") + order.join(QLatin1Char(',')) + QLatin1Char(',') + quoted(m_view.key);
    QSqlQuery q = runSelect(m_dm, select);
    QVector<qint64> keys;
    while (q.next())
        keys.append(q.value(0).toLongLong());
    return keys;
}

void ItemGridModel::open(const QString &sql)
{
    const QVector<qint64> keys = readKeys(sql);
    if (sql == m_sql && keys == m_keys && m_groupColumn < 0) {
        // Same rows: only their values may have changed.
        forgetPages();
        if (!m_keys.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    m_sql = sql;
    m_keys = keys;
    forgetPages();
    readGroups();
    endResetModel();
    emit rowCountChanged(m_keys.size());
}

void ItemGridModel::close()
{
    beginResetModel();
    m_sql.clear();
    m_keys.clear();
    m_groups.clear();
    m_shownRows = 0;
    forgetPages();
    endResetModel();
    emit rowCountChanged(0);
}

void ItemGridModel::setSort(int column, Qt::SortOrder order)
{
    m_sortColumn = column >= 0 && column < m_view.columns.size() ? column : -1;
    m_sortOrder = order;
    if (!isOpen())
        return;
    beginResetModel();
    m_keys = readKeys(m_sql);
    forgetPages();
    readGroups();
    endResetModel();
}

void ItemGridModel::setGroupColumn(int column)
{
    column = column >= 0 && column < m_view.columns.size() ? column : -1;
    if (column == m_groupColumn)
        return;
    beginResetModel();
    m_groupColumn = column;
    m_collapsed.clear();
    if (isOpen())
        m_keys = readKeys(m_sql);
    forgetPages();
    readGroups();
    endResetModel();
}

void ItemGridModel::readGroups()
{
    m_groups.clear();
    m_shownRows = m_keys.size();
    if (m_groupColumn < 0 || !isOpen())
        return;
    // The groups in the order of the keys: both are ordered by the group column first.
    const QString column = quoted(m_view.columns[m_groupColumn].name);
    QSqlQuery q = runSelect(m_dm, QStringLiteral("SELECT %1, count(*) FROM (%2) GROUP BY %1 ORDER BY %1").arg(column, m_sql));
    int first = 0;
    while (q.next()) {
        Group group;
        group.value = q.value(0);
        group.firstItem = first;
        group.items = q.value(1).toInt();
        group.collapsed = m_collapsed.contains(group.value.toString());
        first += group.items;
        m_groups.append(group);
    }
    placeGroups();
}

void ItemGridModel::placeGroups()
{
    int row = 0;
    for (Group &group : m_groups) {
        group.row = row;
        row += 1 + (group.collapsed ? 0 : group.items);
    }
    m_shownRows = m_groupColumn < 0 ? m_keys.size() : row;
}

int ItemGridModel::groupAt(int row) const
{
    // The last group whose group row is at or above the row.
    const auto it = std::upper_bound(m_groups.begin(), m_groups.end(), row,
                                     [](int r, const Group &g) { return r < g.row; });
    return int(it - m_groups.begin()) - 1;
}

int ItemGridModel::itemIndex(int row) const
{
    if (row < 0 || row >= m_shownRows)
        return -1;
    if (m_groupColumn < 0)
        return row;
    const int g = groupAt(row);
    if (g < 0 || row == m_groups[g].row)
        return -1;
    return m_groups[g].firstItem + (row - m_groups[g].row - 1);
}

int ItemGridModel::rowOfItem(int item) const
{
    if (item < 0 || item >= m_keys.size())
        return -1;
    if (m_groupColumn < 0)
        return item;
    const auto it = std::upper_bound(m_groups.begin(), m_groups.end(), item,
                                     [](int i, const Group &g) { return i < g.firstItem; });
    if (it == m_groups.begin())
        return -1;
    const Group &group = *(it - 1);
    return group.collapsed ? group.row : group.row + 1 + (item - group.firstItem);
}

bool ItemGridModel::isGroupRow(int row) const
{
    return m_groupColumn >= 0 && row >= 0 && row < m_shownRows && itemIndex(row) < 0;
}

void ItemGridModel::toggleGroup(int row)
{
    if (!isGroupRow(row))
        return;
    Group &group = m_groups[groupAt(row)];
    beginResetModel();
    group.collapsed = !group.collapsed;
    if (group.collapsed)
        m_collapsed.insert(group.value.toString());
    else
        m_collapsed.remove(group.value.toString());
    placeGroups();
    endResetModel();
}

QVector<int> ItemGridModel::groupRows() const
{
    QVector<int> rows;
    for (const Group &group : m_groups)
        rows.append(group.row);
    return rows;
}

qint64 ItemGridModel::keyAt(int row) const
{
    const int item = itemIndex(row);
    return item >= 0 ? m_keys[item] : 0;
}

int ItemGridModel::rowOfKey(qint64 key) const
{
    return rowOfItem(m_keys.indexOf(key));
}

int ItemGridModel::rowWhere(const QString &column, const QVariant &value) const
{
    if (!isOpen() || value.isNull())
        return -1;
    if (column.compare(m_view.key, Qt::CaseInsensitive) == 0)
        return rowOfKey(value.toLongLong());
    QSqlQuery q = runSelect(m_dm,
                            QStringLiteral("SELECT %1 FROM (%2) WHERE %3 = ?").arg(quoted(m_view.key), m_sql, quoted(column)),
                            {value});
    QSet<qint64> matching;
    while (q.next())
        matching.insert(q.value(0).toLongLong());
    for (int item = 0; item < m_keys.size() && !matching.isEmpty(); ++item)
        if (matching.contains(m_keys[item]))
            return rowOfItem(item);
    return -1;
}

QVariant ItemGridModel::value(int row, const QString &column) const
{
    const int shown = m_view.indexOf(column);
    if (shown >= 0) {
        const Row *values = cachedRow(row);
        return values ? values->value(shown) : QVariant();
    }
    const int item = itemIndex(row);
    if (item < 0)
        return QVariant();
    QSqlQuery q = runSelect(m_dm, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(quoted(column), m_view.table, quoted(m_view.key)),
                            {m_keys[item]});
    return q.next() ? q.value(0) : QVariant();
}

QVector<qint64> ItemGridModel::keysOf(const QVector<int> &rows) const
{
    QVector<qint64> keys;
    keys.reserve(rows.size());
    for (int row : rows) {
        const int item = itemIndex(row);
        if (item >= 0)
            keys.append(m_keys[item]); // group rows stand for no item
    }
    return keys;
}

QVariantList ItemGridModel::columnOf(const QVector<qint64> &keys, const QString &column) const
{
    QVariantList values;
    for (int from = 0; from < keys.size(); from += ChunkSize) {
        QSqlQuery q = runSelect(m_dm, QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN (%4)")
                                          .arg(quoted(column), m_view.table, quoted(m_view.key),
                                               keyList(keys, from, ChunkSize)));
        while (q.next())
            values.append(q.value(0));
    }
    return values;
}

void ItemGridModel::writeTicks(const QVector<qint64> &keys, int mode)
{
    const QString value = mode == 0 ? QStringLiteral("-1")
        : mode == 1                 ? QStringLiteral("iif(%1,0,-1)").arg(quoted(m_view.tickColumn))
                                    : QStringLiteral("0");
    for (int from = 0; from < keys.size(); from += ChunkSize)
        m_dm.exec(QStringLiteral("UPDATE %1 SET %2=%3 WHERE %4 IN (%5)")
                      .arg(m_view.table, quoted(m_view.tickColumn), value, quoted(m_view.key),
                           keyList(keys, from, ChunkSize)));
    forgetPages();
}

void ItemGridModel::deleteRows(const QVector<qint64> &keys)
{
    for (int from = 0; from < keys.size(); from += ChunkSize)
        m_dm.exec(QStringLiteral("DELETE FROM %1 WHERE %2 IN (%3)")
                      .arg(m_view.table, quoted(m_view.key), keyList(keys, from, ChunkSize)));
    forgetPages();
}

int ItemGridModel::cachedRowCount() const
{
    int rows = 0;
    for (const QVector<Row> &page : m_pages)
        rows += page.size();
    return rows;
}

void ItemGridModel::forgetPages() const
{
    m_pages.clear();
    m_recentPages.clear();
}

const ItemGridModel::Row *ItemGridModel::cachedRow(int row) const
{
    const int item = itemIndex(row);
    if (item < 0)
        return nullptr;
    const int page = item / PageSize;
    if (!m_pages.contains(page)) {
        try {
            fetchPage(page);
        } catch (const StoreError &e) {
            qWarning("Reading grid rows failed: %s", qUtf8Printable(e.message()));
            return nullptr;
        }
    }
    m_recentPages.removeOne(page);
    m_recentPages.append(page);
    const QVector<Row> &rows = m_pages[page];
    const int offset = item - page * PageSize;
    return offset < rows.size() ? &rows[offset] : nullptr;
}

void ItemGridModel::fetchPage(int page) const
{
    const int first = page * PageSize;
    const int count = qMin(PageSize, int(m_keys.size()) - first);
    QStringList names;
    for (const GridColumn &c : m_view.columns)
        names << quoted(c.name);
    QSqlQuery q = runSelect(m_dm, QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 IN (%4)")
                                      .arg(quoted(m_view.key), names.join(QLatin1Char(',')), m_view.table,
                                           keyList(m_keys, first, count)));
    QHash<qint64, Row> byKey;
    while (q.next()) {
        Row values(m_view.columns.size());
        for (int c = 0; c < values.size(); ++c)
            values[c] = q.value(c + 1);
        byKey.insert(q.value(0).toLongLong(), values);
    }
    QVector<Row> rows(count);
    for (int i = 0; i < count; ++i)
        rows[i] = byKey.value(m_keys[first + i], Row(m_view.columns.size())); // a row deleted meanwhile shows empty
    while (m_recentPages.size() >= CachedPages)
        m_pages.remove(m_recentPages.takeFirst());
    m_pages.insert(page, rows);
    m_recentPages.append(page);
}

int ItemGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ItemGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_view.columns.size();
}

QVariant ItemGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (isGroupRow(index.row()))
        return groupData(index, role);
    const QString &column = m_view.columns[index.column()].name;
    const bool tick = column == m_view.tickColumn;
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole
        && !(role == Qt::CheckStateRole && tick))
        return QVariant();
    const Row *values = cachedRow(index.row());
    if (!values)
        return QVariant();
    const QVariant &value = values->at(index.column());
    if (tick)
        return role == Qt::CheckStateRole ? QVariant(value.toInt() != 0 ? Qt::Checked : Qt::Unchecked) : QVariant();
    if (role == Qt::ToolTipRole)
        return m_view.pictureColumns.contains(column) ? pictureToolTip(value) : QVariant();
    return value;
}

QVariant ItemGridModel::groupData(const QModelIndex &index, int role) const
{
    const Group &group = m_groups[groupAt(index.row())];
    if (role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::BackgroundRole)
        return QColor(232, 232, 232);
    if (role != Qt::DisplayRole || index.column() != 0)
        return QVariant();
    return QStringLiteral("%1 %2 : %3 (%4)")
        .arg(group.collapsed ? QStringLiteral("+") : QStringLiteral("-"), m_view.columns[m_groupColumn].name,
             group.value.toString())
        .arg(group.items);
}

QVariant ItemGridModel::pictureToolTip(const QVariant &name) const
{
    if (name.isNull())
        return QVariant();
    const QString path = picturePath(m_imagesDir, name.toString());
    if (path.isEmpty())
        return QVariant();
    QSize size = QImageReader(path).size();
    if (!size.isValid())
        return QVariant();
    size.scale(size.boundedTo(QSize(320, 320)), Qt::KeepAspectRatio);
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
        .arg(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toHtmlEscaped())
        .arg(size.width())
        .arg(size.height());
}

QVariant ItemGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_view.columns.size())
        return m_view.columns[section].name;
    return QVariant(); // the row indicator carries no numbers
}

Qt::ItemFlags ItemGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (isGroupRow(index.row()))
        return f;
    const QString &column = m_view.columns[index.column()].name;
    if (column == m_view.tickColumn)
        f |= Qt::ItemIsUserCheckable;
    else if (m_view.editableColumns.contains(column))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ItemGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsUserCheckable | Qt::ItemIsEditable)))
        return false;
    const bool tick = m_view.columns[index.column()].name == m_view.tickColumn;
    if (tick && role == Qt::CheckStateRole)
        return writeCell(index.row(), index.column(), value.toInt() == Qt::Checked ? -1 : 0);
    if (!tick && role == Qt::EditRole)
        return writeCell(index.row(), index.column(), value);
    return false;
}

bool ItemGridModel::writeCell(int row, int column, const QVariant &value)
{
    const int item = itemIndex(row);
    if (item < 0)
        return false;
    try {
        m_dm.exec(QStringLiteral("UPDATE %1 SET %2=? WHERE %3=?")
                      .arg(m_view.table, quoted(m_view.columns[column].name), quoted(m_view.key)),
                  {value, m_keys[item]});
    } catch (const StoreError &e) {
        emit writeFailed(e.message());
        return false;
    }
    const int page = item / PageSize;
    if (m_pages.contains(page) && item - page * PageSize < m_pages[page].size())
        m_pages[page][item - page * PageSize][column] = value;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
    return true;
}

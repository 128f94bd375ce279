#include "staging_file_model.h"

#include "store/data_module.h"

#include <QSqlQuery>

StagingFileModel::StagingFileModel(TDm &dm, const QString &table, const QString &flagColumn, QObject *parent)
    : QAbstractTableModel(parent), m_dm(dm), m_table(table), m_flagColumn(flagColumn)
{
}

QString StagingFileModel::columnName(int column) const
{
    switch (column) {
    case Id: return QStringLiteral("id");
    case Path: return QStringLiteral("文件路径");
    case Flag: return m_flagColumn;
    case PictureDir: return QStringLiteral("图片路径");
    case Category: return QStringLiteral("分类");
    case Parent: return QStringLiteral("上层分类");
    default: return QStringLiteral("cID");
    }
}

void StagingFileModel::reload()
{
    QStringList columns;
    for (int c = 0; c < ColumnCount; ++c)
        columns << columnName(c);
    QVector<QVariantList> rows;
    QSqlQuery &q = m_dm.exec(QStringLiteral("select ") + columns.join(QLatin1Char(',')) + QStringLiteral(" from ")
                             + m_table + QStringLiteral(" order by id"));
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < ColumnCount; ++c)
            row << q.value(c);
        rows << row;
    }
    q.finish();
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

void StagingFileModel::close()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

qint64 StagingFileModel::cIDOfRow(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row][CategoryId].toLongLong() : 0;
}

int StagingFileModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int StagingFileModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(CategoryId); // cID is kept, not shown
}

QVariant StagingFileModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const QVariant &value = m_rows[index.row()][index.column()];
    if (index.column() == Flag) {
        if (role == Qt::CheckStateRole)
            return value.toInt() != 0 ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return value;
    return QVariant();
}

QVariant StagingFileModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole && orientation == Qt::Horizontal)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return QString();
    return section == Id ? QStringLiteral("ID") : columnName(section);
}

Qt::ItemFlags StagingFileModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.column() == Id)
        return base;
    if (index.column() == Flag)
        return base | Qt::ItemIsUserCheckable;
    return base | Qt::ItemIsEditable;
}

bool StagingFileModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() == Id || index.row() >= m_rows.size())
        return false;
    QVariant stored;
    if (index.column() == Flag) {
        if (role != Qt::CheckStateRole)
            return false;
        stored = value.toInt() == Qt::Checked ? -1 : 0;
    } else {
        if (role != Qt::EditRole)
            return false;
        stored = value.toString();
    }
    QVariantList &row = m_rows[index.row()];
    try {
        m_dm.exec(QStringLiteral("update ") + m_table + QStringLiteral(" set ") + columnName(index.column())
                      + QStringLiteral("=? where id=?"),
                  {stored, row[Id]});
        m_dm.AdqExec().finish();
    } catch (const StoreError &e) {
        emit writeFailed(e.message());
        return false;
    }
    row[index.column()] = stored;
    emit dataChanged(index, index, {role, Qt::DisplayRole});
    return true;
}

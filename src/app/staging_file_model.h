#pragma once

#include <QAbstractTableModel>
#include <QVariantList>
#include <QVector>

class TDm;

// The rows of a staging file list (ImFile or ExFile) for an editable grid: ID, path, the
// picture flag, picture folder, category and parent category. A changed cell is stored at once.
class StagingFileModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    // table "ImFile" or "ExFile"; flagColumn "导入图片" or "导出图片".
    StagingFileModel(TDm &dm, const QString &table, const QString &flagColumn, QObject *parent = nullptr);

    // Reads the rows again; store errors rise as StoreError.
    void reload();
    // Forgets the rows.
    void close();
    qint64 cIDOfRow(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    void writeFailed(const QString &message);

private:
    enum Column { Id, Path, Flag, PictureDir, Category, Parent, CategoryId, ColumnCount };
    QString columnName(int column) const;

    TDm &m_dm;
    QString m_table;
    QString m_flagColumn;
    QVector<QVariantList> m_rows;
};

#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The five item tables, the format codes that number them and the view types
// that the main window shows a category in.
enum FormatCode {
    FormatGeneric = 0,   // BaseData
    FormatTaobao4 = 1,   // BabyData
    FormatTaobao5 = 2,   // BabyNewData (staging)
    FormatPaipai = 3,    // PPData
    FormatYoua = 4,      // YAData
};

enum class ColumnType {
    Text,      // text / text(n)
    Memo,      // long text
    Integer,   // whole number (64-bit here: real item numbers exceed 32 bits)
    Decimal,   // DECIMAL(14,2)
    Bit,       // yes/no: -1 true, 0 false, never null
    Counter,   // key assigned by the database
};

struct ColumnDef
{
    QString name;
    ColumnType type;
    int size = 0; // for text(n); 0 means the default text size
};

struct TableDef
{
    QString name;
    QVector<ColumnDef> columns;
    QString key;

    int indexOf(const QString &column) const; // case-insensitive, -1 when absent
    const ColumnDef *column(const QString &column) const;
    QStringList columnNames() const;
};

QString FormatTableName(int formatCode);
QString FormatKeyField(int formatCode);
int FormatOfViewType(int viewType);

// Table definitions in creation order of their columns.
const TableDef &BaseDataTable();
const TableDef &BabyDataTable();
const TableDef &BabyNewDataTable();
const TableDef &PPDataTable();
const TableDef &YADataTable();
const TableDef &ItemTable(const QString &name); // one of the five, case-insensitive
const TableDef &ItemTableOfFormat(int formatCode);

// The tables that hold an item's forms, in the fixed order the statements run over.
QStringList LinkedTables();

// The CREATE TABLE statement of an item table in SQLite's dialect.
QString CreateItemTableSql(const TableDef &table);

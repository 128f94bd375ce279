#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What one table view of the item grid shows: its table, its columns in order with their widths,
// and the columns with a role of their own.
struct GridColumn
{
    QString name;
    int width = 100;
};

struct GridViewDef
{
    QString levelName;          // the grid level, e.g. cxgrdlvl_Base
    QString viewName;           // its table view, e.g. cxgrdbtblvw_Base
    QString table;
    QString key;                // the table's counter key
    int formatCode = 0;
    int viewType = 1;           // the category view type this view belongs to
    QVector<GridColumn> columns;
    QString tickColumn;         // shown as a check box, written at once
    QString nameColumn;         // the footer shows the row count under it
    QString descriptionColumn;  // holds the path of the item's description file
    QStringList editableColumns;
    QStringList pictureColumns; // picture names in the picture store

    int indexOf(const QString &column) const; // case-insensitive, -1 when absent
};

const GridViewDef &BaseGridView();
const GridViewDef &BabyGridView();
const GridViewDef &PPGridView();

#pragma once

#include <QString>
#include <QStringList>

// The layouts of the shop files: Taobao assistant 4.x and 5.x, Paipai assistant.
// Column names are the store's column names (the native table's), in file order.
struct ShopLayout
{
    int formatCode = 0;
    QString tableName;           // native table
    QStringList columns;         // file columns in order, as store column names
    QStringList englishNames;    // 5.x only: line 2 of the header, parallel to columns
    QString nameColumn;          // the column whose emptiness marks an empty last record
    bool hasPictureColumns = false; // Taobao rows add 图片1..图片5 after the file columns
};

const ShopLayout &Taobao4Layout();
const ShopLayout &Taobao5Layout();
const ShopLayout &PaipaiLayout();
// The layout a format code reads and writes (4 reads as Paipai against YAData; 0 has none: Taobao4).
const ShopLayout &LayoutOfFormat(int formatCode);

// The name a header line gives a column when the system writes it
// (用户输入名值对 is written "用户输入名-值对").
QString HeaderFieldName(const QString &column);
// The inverse: a header name as read, quotes removed, mapped to the store column.
QString StoreColumnOfHeaderName(const QString &headerName);

// Picture lists (新图片): entries "name:kind:position:...;".
QStringList PictureListNames(const QString &pictureList);
// Names of the entries of one kind (0 for 4.x main pictures, 1 for 5.x), in order.
QStringList PictureListNamesOfKind(const QString &pictureList, int kind);

// The three forms of a Paipai 商品详情 value.
enum class PaipaiDescriptionForm { FullPath, BareFileName, HtmlText };
PaipaiDescriptionForm ClassifyPaipaiDescription(const QString &value);

// The fixed 版本 text the system writes into every Paipai record.
QString PaipaiVersionText();

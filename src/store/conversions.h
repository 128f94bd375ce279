#pragma once

#include <QString>

#include <functional>

class TDm;

// Conversion into the generic table, after an import has stored native rows.
// cidList: decimal cIDs joined by "," (the run's target category and its descendants).
bool ConvertNewToOld(TDm &dm, const QString &cidList, QString &error);            // BabyNewData -> BabyData
bool ConvertToBase(TDm &dm, int formatCode, const QString &cidList, QString &error); // BabyData/PPData -> BaseData

// Conversion out of the generic table, before a native view or an export.
bool ConvertBaseToNative(TDm &dm, int formatCode, const QString &cidList, QString &error);
bool ConvertBabyToBabyNew(TDm &dm, const QString &cidList, QString &error);       // BabyData -> BabyNewData

// The picture-kind rewrites between 4.x (main = 0, sku = 1) and 5.x (main = 1, sku = 2).
QString PictureKindsToTaobao4(const QString &pictureList);
QString PictureKindsToTaobao5(const QString &pictureList);

// Steps shared by the conversions.
// Runs one conversion inside one unit of work (nested in the caller's, if any). A StoreError
// rolls the unit back and comes back as false with its message in error.
bool RunConversionWork(TDm &dm, QString &error, const std::function<void()> &work);
// The category list checked for "in (...)"; raises StoreError when it is not one.
QString CheckedCategoryList(const QString &cidList);
// The largest value of a table's key, 0 when the table is empty: rows inserted later have larger keys.
qint64 LastRowKey(TDm &dm, const QString &table, const QString &key);
// Rewrites 新图片 of the rows of a Taobao table (BabyData, BabyNewData) whose ID is above afterId.
void RewritePictureKinds(TDm &dm, const QString &table, qint64 afterId, QString (*rewrite)(const QString &));

#pragma once

#include <QString>

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

#pragma once

#include <QString>

class TDm;

// Before a category is written: its native rows are made from the generic rows when the
// native table holds none of them, and for Taobao 5.x the staging table is filled.
// cID 0 stands for every category: each one without native rows is converted.
bool PrepareNativeRows(TDm &dm, int formatCode, qint64 cID, QString &error);

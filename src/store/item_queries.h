#pragma once

#include <QString>
#include <QVariant>

class TDm;

// Which of the three item queries an operation touches: 0 all, 1 generic, 2 Taobao, 3 Paipai.
enum ItemQueryMode { AllQueries = 0, BaseQuery = 1, BabyQuery = 2, PPQuery = 3 };

void OpenCategoryItems(TDm &dm, const QString &cID, const QVariant &locateValue, int mode);
void RequeryItems(TDm &dm, const QVariant &locateValue, int mode);
bool NativeRowsExist(TDm &dm, int formatCode, qint64 cID);

bool UntickCategory(TDm &dm, const QString &cID, QString &error);
// Tick mode: 0 tick, 1 reverse, 2 untick.
bool SetTickByLink(TDm &dm, int formatCode, const QString &bidList, int tickMode, QString &error);
bool DeleteByLink(TDm &dm, int formatCode, const QString &bidList, QString &error);
void DeleteCategoryItems(TDm &dm, const QString &cidList);

bool AddImportFile(TDm &dm, const QString &filePath, const QString &pictureDir, const QString &categoryName,
                   const QString &parentName, const QString &cID, bool importPictures, QString &error);
bool AddExportFile(TDm &dm, const QString &filePath, const QString &pictureDir, const QString &categoryName,
                   const QString &parentName, const QString &cID, bool exportPictures, QString &error);
bool ClearImportFiles(TDm &dm, QString &error);
bool ClearExportFiles(TDm &dm, QString &error);
bool ClearBabyNewData(TDm &dm, QString &error);

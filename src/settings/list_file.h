#pragma once

#include <QString>
#include <QStringList>

// The plain-text list files of the settings folder, in the order the start-up read reads them.
namespace ListFiles {

inline const QString ImageFilterList = QStringLiteral("ImageFilterList.txt");
inline const QString ImageDeleteList = QStringLiteral("ImageDeleteList.txt");
inline const QString PriceFilterList = QStringLiteral("PriceFilterList.txt");
inline const QString SalePriceFilterList = QStringLiteral("SalePriceFilterList.txt");
inline const QString NumberFilterList = QStringLiteral("NumberFilterList.txt");
inline const QString SaleNumberFilterList = QStringLiteral("SaleNumberFilterList.txt");
inline const QString AddressList = QStringLiteral("AddressList.txt");
inline const QString PT1ReplaceList = QStringLiteral("PT1ReplaceList.txt");
inline const QString PT2ReplaceList = QStringLiteral("PT2ReplaceList.txt");
inline const QString TZ1ReplaceList = QStringLiteral("TZ1ReplaceList.txt");
inline const QString TZ2ReplaceList = QStringLiteral("TZ2ReplaceList.txt");
inline const QString TZ3ReplaceList = QStringLiteral("TZ3ReplaceList.txt");
inline const QString DelContentList = QStringLiteral("DelContentList.txt");
inline const QString AddContentList = QStringLiteral("AddContentList.txt");
inline const QString NewContentList = QStringLiteral("NewContentList.txt");
inline const QString ZZ1ReplaceList = QStringLiteral("ZZ1ReplaceList.txt");
inline const QString ZZ2ReplaceList = QStringLiteral("ZZ2ReplaceList.txt");
inline const QString ImageChar1List = QStringLiteral("ImageChar1List.txt");
inline const QString ImageChar2List = QStringLiteral("ImageChar2List.txt");

// All nineteen names.
QStringList all();

// One entry per line: CR LF, LF or CR end a line; an empty line is an empty entry, and a
// last line without a line end is still an entry.
QStringList splitLines(const QString &text);

} // namespace ListFiles

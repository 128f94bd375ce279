#pragma once

#include <QString>
#include <QStringList>

// What the writer puts into a shop file, layout by layout: the columns in file order
// and the header lines in front of the first record.

// The export dialog's format list: items 0..3 are format codes 1..4, anything else 0.
int FormatFromIndex(int index);

// The columns the writer selects, in file order. Format 1: 46 Taobao 4.x columns;
// format 2: 41 Taobao 5.x columns; 3 and above: the 42 Paipai columns. Empty for 0.
QStringList FormatSelectList(int formatCode);

// Line 2 of a Taobao 5.x file: the English names over the 41 columns.
QStringList Taobao5EnglishNames();

// The header text that opens a new file, line ends included: for format 2
// "version 1.00" LF, the English names LF; then the column names ended by CR LF.
QString ExportHeaderText(int formatCode, const QStringList &columns);

#pragma once

#include <QString>
#include <QVariant>

// Numbers in shop files: optional blanks, an optional sign, digits with an optional
// decimal point and fraction, an optional exponent, optional blanks, nothing else.
namespace NumberText {

// Parses text into a value rounded to `places` decimals, halves to the even neighbour.
// Whole numbers (places 0) come back as qint64, others as double; null when the text
// is not a number.
QVariant parse(const QString &text, int places);

} // namespace NumberText

#pragma once

#include <QString>
#include <QVariant>

// The text of one field as the writer puts it between two TABs.

// A number column: the value's shortest decimal text ("12.5", "12"), nothing for null.
QString NumberFieldText(const QVariant &value);

// A text or memo column between double quotes. The store keeps a value the way the
// file had it inside its quotes (an escaped quote stays doubled), so runs of quotes of
// even length pass unchanged and a run of odd length gets one more quote: what we
// read back is what we wrote, and a lone quote never unbalances the field.
QString QuotedFieldText(const QString &value);

// The Taobao description written in place of the description file's path: the file's
// text (ANSI or UTF-8) with line breaks and TABs removed and every quote doubled.
// A path that names no file gives an empty text; false with the system's message when
// an existing file cannot be read.
bool ReadDescriptionFile(const QString &path, QString &text, QString &error);

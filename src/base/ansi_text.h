#pragma once

#include <QByteArray>
#include <QString>

// The Windows tools write "ANSI" text files (description files, settings.ini, list files)
// in GBK. We write GB18030, a lossless superset that those tools still read, and read
// UTF-8 (with a BOM, or when the bytes are valid UTF-8) or else GB18030.
namespace AnsiText {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
bool isValidUtf8(const QByteArray &bytes);

// Reads a whole file; false (and the system's message) when it cannot be read.
bool readFile(const QString &path, QString *text, QString *error = nullptr);
// Writes a whole file through a temporary file renamed over the target.
bool writeFile(const QString &path, const QString &text, QString *error = nullptr);

} // namespace AnsiText

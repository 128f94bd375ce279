#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

// The text of a shop file, decoded block by block. The assistants write UTF-16LE with the
// mark FF FE; other tools write UTF-16BE (FE FF) or UTF-8 (with or without its mark).
// UTF-16 is read straight into the text, unit by unit, so that no code unit is lost or replaced
// (unpaired surrogates included); a final odd byte is ignored.
class ShopTextStream
{
public:
    enum class Encoding { Utf16LE, Utf16BE, Utf8WithMark, Utf8 };

    explicit ShopTextStream(const QString &path);

    // Opens the file and reads its mark; false with the system's message when it cannot be opened.
    bool open(QString &error);
    Encoding encoding() const { return m_encoding; }

    // Replaces text with the next block's text (it may be empty), reusing text's memory;
    // false once the file is used up or on a read failure (see error()).
    bool readBlock(QString &text);
    bool atEnd() const { return m_atEnd; }
    QString error() const { return m_error; }
    // For UTF-8 files without a mark: whether everything decoded so far was valid UTF-8.
    bool decodedCleanly() const { return !m_utf8.hasError(); }

private:
    qint64 readUtf16(QString &text);
    qint64 readUtf8(QString &text);

    QFile m_file;
    Encoding m_encoding = Encoding::Utf8;
    QStringDecoder m_utf8{QStringDecoder::Utf8};
    QByteArray m_bytes;
    char m_carry = 0; // an odd byte waiting for its partner
    bool m_hasCarry = false;
    bool m_atEnd = false;
    QString m_error;
};

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How the byte search steps over multi-byte characters, so that a find text never
// matches starting inside one.
enum class ByteEncoding {
    Gbk,  // a byte of 0x80 or above opens a two-byte character
    Utf8  // a lead byte opens its whole sequence; a stray continuation byte stands alone
};

// 1-based byte position of the first occurrence of `find` at or after `start` in `source`,
// or 0 when there is none (also for an empty find text).
qsizetype FindText(QByteArrayView source, QByteArrayView find, qsizetype start,
                   ByteEncoding encoding = ByteEncoding::Gbk);
// As FindText, with the ASCII letters a-z and A-Z equal; every other byte compares unchanged.
qsizetype FindTextNoCase(QByteArrayView source, QByteArrayView find, qsizetype start,
                         ByteEncoding encoding = ByteEncoding::Gbk);

// Replaces every occurrence of `find` in one left-to-right pass: occurrences never overlap
// and the replacement is never searched again. An empty find text leaves the source as it is.
QByteArray ReplaceText(const QByteArray &source, QByteArrayView find, QByteArrayView replacement,
                       bool caseSensitive, ByteEncoding encoding = ByteEncoding::Gbk);

// The same over UTF-16 text: a surrogate pair is stepped over as a whole, and without case
// sensitivity only the ASCII letters fold.
QString ReplaceText(const QString &source, const QString &find, const QString &replacement,
                    bool caseSensitive);

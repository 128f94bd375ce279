#include "text_replace.h"

#include <algorithm>

namespace {

template<typename Unit>
Unit foldAscii(Unit c)
{
    return (c >= Unit('a') && c <= Unit('z')) ? Unit(c - ('a' - 'A')) : c;
}

// Bytes the character starting at `pos` takes.
qsizetype charWidth(QByteArrayView text, qsizetype pos, ByteEncoding encoding)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return 1;
    if (encoding == ByteEncoding::Gbk)
        return 2;
    const qsizetype sequence = lead >= 0xF0 && lead < 0xF8 ? 4
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xC0 && lead < 0xE0 ? 2
                                                           : 1;
    // A truncated sequence never swallows the ASCII byte that follows it.
    qsizetype width = 1;
    while (width < sequence && pos + width < text.size()
           && (static_cast<unsigned char>(text[pos + width]) & 0xC0) == 0x80)
        ++width;
    return width;
}

qsizetype charWidth(const QString &text, qsizetype pos)
{
    return text[pos].isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate() ? 2 : 1;
}

template<typename Unit>
bool matchesAt(const Unit *candidate, const Unit *find, qsizetype length, bool caseSensitive)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (caseSensitive ? candidate[i] != find[i] : foldAscii(candidate[i]) != foldAscii(find[i]))
            return false;
    }
    return true;
}

const unsigned char *bytes(QByteArrayView text)
{
    return reinterpret_cast<const unsigned char *>(text.data());
}

const char16_t *units(const QString &text)
{
    return reinterpret_cast<const char16_t *>(text.utf16());
}

// 0-based position of the first occurrence at or after `from`, or -1.
qsizetype search(QByteArrayView source, QByteArrayView find, qsizetype from, bool caseSensitive,
                 ByteEncoding encoding)
{
    if (find.isEmpty())
        return -1;
    const qsizetype last = source.size() - find.size();
    for (qsizetype q = qMax<qsizetype>(from, 0); q <= last; q += charWidth(source, q, encoding)) {
        if (matchesAt(bytes(source) + q, bytes(find), find.size(), caseSensitive))
            return q;
    }
    return -1;
}

// QString::indexOf gives the same answer (and is much faster) when folding cannot differ
// and no match could start inside a surrogate pair.
bool indexOfAgrees(const QString &find, bool caseSensitive)
{
    if (find.front().isLowSurrogate())
        return false;
    if (caseSensitive)
        return true;
    return std::none_of(find.cbegin(), find.cend(), [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); });
}

qsizetype search(const QString &source, const QString &find, qsizetype from, bool caseSensitive)
{
    if (find.isEmpty())
        return -1;
    if (indexOfAgrees(find, caseSensitive))
        return source.indexOf(find, qMax<qsizetype>(from, 0), Qt::CaseSensitive);
    const qsizetype last = source.size() - find.size();
    for (qsizetype q = qMax<qsizetype>(from, 0); q <= last; q += charWidth(source, q)) {
        if (matchesAt(units(source) + q, units(find), find.size(), caseSensitive))
            return q;
    }
    return -1;
}

// Room for the result: exact when the text cannot grow, else up to twice the source.
// Reserving the theoretical worst case (every byte a match) could ask for gigabytes.
qsizetype resultCapacity(qsizetype sourceSize, qsizetype findSize, qsizetype replacementSize)
{
    if (replacementSize <= findSize)
        return sourceSize;
    const qsizetype worstGrowth = sourceSize / findSize * (replacementSize - findSize);
    return sourceSize + qMin(worstGrowth, sourceSize);
}

} // namespace

qsizetype FindText(QByteArrayView source, QByteArrayView find, qsizetype start, ByteEncoding encoding)
{
    return search(source, find, start - 1, true, encoding) + 1;
}

qsizetype FindTextNoCase(QByteArrayView source, QByteArrayView find, qsizetype start, ByteEncoding encoding)
{
    return search(source, find, start - 1, false, encoding) + 1;
}

QByteArray ReplaceText(const QByteArray &source, QByteArrayView find, QByteArrayView replacement,
                       bool caseSensitive, ByteEncoding encoding)
{
    qsizetype q = search(source, find, 0, caseSensitive, encoding);
    if (q < 0)
        return source;
    QByteArray result;
    result.reserve(resultCapacity(source.size(), find.size(), replacement.size()));
    qsizetype p = 0;
    for (; q >= 0; q = search(source, find, p, caseSensitive, encoding)) {
        result.append(source.constData() + p, q - p);
        result.append(replacement);
        p = q + find.size();
    }
    result.append(source.constData() + p, source.size() - p);
    return result;
}

QString ReplaceText(const QString &source, const QString &find, const QString &replacement,
                    bool caseSensitive)
{
    qsizetype q = search(source, find, 0, caseSensitive);
    if (q < 0)
        return source;
    QString result;
    result.reserve(resultCapacity(source.size(), find.size(), replacement.size()));
    qsizetype p = 0;
    for (; q >= 0; q = search(source, find, p, caseSensitive)) {
        result.append(QStringView(source).mid(p, q - p));
        result.append(replacement);
        p = q + find.size();
    }
    result.append(QStringView(source).mid(p));
    return result;
}

#include "shop_text_stream.h"

#include <QtEndian>

namespace {

constexpr qint64 BlockBytes = 256 * 1024;

void swapBytePairs(char16_t *units, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        units[i] = char16_t((units[i] << 8) | (units[i] >> 8));
}

} // namespace

ShopTextStream::ShopTextStream(const QString &path)
    : m_file(path)
{
}

bool ShopTextStream::open(QString &error)
{
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = m_file.errorString();
        return false;
    }
    const QByteArray head = m_file.read(3);
    qint64 markSize = 0;
    if (head.startsWith("\xFF\xFE")) {
        m_encoding = Encoding::Utf16LE;
        markSize = 2;
    } else if (head.startsWith("\xFE\xFF")) {
        m_encoding = Encoding::Utf16BE;
        markSize = 2;
    } else if (head.startsWith("\xEF\xBB\xBF")) {
        m_encoding = Encoding::Utf8WithMark;
        markSize = 3;
    }
    if (!m_file.seek(markSize)) {
        error = m_file.errorString();
        return false;
    }
    return true;
}

bool ShopTextStream::readBlock(QString &text)
{
    if (m_atEnd)
        return false;
    const bool utf16 = m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE;
    const qint64 got = utf16 ? readUtf16(text) : readUtf8(text);
    if (got < 0)
        m_error = m_file.errorString();
    m_atEnd = got <= 0 || m_file.atEnd();
    return got > 0;
}

qint64 ShopTextStream::readUtf16(QString &text)
{
    text.resize(BlockBytes / 2 + 1);
    char *bytes = reinterpret_cast<char *>(text.data());
    qint64 have = 0;
    if (m_hasCarry) {
        bytes[have++] = m_carry;
        m_hasCarry = false;
    }
    const qint64 got = m_file.read(bytes + have, BlockBytes);
    have += qMax<qint64>(got, 0);
    m_hasCarry = have % 2 != 0; // dropped if the file ends here
    if (m_hasCarry)
        m_carry = bytes[have - 1];
    text.resize(have / 2);
    const bool swapped = (m_encoding == Encoding::Utf16BE) == (Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    if (swapped)
        swapBytePairs(reinterpret_cast<char16_t *>(text.data()), text.size());
    return got;
}

qint64 ShopTextStream::readUtf8(QString &text)
{
    m_bytes.resize(BlockBytes);
    const qint64 got = m_file.read(m_bytes.data(), BlockBytes);
    const QByteArrayView bytes(m_bytes.constData(), qMax<qint64>(got, 0));
    text.resize(m_utf8.requiredSpace(bytes.size()));
    const QChar *end = m_utf8.appendToBuffer(text.data(), bytes);
    text.resize(end - text.constData());
    return got;
}

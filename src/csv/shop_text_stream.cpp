#include "shop_text_stream.h"

#include <QtEndian>

namespace {

constexpr qint64 BlockBytes = 256 * 1024;

} // namespace

ShopTextStream::ShopTextStream(const QString &path)
    : m_file(path)
{
}

bool ShopTextStream::open(QString &error)
{
    if (!m_file.open(QIODevice::ReadOnly)) {
        error = m_file.errorString();
        return false;
    }
    const QByteArray head = m_file.peek(3);
    int markSize = 0;
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
    m_file.skip(markSize);
    return true;
}

bool ShopTextStream::readBlock(QString &text)
{
    text.clear();
    if (m_atEnd)
        return false;
    const QByteArray bytes = m_file.read(BlockBytes);
    m_atEnd = bytes.isEmpty() || m_file.atEnd();
    if (bytes.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError)
            m_error = m_file.errorString();
        return false;
    }
    if (m_encoding == Encoding::Utf8 || m_encoding == Encoding::Utf8WithMark)
        text = m_utf8.decode(bytes);
    else
        decodeUtf16(bytes, text);
    return true;
}

void ShopTextStream::decodeUtf16(const QByteArray &bytes, QString &text)
{
    QByteArray joined;
    const QByteArray *source = &bytes;
    if (!m_carry.isEmpty()) {
        joined = m_carry + bytes;
        m_carry.clear();
        source = &joined;
    }
    const qsizetype units = source->size() / 2;
    if (source->size() % 2)
        m_carry = source->right(1); // dropped if the file ends here
    text.resize(units);
    if (m_encoding == Encoding::Utf16LE)
        qFromLittleEndian<char16_t>(source->constData(), units, text.data());
    else
        qFromBigEndian<char16_t>(source->constData(), units, text.data());
}

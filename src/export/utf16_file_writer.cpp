#include "utf16_file_writer.h"

#include <QSysInfo>
#include <QtEndian>

namespace {

constexpr qsizetype kBufferSize = 1 << 20;

void appendUtf16le(QByteArray &bytes, const QString &text)
{
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    } else {
        for (const QChar c : text) {
            const quint16 le = qToLittleEndian(quint16(c.unicode()));
            bytes.append(reinterpret_cast<const char *>(&le), 2);
        }
    }
}

// Whether an existing file's last character is a line feed; a record appended after a
// last line without its break would otherwise be glued to it.
bool endsWithLineFeed(QFile &file)
{
    if (file.size() < 2 || !file.seek(file.size() - 2))
        return false;
    return file.read(2) == QByteArray("\n\0", 2);
}

} // namespace

Utf16FileWriter::~Utf16FileWriter()
{
    if (m_file.isOpen()) {
        QString ignored;
        flush(ignored);
        m_file.close();
    }
}

bool Utf16FileWriter::open(const QString &path, bool append, QString &error)
{
    m_file.setFileName(path);
    m_buffer.resize(0);
    m_buffer.reserve(kBufferSize + 4096);
    const QIODevice::OpenMode mode = QIODevice::Unbuffered
        | (append ? QIODevice::ReadWrite : QIODevice::WriteOnly | QIODevice::Truncate);
    if (!m_file.open(mode)) {
        error = QStringLiteral("打开写入文件失败！");
        return false;
    }
    m_empty = m_file.size() == 0;
    if (append && !m_empty) {
        const bool terminated = endsWithLineFeed(m_file);
        if (!m_file.seek(m_file.size())) {
            m_file.close();
            error = QStringLiteral("打开写入文件失败！");
            return false;
        }
        if (!terminated)
            appendUtf16le(m_buffer, QStringLiteral("\r\n"));
    }
    return true;
}

void Utf16FileWriter::writeMark()
{
    m_buffer.append("\xFF\xFE", 2);
}

bool Utf16FileWriter::write(const QString &text, QString &error)
{
    appendUtf16le(m_buffer, text);
    return m_buffer.size() < kBufferSize || flush(error);
}

bool Utf16FileWriter::flush(QString &error)
{
    if (m_buffer.isEmpty())
        return true;
    const qint64 written = m_file.write(m_buffer);
    const qint64 expected = m_buffer.size();
    m_buffer.resize(0); // keeps the allocation for the next lines
    if (written < 0) {
        error = QStringLiteral("写入文件失败！");
        return false;
    }
    if (written != expected) {
        error = QStringLiteral("写入文件大小不符！");
        return false;
    }
    return true;
}

bool Utf16FileWriter::close(QString &error)
{
    const bool flushed = flush(error);
    m_file.close();
    return flushed;
}

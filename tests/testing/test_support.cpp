#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempHome::TempHome()
    : m_home(m_dir.path())
{
}

QString TempHome::path(const QString &relative) const
{
    return relative.isEmpty() ? m_dir.path() : m_dir.path() + QLatin1Char('/') + relative;
}

namespace TestFiles {

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray utf16le(const QString &text, bool withMark)
{
    QByteArray bytes;
    if (withMark)
        bytes.append("\xFF\xFE", 2);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF));
        bytes.append(char(u >> 8));
    }
    return bytes;
}

} // namespace TestFiles

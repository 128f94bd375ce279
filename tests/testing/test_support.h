#pragma once

#include "base/home.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh home folder in a temporary directory, removed with the object.
class TempHome
{
public:
    TempHome();
    const Home &home() const { return m_home; }
    QString path(const QString &relative = QString()) const;

private:
    QTemporaryDir m_dir;
    Home m_home;
};

namespace TestFiles {
// Writes bytes to a file, creating its folder; fails the calling test through QVERIFY when it cannot.
bool write(const QString &path, const QByteArray &bytes);
QByteArray read(const QString &path);
// UTF-16LE with the FF FE mark, as the shop assistants write their files.
QByteArray utf16le(const QString &text, bool withMark = true);
} // namespace TestFiles

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes a shop file as UTF-16 little-endian through its own buffer, so that a failing
// write (a full disk) surfaces at the call that caused it and is never lost in a flush.
class Utf16FileWriter
{
public:
    Utf16FileWriter() = default;
    ~Utf16FileWriter();
    Utf16FileWriter(const Utf16FileWriter &) = delete;
    Utf16FileWriter &operator=(const Utf16FileWriter &) = delete;

    // Creates the file (emptying an existing one) or opens it to append at its end.
    // Fails with "打开写入文件失败！".
    bool open(const QString &path, bool append, QString &error);
    // True when the file holds nothing yet: it needs the byte-order mark and the header.
    bool isEmpty() const { return m_empty; }

    void writeMark();
    // Buffers the text; writes the buffer out when it is full.
    bool write(const QString &text, QString &error);
    // Writes out what is buffered and closes; fails with the writer's error texts.
    bool close(QString &error);

private:
    bool flush(QString &error);

    QFile m_file;
    QByteArray m_buffer;
    bool m_empty = true;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// settings.ini held in memory. Section and key names match without regard to case. Only the
// lines of keys that are set change; every other line (other sections, unknown keys, comments,
// malformed lines) is written back with the bytes it was read with.
class IniFile
{
public:
    // Reads UTF-8 when the bytes carry a UTF-8 mark or are valid UTF-8, else GB18030.
    static IniFile fromBytes(const QByteArray &bytes);
    // GB18030 text, every line ended by CR LF.
    QByteArray toBytes() const;

    // The value of a key; a null string when its section or the key is missing.
    QString value(const QString &section, const QString &key) const;
    // Changes the key in place, or adds it at the end of its section, or adds the section at the end.
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Line
    {
        QString text;
        QByteArray bytes; // as written back
    };

    void setLine(qsizetype index, const QString &text);
    void insertLine(qsizetype index, const QString &text);
    qsizetype findKey(const QString &section, const QString &key) const;
    qsizetype endOfSection(const QString &section) const;

    QVector<Line> m_lines;
};

#include "ini_file.h"

#include "base/ansi_text.h"

#include <QStringDecoder>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

// The name of a section header line, or a null string when the line is no header.
// A '[' without a closing ']' is no header.
QString headerName(const QString &line)
{
    const QString text = line.trimmed();
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    if (!text.startsWith(QLatin1Char('[')) || close < 0)
        return QString();
    return text.mid(1, close - 1).trimmed();
}

bool isComment(const QString &text)
{
    return text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'));
}

// Splits a key line into name and raw value; false for any other line.
bool splitKeyLine(const QString &line, QString *name, QString *rawValue)
{
    const QString text = line.trimmed();
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0 || isComment(text) || !headerName(text).isNull())
        return false;
    *name = text.left(equals).trimmed();
    *rawValue = text.mid(equals + 1);
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool isQuoted(const QString &text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// As the Windows profile functions read a value: blanks around it go, and one pair of
// quotes around the whole value goes.
QString unquote(const QString &raw)
{
    const QString text = raw.trimmed();
    return isQuoted(text) ? text.mid(1, text.size() - 2) : text;
}

// Quotes a value that would not read back unchanged. Line breaks would start new lines
// (and could forge keys), so they become blanks.
QString quote(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (value != value.trimmed() || isQuoted(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

QString decodeGb18030(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString::fromLatin1(bytes);
}

} // namespace

IniFile IniFile::fromBytes(const QByteArray &bytes)
{
    IniFile file;
    const bool marked = bytes.startsWith(kUtf8Mark);
    const QByteArray body = marked ? bytes.mid(kUtf8Mark.size()) : bytes;
    const bool utf8 = marked || AnsiText::isValidUtf8(body);
    QList<QByteArray> rows = body.split('\n');
    if (!rows.isEmpty() && rows.back().isEmpty())
        rows.removeLast(); // the line end after the last line
    for (QByteArray &row : rows) {
        if (row.endsWith('\r'))
            row.chop(1);
        // Lines of a UTF-8 file are rewritten in GB18030 like the rest of the saved file.
        const QString text = utf8 ? QString::fromUtf8(row) : decodeGb18030(row);
        file.m_lines.append({text, utf8 ? AnsiText::encode(text) : row});
    }
    return file;
}

QByteArray IniFile::toBytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.bytes + "\r\n";
    return bytes;
}

qsizetype IniFile::findKey(const QString &section, const QString &key) const
{
    bool inSection = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString header = headerName(m_lines[i].text);
        if (!header.isNull()) {
            inSection = sameName(header, section);
            continue;
        }
        QString name, rawValue;
        if (inSection && splitKeyLine(m_lines[i].text, &name, &rawValue) && sameName(name, key))
            return i;
    }
    return -1;
}

// The index after the last non-blank line of the first section of that name, or -1.
qsizetype IniFile::endOfSection(const QString &section) const
{
    qsizetype end = -1;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString header = headerName(m_lines[i].text);
        if (!header.isNull()) {
            if (end >= 0)
                break;
            if (sameName(header, section))
                end = i + 1;
        } else if (end >= 0 && !m_lines[i].text.trimmed().isEmpty()) {
            end = i + 1;
        }
    }
    return end;
}

QString IniFile::value(const QString &section, const QString &key) const
{
    const qsizetype index = findKey(section, key);
    if (index < 0)
        return QString();
    QString name, rawValue;
    splitKeyLine(m_lines[index].text, &name, &rawValue);
    return unquote(rawValue);
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + QLatin1Char('=') + quote(value);
    const qsizetype index = findKey(section, key);
    if (index >= 0) {
        setLine(index, line);
        return;
    }
    const qsizetype end = endOfSection(section);
    if (end >= 0) {
        insertLine(end, line);
        return;
    }
    insertLine(m_lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
    insertLine(m_lines.size(), line);
}

void IniFile::setLine(qsizetype index, const QString &text)
{
    if (m_lines[index].text == text)
        return; // keeps the bytes as read
    m_lines[index] = {text, AnsiText::encode(text)};
}

void IniFile::insertLine(qsizetype index, const QString &text)
{
    m_lines.insert(index, {text, AnsiText::encode(text)});
}

#pragma once

#include <QString>
#include <QStringView>

// Cuts a shop file's text into lines at the record separator (CR LF, CR or LF, fixed per file).
// A separator inside quotes belongs to the text: the quote parity is carried from the start of
// the line across blocks, so every character is looked at once. The separator is never part of a
// line. A line that lies within one block is handed on as a view into that block; only a line
// that spans blocks is collected, so memory stays bounded by the longest line.
class RecordLines
{
public:
    enum class Separator { CrLf, Cr, Lf };

    void setSeparator(Separator separator);

    // Calls onLine(QStringView line) for every line the text completes; stops when it returns false.
    template <typename OnLine>
    bool feed(QStringView text, OnLine &&onLine);
    // The text after the last separator, when there is any, is the last line.
    template <typename OnLine>
    bool finish(OnLine &&onLine);

private:
    template <typename OnLine>
    bool emitLine(QStringView piece, OnLine &onLine);

    QString m_partial; // the beginning of a line that spans blocks
    bool m_quoted = false;
    char16_t m_breakChar = u'\n';
    bool m_crLf = true;
};

template <typename OnLine>
bool RecordLines::feed(QStringView text, OnLine &&onLine)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c > u'"') // the common case: nothing that matters here
            continue;
        if (c == u'"') {
            m_quoted = !m_quoted;
            continue;
        }
        if (c != m_breakChar || m_quoted)
            continue;
        qsizetype end = i;
        if (m_crLf) { // the LF counts only after a CR, which may close the previous block
            if (i > start) {
                if (p[i - 1] != u'\r')
                    continue;
                --end;
            } else if (!m_partial.isEmpty() && m_partial.back() == u'\r') {
                m_partial.chop(1);
            } else {
                continue;
            }
        }
        if (!emitLine(text.mid(start, end - start), onLine))
            return false;
        start = i + 1;
    }
    m_partial.append(text.mid(start));
    return true;
}

template <typename OnLine>
bool RecordLines::finish(OnLine &&onLine)
{
    if (m_partial.isEmpty())
        return true;
    const QString last = std::move(m_partial);
    m_partial = QString();
    return onLine(QStringView(last));
}

template <typename OnLine>
bool RecordLines::emitLine(QStringView piece, OnLine &onLine)
{
    if (m_partial.isEmpty())
        return onLine(piece);
    m_partial.append(piece);
    const QString line = std::move(m_partial);
    m_partial = QString();
    return onLine(QStringView(line));
}

inline void RecordLines::setSeparator(Separator separator)
{
    m_crLf = separator == Separator::CrLf;
    m_breakChar = separator == Separator::Cr ? u'\r' : u'\n';
}

#include "csv_reader.h"

#include "base/progress_sink.h"
#include "header_recognition.h"
#include "record_lines.h"
#include "shop_text_stream.h"
#include "store/item_tables.h"

#include <QElapsedTimer>

namespace {

// Header lines longer than this are not looked for any further.
constexpr qsizetype HeaderTextLimit = 1 << 20;
constexpr qint64 ProgressStep = 1000;
constexpr qint64 ProgressIntervalMs = 100;

const QString CrLf = QStringLiteral("\r\n");

QString fileTitle(const QString &path)
{
    return QString::fromUtf8("当前CSV文件【") + path + QString::fromUtf8("】") + CrLf;
}

QString openFailureMessage(const QString &path, const QString &reason)
{
    return fileTitle(path) + QString::fromUtf8("错误信息：") + reason;
}

QString notStandardMessage(const QString &path, int formatCode)
{
    QString tool;
    switch (formatCode) {
    case FormatTaobao4: tool = QString::fromUtf8("“4.X系列的淘宝助理”"); break;
    case FormatTaobao5: tool = QString::fromUtf8("“5.X系列的淘宝助理”"); break;
    case FormatPaipai: tool = QString::fromUtf8("“最新版本的拍拍助理”"); break;
    default: break;
    }
    return QString::fromUtf8("当前CSV文件：") + path + CrLf + QString::fromUtf8("软件无法识别，可能不是标准格式。") + CrLf
           + CrLf + QString::fromUtf8("请先导入") + tool + QString::fromUtf8("转换为标准格式再使用本软件进行转换！");
}

QString notTaobaoMessage(const QString &path)
{
    return fileTitle(path) + QString::fromUtf8("不是淘宝助理格式，无法导入。") + CrLf + CrLf
           + QString::fromUtf8("请偿试使用拍拍助理格式导入！");
}

QString notPaipaiMessage(const QString &path)
{
    return fileTitle(path) + QString::fromUtf8("不是拍拍助理格式，无法导入。") + CrLf + CrLf
           + QString::fromUtf8("请偿试使用淘宝助理格式导入！");
}

qsizetype firstBreak(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n')
            return i;
    return -1;
}

// One read of one file: the header, then every line split into fields for the consumer.
class ReadRun
{
public:
    ReadRun(const QString &path, CsvConsumer &consumer, ProgressSink *progress)
        : m_path(path), m_stream(path), m_consumer(consumer), m_progress(progress)
    {
    }

    bool run(int &formatCode, QString &error);
    qint64 rowNumber() const { return m_row; }

private:
    bool readBlock(QString &text);
    bool fixSeparator(QString &text);
    QStringList headerLines(QString &text, int formatCode, qsizetype &consumed);
    bool recognize(int &formatCode, QString &text, QString &error);
    bool readRecords(QString firstText);
    bool processLine(QStringView line);
    bool splitFields(QStringView text);
    bool deliverField(QStringView text);
    bool beginRecord();
    bool reportProgress(bool final);
    bool fail(const QString &reason);

    const QString m_path;
    ShopTextStream m_stream;
    CsvConsumer &m_consumer;
    ProgressSink *m_progress;
    RecordLines m_lines;
    QString m_separator;
    HeaderPlan m_plan;
    qint64 m_row = 0;
    int m_position = 0;     // header position of the next field in the current record
    bool m_begun = false;   // a record has begun
    bool m_recordCut = false;
    qint64 m_maximum = ProgressStep;
    QElapsedTimer m_sinceReport;
    QString m_failure;
};

bool ReadRun::run(int &formatCode, QString &error)
{
    QString reason;
    if (!m_stream.open(reason)) {
        error = openFailureMessage(m_path, reason);
        return false;
    }
    if (m_progress)
        m_progress->setProgress(0, m_maximum);
    QString text;
    if (!recognize(formatCode, text, error))
        return false;
    if (!readRecords(std::move(text))) {
        error = m_failure;
        return false;
    }
    return true;
}

bool ReadRun::readBlock(QString &text)
{
    QString block;
    if (!m_stream.readBlock(block))
        return false;
    text += block;
    return true;
}

// The record separator is the first of CR LF, CR and LF in the text.
bool ReadRun::fixSeparator(QString &text)
{
    for (;;) {
        const qsizetype at = firstBreak(text);
        const bool crMayPrecedeLf = at >= 0 && at == text.size() - 1 && text[at] == u'\r' && !m_stream.atEnd();
        if ((at >= 0 && !crMayPrecedeLf) || text.size() > HeaderTextLimit || !readBlock(text))
            break;
    }
    const qsizetype at = firstBreak(text);
    RecordLines::Separator separator = RecordLines::Separator::CrLf;
    if (at >= 0 && text[at] == u'\n')
        separator = RecordLines::Separator::Lf;
    else if (at >= 0 && text.mid(at, 2) != CrLf)
        separator = RecordLines::Separator::Cr;
    m_lines.setSeparator(separator);
    m_separator = separator == RecordLines::Separator::CrLf ? CrLf
                  : separator == RecordLines::Separator::Cr ? QStringLiteral("\r") : QStringLiteral("\n");
    return m_stream.error().isEmpty();
}

// The header lines at the start of text, reading on as far as they reach. consumed: where records begin.
QStringList ReadRun::headerLines(QString &text, int formatCode, qsizetype &consumed)
{
    QStringList lines;
    int needed = 1;
    consumed = 0;
    while (lines.size() < needed) {
        const qsizetype at = text.indexOf(m_separator, consumed);
        if (at >= 0) {
            lines << text.mid(consumed, at - consumed);
            consumed = at + m_separator.size();
        } else if (m_stream.atEnd() && consumed < text.size()) {
            lines << text.mid(consumed); // a file without a line break after its header
            consumed = text.size();
        } else if (m_stream.atEnd() || text.size() > HeaderTextLimit || !readBlock(text)) {
            break;
        }
        if (lines.size() == 1)
            needed = HeaderLinesNeeded(formatCode, lines.first());
    }
    return lines;
}

bool ReadRun::recognize(int &formatCode, QString &text, QString &error)
{
    qsizetype consumed = 0;
    QStringList lines;
    if (fixSeparator(text))
        lines = headerLines(text, formatCode, consumed);
    if (!m_stream.error().isEmpty()) {
        error = openFailureMessage(m_path, m_stream.error());
        return false;
    }
    const HeaderRecognition found = RecognizeHeader(formatCode, lines);
    if (m_stream.encoding() != ShopTextStream::Encoding::Utf16LE) {
        // Other encodings are read only when their header is plainly a shop file's.
        const bool cleanText = m_stream.encoding() != ShopTextStream::Encoding::Utf8 || m_stream.decodedCleanly();
        const bool named = formatCode != FormatYoua || lines.value(0).contains(QString::fromUtf8("商品名称"));
        if (found.verdict != HeaderVerdict::Accepted || !cleanText || !named) {
            error = notStandardMessage(m_path, formatCode);
            return false;
        }
    }
    if (found.verdict != HeaderVerdict::Accepted) {
        error = found.verdict == HeaderVerdict::NotPaipai ? notPaipaiMessage(m_path) : notTaobaoMessage(m_path);
        return false;
    }
    m_plan = found.plan;
    formatCode = m_plan.formatCode;
    text.remove(0, consumed);
    return true;
}

bool ReadRun::readRecords(QString firstText)
{
    auto onLine = [this](QStringView line) { return processLine(line); };
    if (!m_lines.feed(firstText, onLine))
        return false;
    firstText = QString();
    QString block;
    while (m_stream.readBlock(block))
        if (!m_lines.feed(block, onLine))
            return false;
    if (!m_stream.error().isEmpty())
        return fail(m_stream.error());
    if (!m_lines.finish(onLine) || !reportProgress(true))
        return false;
    QString reason;
    return m_consumer.endOfFile(reason) || fail(reason);
}

// A line begins a record unless the current record still lacks fields, which the line then supplies.
bool ReadRun::processLine(QStringView line)
{
    if ((!m_begun || m_position >= m_plan.columnCount) && !beginRecord())
        return false;
    if (!splitFields(line))
        return false;
    QString reason;
    if (!m_consumer.afterLine(reason))
        return fail(reason);
    return reportProgress(false);
}

// Fields end at a TAB outside quotes and at the end of the line. At the end of the file a
// quoted field may be left open: its text up to there is still the record's last field.
bool ReadRun::splitFields(QStringView text)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c > u'"')
            continue;
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\t' && !quoted) {
            if (!deliverField(text.mid(start, i - start)))
                return false;
            if (m_recordCut)
                return true;
            start = i + 1;
        }
    }
    if (start < n)
        return deliverField(text.mid(start));
    // A line that ends in a TAB and then lacks only the last column ends with an empty,
    // unquoted last field (third-party writers leave empty text fields bare). Taking it as
    // a short line would merge every such record with the next one.
    if (n > 0 && !m_recordCut && m_position == m_plan.columnCount - 1)
        return deliverField(QStringView());
    return true;
}

bool ReadRun::deliverField(QStringView text)
{
    const int column = m_plan.layoutColumnOf(m_position++);
    if (column < 0)
        return true; // a column this system does not keep
    QString reason;
    if (!m_consumer.putField(column, text.toString(), reason))
        return fail(reason);
    if (column == m_plan.cutColumn) { // the Paipai reader ignores fields after 版本
        m_recordCut = true;
        m_position = qMax(m_position, m_plan.columnCount);
    }
    return true;
}

bool ReadRun::beginRecord()
{
    m_begun = true;
    m_position = 0;
    m_recordCut = false;
    ++m_row;
    QString reason;
    return m_consumer.beginRecord(reason) || fail(reason);
}

// The bar's maximum grows by a step whenever the rows reach it; the display is refreshed a few
// times a second, and the user may cancel then.
bool ReadRun::reportProgress(bool final)
{
    if (m_row >= m_maximum)
        m_maximum += ProgressStep;
    if (!m_progress)
        return true;
    if (!final && m_sinceReport.isValid() && m_sinceReport.elapsed() < ProgressIntervalMs)
        return true;
    m_sinceReport.start();
    m_progress->setProgress(m_row, m_maximum);
    m_progress->setLabel(QString::fromUtf8("当前/总数：") + QString::number(m_row) + QLatin1Char('/')
                         + QString::number(m_maximum));
    return !m_progress->isCancelled() || fail(QString::fromUtf8("用户取消了操作"));
}

bool ReadRun::fail(const QString &reason)
{
    m_failure = CsvRowFailureMessage(m_path, m_row, reason);
    return false;
}

} // namespace

QString CsvRowFailureMessage(const QString &path, qint64 row, const QString &reason)
{
    return fileTitle(path) + QString::fromUtf8("出错行号：") + QString::number(row) + CrLf
           + QString::fromUtf8("错误信息：") + reason;
}

bool CsvReader::read(const QString &path, int &formatCode, CsvConsumer &consumer, ProgressSink *progress,
                     QString &error)
{
    ReadRun run(path, consumer, progress);
    const bool ok = run.run(formatCode, error);
    m_rowNumber = run.rowNumber();
    return ok;
}

int DetectFormatOfFile(const QString &path)
{
    ShopTextStream stream(path);
    QString error;
    if (!stream.open(error))
        return 0;
    QString text;
    if (!stream.readBlock(text) && !stream.error().isEmpty())
        return 0;
    const qsizetype end = firstBreak(text);
    const QString line1 = end < 0 ? text : text.left(end);
    const bool paipai = line1.contains(QString::fromUtf8("商品名称")) && line1.contains(QString::fromUtf8("版本"));
    return paipai ? FormatPaipai : FormatTaobao4;
}

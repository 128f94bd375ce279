#include "csv/csv_reader.h"
#include "csv/shop_formats.h"
#include "recording_consumer.h"
#include "../testing/test_support.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString u8(const char *text) { return QString::fromUtf8(text); }
const QString Tab = QStringLiteral("\t");

// A small Taobao 4.x header: three columns, matched by name.
const QString Tiny = u8("宝贝名称\t宝贝类目\t店铺类目");

QStringList headerNames(const ShopLayout &layout)
{
    QStringList names;
    for (const QString &column : layout.columns)
        names << HeaderFieldName(column);
    return names;
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList values;
    for (int i = 0; i < count; ++i)
        values << prefix + QString::number(i);
    return values;
}

// The records() form of one record: values going to the given columns (-1: skipped).
QString expectRecord(const QVector<int> &columns, const QStringList &values)
{
    QStringList parts;
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i] >= 0)
            parts << QString::number(columns[i]) + QLatin1Char(':') + values[i];
    return parts.join(QLatin1Char('|'));
}

QVector<int> range(int from, int to) // from..to inclusive
{
    QVector<int> r;
    for (int i = from; i <= to; ++i)
        r << i;
    return r;
}

QByteArray utf16be(const QString &text, bool withMark = true)
{
    QByteArray bytes = withMark ? QByteArray("\xFE\xFF", 2) : QByteArray();
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return bytes;
}

QString fileTitle(const QString &path) { return u8("当前CSV文件【") + path + u8("】\r\n"); }

QString notStandard(const QString &path, const QString &tool)
{
    return u8("当前CSV文件：") + path + u8("\r\n软件无法识别，可能不是标准格式。\r\n\r\n请先导入") + tool
           + u8("转换为标准格式再使用本软件进行转换！");
}

QString rowFailure(const QString &path, int row, const QString &reason)
{
    return fileTitle(path) + u8("出错行号：") + QString::number(row) + u8("\r\n错误信息：") + reason;
}

} // namespace

class TestCsvReader : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void records_data();
    void records();
    void headers_data();
    void headers();
    void encodings_data();
    void encodings();
    void oddFinalByteIsIgnored();
    void refusals_data();
    void refusals();
    void openFailure();
    void consumerFailures_data();
    void consumerFailures();
    void progress_data();
    void progress();
    void cancellation();
    void blockBoundaries_data();
    void blockBoundaries();
    void blockEdges_data();
    void blockEdges();
    void hugeField();
    void detectFormat_data();
    void detectFormat();

private:
    QString write(const QByteArray &bytes);
    bool read(const QByteArray &bytes, int &format, RecordingConsumer &consumer, QString &error,
              ProgressSink *progress = nullptr);

    QTemporaryDir m_dir;
    QString m_path;
};

void TestCsvReader::init()
{
    m_path = m_dir.filePath(QStringLiteral("items.csv"));
}

QString TestCsvReader::write(const QByteArray &bytes)
{
    [&] { QVERIFY(TestFiles::write(m_path, bytes)); }();
    return m_path;
}

bool TestCsvReader::read(const QByteArray &bytes, int &format, RecordingConsumer &consumer, QString &error,
                         ProgressSink *progress)
{
    CsvReader reader;
    return reader.read(write(bytes), format, consumer, progress, error);
}

// Record and field semantics, on a three-column 4.x header; the layout has 46 columns.
void TestCsvReader::records_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("trace");
    const QString H = Tiny + u8("\r\n");
    QTest::newRow("last record without break")
        << H + "a\tb\tc\r\nd\te\tf" << QStringList{"B", "0:a", "1:b", "2:c", "L", "B", "0:d", "1:e", "2:f", "L", "E"};
    QTest::newRow("final break makes no record") << H + "a\tb\tc\r\n"
                                                 << QStringList{"B", "0:a", "1:b", "2:c", "L", "E"};
    QTest::newRow("trailing blank line begins an empty record")
        << H + "a\tb\tc\r\n\r\n" << QStringList{"B", "0:a", "1:b", "2:c", "L", "B", "L", "E"};
    QTest::newRow("blank lines are continued by the next line")
        << H + "a\tb\tc\r\n\r\n\r\nd\te\tf\r\n"
        << QStringList{"B", "0:a", "1:b", "2:c", "L", "B", "L", "L", "0:d", "1:e", "2:f", "L", "E"};
    QTest::newRow("quoted TAB and break stay in the field")
        << H + "\"x\ty\r\nz\"\tb\tc\r\n" << QStringList{"B", "0:\"x\ty\r\nz\"", "1:b", "2:c", "L", "E"};
    QTest::newRow("short line: the next line continues the record")
        << H + "a\tb\r\nc\r\nd\te\tf"
        << QStringList{"B", "0:a", "1:b", "L", "2:c", "L", "B", "0:d", "1:e", "2:f", "L", "E"};
    QTest::newRow("empty unquoted last field completes the record")
        << H + "a\tb\t\r\nc\r\n" << QStringList{"B", "0:a", "1:b", "2:", "L", "B", "0:c", "L", "E"};
    QTest::newRow("a line two fields short leaves the record open")
        << H + "a\t\r\nc\r\n" << QStringList{"B", "0:a", "L", "1:c", "L", "E"};
    QTest::newRow("empty quoted last field completes it")
        << H + "a\tb\t\"\"\r\nc\tx\ty"
        << QStringList{"B", "0:a", "1:b", "2:\"\"", "L", "B", "0:c", "1:x", "2:y", "L", "E"};
    QTest::newRow("fields past the header go beyond the layout")
        << H + "a\tb\tc\td\te\r\n" << QStringList{"B", "0:a", "1:b", "2:c", "46:d", "47:e", "L", "E"};
    QTest::newRow("LF file whose records end in CR LF")
        << Tiny + "\na\tb\tc\r\nd\te\tf\r\n"
        << QStringList{"B", "0:a", "1:b", "2:c\r", "L", "B", "0:d", "1:e", "2:f\r", "L", "E"};
    QTest::newRow("CR separator") << Tiny + "\ra\tb\tc\rd\te\tf\r"
                                  << QStringList{"B", "0:a", "1:b", "2:c", "L", "B", "0:d", "1:e", "2:f", "L", "E"};
    QTest::newRow("LF is text in a CR LF file") << H + "a\nb\tc\td\r\n"
                                                << QStringList{"B", "0:a\nb", "1:c", "2:d", "L", "E"};
    QTest::newRow("quote left open to the end of the file")
        << H + "a\t\"bc\td\r\ne" << QStringList{"B", "0:a", "1:\"bc\td\r\ne", "L", "E"};
    QTest::newRow("quote left open and a TAB at the end")
        << H + "a\t\"bc\t" << QStringList{"B", "0:a", "1:\"bc\t", "L", "E"};
    QTest::newRow("doubled quotes stay doubled")
        << H + "\"say \"\"hi\"\"\"\tb\tc" << QStringList{"B", "0:\"say \"\"hi\"\"\"", "1:b", "2:c", "L", "E"};
    const QChar nul(u'\0');
    QTest::newRow("NUL characters") << H + "a" + nul + "b\tc\td"
                                    << QStringList{"B", QStringLiteral("0:a") + nul + "b", "1:c", "2:d", "L", "E"};
    QTest::newRow("only the header") << H << QStringList{"E"};
    QTest::newRow("header without break") << Tiny << QStringList{"E"};
    QTest::newRow("stray quote joins the following lines")
        << H + "12\"\tb\tc\r\nd\te\tf" << QStringList{"B", "0:12\"\tb\tc\r\nd\te\tf", "L", "E"};
}

void TestCsvReader::records()
{
    QFETCH(QString, text);
    QFETCH(QStringList, trace);
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY2(read(TestFiles::utf16le(text), format, consumer, error), qPrintable(error));
    QCOMPARE(consumer.trace, trace);
    QCOMPARE(format, 1);
}

void TestCsvReader::headers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("formatIn");
    QTest::addColumn<int>("formatOut");
    QTest::addColumn<QStringList>("records");

    const QStringList t4 = headerNames(Taobao4Layout());
    const QStringList v = numbered(QStringLiteral("v"), 50);
    auto line = [&](int n) { return v.mid(0, n).join(Tab); };

    QTest::newRow("4.x") << t4.join(Tab) + "\r\n" + line(46) << 1 << 1
                         << QStringList{expectRecord(range(0, 45), v)};
    QTest::newRow("4.x asked as 5.x") << t4.join(Tab) + "\r\n" + line(46) << 2 << 1
                                      << QStringList{expectRecord(range(0, 45), v)};
    {
        QStringList shortHeader = t4;
        shortHeader.removeAll(u8("闪电发货"));
        QVector<int> columns = range(0, 18) + range(20, 45);
        QTest::newRow("4.x without 闪电发货: the 20th field is 自动重发")
            << shortHeader.join(Tab) + "\r\n" + line(45) << 1 << 1 << QStringList{expectRecord(columns, v)};
        // The variant that ends 代充类型 宝贝编号 数字ID: 数字ID is no 4.x file column.
        QStringList variant = shortHeader.mid(0, 44);
        variant << u8("数字ID");
        columns = range(0, 18) + range(20, 44) + QVector<int>{-1};
        QTest::newRow("4.x ending in 数字ID") << variant.join(Tab) + "\r\n" + line(45) << 1 << 1
                                             << QStringList{expectRecord(columns, v)};
    }
    {
        // Names mostly unknown: fields go by position, skipping 闪电发货 after 保修.
        const QString damaged = u8("宝贝名称\t") + numbered(QStringLiteral("?"), 44).join(Tab);
        QTest::newRow("damaged 4.x header without 闪电发货")
            << damaged + "\r\n" + line(46) << 1 << 1
            << QStringList{expectRecord(range(0, 18) + range(20, 46), v)};
    }
    {
        QStringList quoted;
        for (const QString &name : t4)
            quoted << QLatin1Char('"') + name + QLatin1Char('"');
        QTest::newRow("4.x with quoted names") << quoted.join(Tab) + "\n" + line(46) << 1 << 1
                                               << QStringList{expectRecord(range(0, 45), v)};
    }

    const ShopLayout &t5 = Taobao5Layout();
    const QString english = t5.englishNames.join(Tab);
    const QString chinese = headerNames(t5).join(Tab);
    {
        // As the system writes it: header lines end in LF, records in CR LF.
        const QString file = "version 1.00\n" + english + "\n" + chinese + "\n" + line(41) + "\r\n" + line(41) + "\r\n";
        QStringList last = v;
        last[40] += QLatin1Char('\r');
        QTest::newRow("5.x written by the system") << file << 1 << 2
                                                   << QStringList{expectRecord(range(0, 40), last),
                                                                  expectRecord(range(0, 40), last)};
    }
    {
        const QStringList newer = {"is_lighting_consigment", "is_xinpin", "foodparame", "features", "buyareatype",
                                   "global_stock_type", "global_stock_country", "sub_stock_type", "item_size",
                                   "item_weight", "sell_promise", "custom_design_flag", "wireless_desc", "barcode",
                                   "sku_barcode", "newprepay", "subtitle", "cpv_memo", "input_custom_cpv",
                                   "qualification", "add_qualification", "o2o_bind_service"};
        QVector<int> columns = range(0, 40);
        QVector<int> skipped(22, -1);
        const QString mojibake = numbered(u8("Ã¦Â±"), 63).join(Tab);
        QTest::newRow("5.x of 2016: 63 columns, line 3 damaged")
            << "version 1.00\n" + english + Tab + newer.join(Tab) + "\n" + mojibake + "\n" + line(50) + Tab
                   + numbered(QStringLiteral("w"), 13).join(Tab) + "\n"
            << 1 << 2 << QStringList{expectRecord(columns + skipped, v + numbered(QStringLiteral("w"), 13))};
        skipped.resize(19);
        QTest::newRow("5.x of 2015: 60 columns")
            << "version 1.00\n" + english + Tab + newer.mid(0, 19).join(Tab) + "\n" + chinese + "\n" + line(50)
                   + Tab + numbered(QStringLiteral("w"), 10).join(Tab) + "\n"
            << 1 << 2 << QStringList{expectRecord(columns + skipped, v + numbered(QStringLiteral("w"), 10))};
        QTest::newRow("5.x with a damaged line 2 goes by line 3")
            << "version 1.00\n" + numbered(QStringLiteral("x"), 41).join(Tab) + "\n" + chinese + "\n" + line(41)
            << 1 << 2 << QStringList{expectRecord(range(0, 40), v)};
    }

    const QStringList pp = headerNames(PaipaiLayout());
    {
        QStringList quoted;
        for (const QString &name : pp) {
            quoted << QLatin1Char('"') + name + QLatin1Char('"');
            if (name == QLatin1String("EMS"))
                quoted << u8("\"市场价\"");
        }
        quoted << QStringLiteral("\"after\"");
        // 43 columns with 市场价 after EMS; a field after 版本 is ignored, so the next line begins a record.
        const QVector<int> columns = range(0, 17) + QVector<int>{-1} + range(18, 41);
        QTest::newRow("Paipai with quoted names and 市场价")
            << quoted.join(Tab) + "\r\n" + line(44) + "\r\n" + line(43) << 3 << 3
            << QStringList{expectRecord(columns, v), expectRecord(columns, v)};
        QTest::newRow("Paipai record separator before each record")
            << pp.join(Tab) + "\r\n\r\n" + line(42) + "\r\n" + line(42) << 3 << 3
            << QStringList{expectRecord(range(0, 41), v), expectRecord(range(0, 41), v)};
    }
    {
        const QString damaged = QStringLiteral("?\t") + u8("商品名称\t") + numbered(QStringLiteral("?"), 40).join(Tab)
                                + u8("\t版本\t?");
        QTest::newRow("damaged Paipai header: positions, cut at 版本")
            << damaged + "\r\n" + line(44) + "\r\n" + line(42) << 3 << 3
            << QStringList{expectRecord(range(0, 41), v), expectRecord(range(0, 41), v)};
    }
    {
        QStringList youa = pp;
        youa.removeAll(u8("尺码对照表"));
        QTest::newRow("Youa reads Paipai's container into YAData's columns")
            << pp.join(Tab) + "\r\n" + line(42) << 4 << 4
            << QStringList{expectRecord(range(0, 39) + QVector<int>{-1, 40}, v)};
    }
}

void TestCsvReader::headers()
{
    QFETCH(QString, text);
    QFETCH(int, formatIn);
    QFETCH(int, formatOut);
    QFETCH(QStringList, records);
    RecordingConsumer consumer;
    QString error;
    int format = formatIn;
    QVERIFY2(read(TestFiles::utf16le(text), format, consumer, error), qPrintable(error));
    QCOMPARE(format, formatOut);
    QCOMPARE(consumer.records(), records);
}

// The same file in every encoding read gives the same fields, each UTF-16 code unit intact.
void TestCsvReader::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("record");
    // 上 不 三 carry the bytes 0A, 0D and 09 in UTF-16; 😀 is a surrogate pair.
    const QString text = Tiny + u8("\r\n上不三\t😀\t\"a\tb\"\r\n");
    const QString record = u8("0:上不三|1:😀|2:\"a\tb\"");
    QTest::newRow("UTF-16LE") << TestFiles::utf16le(text) << record;
    QTest::newRow("UTF-16BE") << utf16be(text) << record;
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << record;
    QTest::newRow("UTF-8") << text.toUtf8() << record;
    const QString highAlone = QStringLiteral("a") + QChar(0xD800);
    const QString lowAlone = QStringLiteral("b") + QChar(0xDC01);
    const QString lone = Tiny + "\r\n" + highAlone + Tab + lowAlone + "\tc\r\n";
    const QString loneRecord = "0:" + highAlone + "|1:" + lowAlone + "|2:c";
    QTest::newRow("unpaired surrogates, UTF-16LE") << TestFiles::utf16le(lone) << loneRecord;
    QTest::newRow("unpaired surrogates, UTF-16BE") << utf16be(lone) << loneRecord;
}

void TestCsvReader::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, record);
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY2(read(bytes, format, consumer, error), qPrintable(error));
    QCOMPARE(consumer.records(), QStringList{record});
}

void TestCsvReader::oddFinalByteIsIgnored()
{
    const QByteArray bytes = TestFiles::utf16le(Tiny + u8("\r\na\tb\t宝"));
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY2(read(bytes + '\x41', format, consumer, error), qPrintable(error));
    QCOMPARE(consumer.records(), QStringList{u8("0:a|1:b|2:宝")});
}

void TestCsvReader::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("message"); // %1 stands for the path
    const QString tb4 = u8("“4.X系列的淘宝助理”");
    const QString pp = u8("“最新版本的拍拍助理”");
    const QString notTaobao = u8("当前CSV文件【%1】\r\n不是淘宝助理格式，无法导入。\r\n\r\n请偿试使用拍拍助理格式导入！");
    const QString notPaipai = u8("当前CSV文件【%1】\r\n不是拍拍助理格式，无法导入。\r\n\r\n请偿试使用淘宝助理格式导入！");
    const QString taobao = Tiny + u8("\r\na\tb\tc\r\n");
    const QString paipai = u8("id\t商品名称\t版本\r\n1\tx\ty\r\n");

    QTest::newRow("UTF-16 without mark") << TestFiles::utf16le(taobao, false) << 1 << notStandard("%1", tb4);
    QTest::newRow("GBK") << QByteArray("\xCD\xF5\xB1\xA6\xC3\xFB\xB3\xC6\t\xB1\xA6\r\n") << 3 << notStandard("%1", pp);
    QTest::newRow("empty file, asked as 5.x") << QByteArray() << 2 << notStandard("%1", u8("“5.X系列的淘宝助理”"));
    QTest::newRow("empty file, Youa") << QByteArray() << 4 << notStandard("%1", QString());
    QTest::newRow("UTF-8 without a shop header") << QByteArray("name\tprice\r\nx\t1\r\n") << 1 << notStandard("%1", tb4);
    QTest::newRow("UTF-8 Paipai asked as Taobao") << paipai.toUtf8() << 1 << notStandard("%1", tb4);
    QTest::newRow("UTF-16BE Taobao asked as Paipai") << utf16be(taobao) << 3 << notStandard("%1", pp);
    QTest::newRow("only the mark") << QByteArray("\xFF\xFE") << 1 << notTaobao;
    QTest::newRow("only the mark, Paipai") << QByteArray("\xFF\xFE") << 3 << notPaipai;
    QTest::newRow("Paipai asked as Taobao") << TestFiles::utf16le(paipai) << 1 << notTaobao;
    QTest::newRow("Taobao asked as Paipai") << TestFiles::utf16le(taobao) << 3 << notPaipai;
    QTest::newRow("5.x without title or 宝贝名称")
        << TestFiles::utf16le(u8("version 1.00\nname\tcid\n名称\t类目\nx\t1\n")) << 1 << notTaobao;
    QTest::newRow("header line beyond the first megabyte")
        << TestFiles::utf16le(QString(1200000, QLatin1Char('x')) + Tiny + "\r\n") << 1 << notTaobao;
}

void TestCsvReader::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QFETCH(QString, message);
    RecordingConsumer consumer;
    QString error;
    const int asked = format;
    QVERIFY(!read(bytes, format, consumer, error));
    QCOMPARE(error, message.arg(m_path));
    QCOMPARE(format, asked);
    QVERIFY(consumer.trace.isEmpty());
}

void TestCsvReader::openFailure()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.csv"));
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY(!CsvReader().read(missing, format, consumer, nullptr, error));
    const QString start = fileTitle(missing) + u8("错误信息：");
    QVERIFY2(error.startsWith(start) && error.size() > start.size(), qPrintable(error));
    QVERIFY(consumer.trace.isEmpty());
}

// A consumer failure ends the reading at once, with the row number of the record being read.
void TestCsvReader::consumerFailures_data()
{
    QTest::addColumn<QString>("failOn");
    QTest::addColumn<int>("failAtRow");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("traceSize");
    QTest::newRow("begin record") << "B" << 2 << 2 << 5;
    QTest::newRow("put field") << "1:e" << 0 << 2 << 7;
    QTest::newRow("after line") << "L" << 3 << 3 << 14;
    QTest::newRow("end of file") << "E" << 0 << 3 << 15;
}

void TestCsvReader::consumerFailures()
{
    QFETCH(QString, failOn);
    QFETCH(int, failAtRow);
    QFETCH(int, row);
    QFETCH(int, traceSize);
    RecordingConsumer consumer;
    consumer.failOn = failOn;
    consumer.failAtRow = failAtRow;
    QString error;
    int format = 1;
    CsvReader reader;
    const QByteArray bytes = TestFiles::utf16le(Tiny + u8("\r\na\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n"));
    QVERIFY(!reader.read(write(bytes), format, consumer, nullptr, error));
    QCOMPARE(error, rowFailure(m_path, row, QStringLiteral("refused: ") + failOn));
    QCOMPARE(reader.rowNumber(), qint64(row));
    QCOMPARE(consumer.trace.size(), traceSize);
}

void TestCsvReader::progress_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<qint64>("maximum");
    QTest::newRow("none") << 0 << qint64(1000);
    QTest::newRow("999") << 999 << qint64(1000);
    QTest::newRow("1000") << 1000 << qint64(2000);
    QTest::newRow("2001") << 2001 << qint64(3000);
}

void TestCsvReader::progress()
{
    QFETCH(int, records);
    QFETCH(qint64, maximum);
    QString text = Tiny + u8("\r\n");
    for (int i = 0; i < records; ++i)
        text += QStringLiteral("n%1\t1\t2\r\n").arg(i);
    RecordingConsumer consumer;
    RecordingProgress progress;
    QString error;
    int format = 1;
    QVERIFY2(read(TestFiles::utf16le(text), format, consumer, error, &progress), qPrintable(error));
    QCOMPARE(consumer.rows, records);
    QCOMPARE(progress.positions.first(), qMakePair(qint64(0), qint64(1000)));
    QCOMPARE(progress.positions.last(), qMakePair(qint64(records), maximum));
    QCOMPARE(progress.labels.last(), u8("当前/总数：") + QString::number(records) + "/" + QString::number(maximum));
    for (int i = 1; i < progress.positions.size(); ++i) // never behind, never a bar past its maximum
        QVERIFY(progress.positions[i].first >= progress.positions[i - 1].first
                && progress.positions[i].first < progress.positions[i].second);
}

void TestCsvReader::cancellation()
{
    RecordingConsumer consumer;
    RecordingProgress progress;
    progress.cancelAfter = 0;
    QString error;
    int format = 1;
    const QByteArray bytes = TestFiles::utf16le(Tiny + u8("\r\na\tb\tc\r\nd\te\tf\r\n"));
    QVERIFY(!read(bytes, format, consumer, error, &progress));
    QCOMPARE(error, rowFailure(m_path, 1, u8("用户取消了操作")));
    QVERIFY(!consumer.trace.contains(QStringLiteral("E")));
}

// Many records of every shape, across many blocks: the reader must find the same fields as a
// whole-text reading, whatever falls on a block's edge.
void TestCsvReader::blockBoundaries_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("CR LF, UTF-16") << "\r\n" << false;
    QTest::newRow("LF, UTF-16") << "\n" << false;
    QTest::newRow("CR, UTF-8") << "\r" << true;
}

void TestCsvReader::blockBoundaries()
{
    QFETCH(QString, separator);
    QFETCH(bool, utf8);
    QRandomGenerator random(7);
    const QStringList pieces = {u8("宝贝"), "x", "\"q\ty" + separator + "z\"", "\"\"", "12.5", u8("😀"), "\"a\"\"b\""};
    QString text = Tiny + separator;
    QStringList expected;
    for (int r = 0; r < 6000; ++r) {
        QStringList fields;
        for (int f = 0; f < 3; ++f) {
            QString value;
            const int parts = int(random.bounded(1, 60));
            for (int p = 0; p < parts; ++p)
                value += pieces[int(random.bounded(pieces.size()))];
            if (value.contains(QLatin1Char('"')) && !value.startsWith(QLatin1Char('"')))
                value = "\"" + value.replace(QLatin1String("\""), QLatin1String("\"\"")) + "\"";
            fields << value;
        }
        text += fields.join(Tab) + separator;
        expected << "0:" + fields[0] + "|1:" + fields[1] + "|2:" + fields[2];
    }
    QVERIFY(text.size() > 1000000);
    const QByteArray bytes = utf8 ? QByteArray("\xEF\xBB\xBF") + text.toUtf8() : TestFiles::utf16le(text);
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY2(read(bytes, format, consumer, error), qPrintable(error));
    QCOMPARE(consumer.records(), expected);
}

// Breaks, quotes and characters that fall on the edge between two blocks of the file.
void TestCsvReader::blockEdges_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("records");
    const int blockUnits = 256 * 1024 / 2; // UTF-16 units in a block after the mark
    auto padTo = [](QString text, int size) { return text + QString(size - text.size(), QLatin1Char('x')); };
    const QString H = Tiny + "\r\n";
    {
        const QString header = padTo(Tiny + Tab, blockUnits - 1); // 4 columns, the last one unknown
        QTest::newRow("the header's CR ends the first block")
            << TestFiles::utf16le(header + "\r\na\rb\tc\td\tX\r\ne\tf\tg\tY")
            << QStringList{"0:a\rb|1:c|2:d", "0:e|1:f|2:g"};
    }
    {
        const QString line = padTo(H + "a\tb\t", blockUnits - 1);
        QTest::newRow("a record's CR ends the first block")
            << TestFiles::utf16le(line + "\r\nd\te\tf") << QStringList{"0:a|1:b|2:" + line.mid(H.size() + 4), "0:d|1:e|2:f"};
        const QString spanning = padTo(H + "a\tb\t", 2 * blockUnits - 1);
        QTest::newRow("a record spanning blocks, its CR ends the second")
            << TestFiles::utf16le(spanning + "\r\nd\te\tf")
            << QStringList{"0:a|1:b|2:" + spanning.mid(H.size() + 4), "0:d|1:e|2:f"};
        const QString quoted = padTo(H + "a\tb\t\"", blockUnits - 1) + "\"";
        QTest::newRow("a closing quote ends the first block")
            << TestFiles::utf16le(quoted + "\r\nd\te\tf") << QStringList{"0:a|1:b|2:" + quoted.mid(H.size() + 4), "0:d|1:e|2:f"};
    }
    {
        // UTF-8 blocks are 256 KiB of bytes: 宝 takes the last byte of the first block and two of the next.
        QByteArray bytes = H.toUtf8() + "a\tb\t";
        bytes += QByteArray(256 * 1024 - 1 - bytes.size(), 'x');
        const QString field = QString::fromUtf8(bytes.mid(H.toUtf8().size() + 4)) + u8("宝");
        QTest::newRow("a UTF-8 character across the edge")
            << bytes + u8("宝\r\nd\te\tf").toUtf8() << QStringList{"0:a|1:b|2:" + field, "0:d|1:e|2:f"};
    }
}

void TestCsvReader::blockEdges()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, records);
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY2(read(bytes, format, consumer, error), qPrintable(error));
    QCOMPARE(consumer.records(), records);
}

void TestCsvReader::hugeField()
{
    const QString big = QString(10 * 1024 * 1024, QChar(0x5B9D));
    const QString text = Tiny + u8("\r\n\"") + big + u8("\"\t1\t2\r\nn\t3\t4\r\n");
    RecordingConsumer consumer;
    QString error;
    int format = 1;
    QVERIFY2(read(TestFiles::utf16le(text), format, consumer, error), qPrintable(error));
    QCOMPARE(consumer.trace.size(), 11);
    QCOMPARE(consumer.trace[1].size(), big.size() + 4);
    QVERIFY(consumer.trace[1] == "0:\"" + big + "\"");
    QCOMPARE(consumer.trace[5], QStringLiteral("B"));
}

void TestCsvReader::detectFormat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::newRow("Paipai") << TestFiles::utf16le(u8("\"id\"\t\"商品名称\"\t\"版本\"\r\n1\t2\t3")) << 3;
    QTest::newRow("Paipai in UTF-16BE") << utf16be(u8("id\t商品名称\t版本\r\n")) << 3;
    QTest::newRow("商品名称 without 版本") << TestFiles::utf16le(u8("商品名称\tx\r\n")) << 1;
    QTest::newRow("版本 on line 2") << TestFiles::utf16le(u8("商品名称\r\n版本")) << 1;
    QTest::newRow("Taobao 4.x") << TestFiles::utf16le(Tiny) << 1;
    QTest::newRow("empty") << QByteArray() << 1;
}

void TestCsvReader::detectFormat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QCOMPARE(DetectFormatOfFile(write(bytes)), format);
    QCOMPARE(DetectFormatOfFile(m_dir.filePath(QStringLiteral("missing.csv"))), 0);
}

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csv_reader.moc"

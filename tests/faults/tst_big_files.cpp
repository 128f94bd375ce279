// Large inputs, generated at run time into a temporary folder: a 200 MB Taobao file one of
// whose descriptions is 50 MB, and a file of 1,000,000 tiny records. The time and peak memory
// of each import are logged (qInfo); the tests assert what was stored, never a time.
// Built with AddressSanitizer, which makes every allocation many times dearer, the same paths
// run on a tenth of the data.

#include "fault_support.h"
#include "testing/test_support.h"

#include "base/ansi_text.h"
#include "export/category_export.h"
#include "import/single_import.h"
#include "store/item_tables.h"
#include "csv/shop_formats.h"

#include "bench/shop_file_generator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#if defined(__SANITIZE_ADDRESS__)
#define ROWSHIFT_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ROWSHIFT_SANITIZED 1
#endif
#endif

namespace {

constexpr qint64 kMB = 1000 * 1000;
#ifdef ROWSHIFT_SANITIZED
constexpr int kScale = 10;
#else
constexpr int kScale = 1;
#endif

void appendUtf16(QFile &file, const QString &text)
{
    file.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// One piece of the huge description: markup, Chinese text, a TAB, doubled quotes and a line break.
QString hugePiece(int n)
{
    return QStringLiteral("<p class=\"\"big\"\">第%1段：纯棉面料，做工精细。\tcotton, well made.</p>\r\n").arg(n, 7, 10, QLatin1Char('0'));
}

// Appends one Taobao 4.x record whose description is made of pieces until it holds `bytes`
// bytes of UTF-16; returns the number of pieces.
int appendHugeRecord(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return 0;
    const QStringList columns = Taobao4Layout().columns;
    const int description = int(columns.indexOf(QStringLiteral("宝贝描述")));
    QStringList before, after;
    for (int i = 0; i < columns.size(); ++i) {
        const QString value = i == 0 ? QStringLiteral("\"巨大的描述\"") : QStringLiteral("0");
        (i < description ? before : after) << value;
    }
    appendUtf16(file, before.join(QLatin1Char('\t')) + QStringLiteral("\t\""));
    int pieces = 0;
    for (qint64 written = 0; written < bytes; ++pieces) {
        const QString piece = hugePiece(pieces);
        appendUtf16(file, piece);
        written += piece.size() * 2;
    }
    appendUtf16(file, QStringLiteral("\"\t") + after.join(QLatin1Char('\t')) + QStringLiteral("\r\n"));
    return pieces;
}

struct Figures
{
    double seconds = 0;
    double peakMb = 0;
};

bool importTimed(StoreAt &store, const QString &file, qint64 &target, QString &error, Figures &figures)
{
    SingleImportOptions options;
    options.filePath = file;
    options.formatCode = FormatTaobao4;
    ResetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    const bool ok = ImportOneFile(store.dm(), store.home(), options, nullptr, target, error);
    figures.seconds = timer.nsecsElapsed() / 1e9;
    figures.peakMb = PeakMemoryMbSinceReset();
    return ok;
}

} // namespace

class TestBigFiles : public QObject
{
    Q_OBJECT

private slots:
    void fileOf200MbWithA50MbField();
    void millionTinyRecords();
};

void TestBigFiles::fileOf200MbWithA50MbField()
{
    TempHome temp;
    const QString file = temp.path(QStringLiteral("big.csv"));
    const GeneratedFile bulk = GenerateTaobao4File(file, 36000 / kScale, 4096, 0, QString());
    const int pieces = appendHugeRecord(file, 50 * kMB / kScale);
    QVERIFY(pieces > 0);
    const qint64 size = QFileInfo(file).size();
    QVERIFY(size >= 200 * kMB / kScale);

    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    qint64 target = 0;
    QString error;
    Figures figures;
    QVERIFY2(importTimed(store, file, target, error, figures), qPrintable(error));
    qInfo("imported %.0f MB, %lld records and one %lld MB description: %.1f s (%.1f MB/s), peak memory %.0f MB",
          size / 1e6, static_cast<long long>(bulk.records + 1), static_cast<long long>(50 / kScale), figures.seconds,
          size / 1e6 / figures.seconds, figures.peakMb);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), bulk.records + 1);

    // The description file holds the field's text, its doubled quotes single.
    const QString descriptionPath =
        store.value(QStringLiteral("select 宝贝描述 from BabyData where 宝贝名称='巨大的描述'")).toString();
    QString stored;
    QVERIFY(AnsiText::readFile(descriptionPath, &stored));
    QString expected;
    expected.reserve(stored.size());
    for (int n = 0; n < pieces; ++n)
        expected += hugePiece(n).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    expected += QStringLiteral("\r\n");
    QCOMPARE(stored.size(), expected.size());
    QVERIFY(stored == expected);

    // Exported again on its own (ticked), the description comes back on one line, TABs removed.
    store.dm().exec(QStringLiteral("update BabyData set 选择=-1 where 宝贝名称='巨大的描述'"));
    ExportOptions options;
    options.format = FormatTaobao4;
    options.cID = target;
    options.range = 1;
    options.file = temp.path(QStringLiteral("out/huge.csv"));
    QElapsedTimer timer;
    timer.start();
    const ExportResult result = ExportSingleCategory(store.dm(), store.home(), options, nullptr, nullptr);
    QVERIFY2(result.status == ExportResult::Succeeded, qPrintable(result.error));
    qInfo("exported the %lld MB description: %.1f s", static_cast<long long>(50 / kScale), timer.nsecsElapsed() / 1e9);
    const QByteArray bytes = TestFiles::read(result.csvPath);
    QCOMPARE(bytes.count(QByteArray("\r\0\n\0", 4)), 2);
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    QString flat = expected;
    flat.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('\t')).replace(QStringLiteral("\""), QStringLiteral("\"\""));
    QVERIFY(text.contains(QLatin1Char('"') + flat + QLatin1Char('"')));
}

void TestBigFiles::millionTinyRecords()
{
    constexpr qint64 records = 1000000 / kScale;
    TempHome temp;
    const QString file = temp.path(QStringLiteral("tiny.csv"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QString text = QStringLiteral("\uFEFF宝贝名称\t宝贝价格\t宝贝数量\r\n");
        for (qint64 n = 1; n <= records; ++n) {
            text += QStringLiteral("\"t%1\"\t%2.5\t%3\r\n").arg(n).arg(n % 1000).arg(n % 7);
            if (text.size() > (1 << 20) || n == records) {
                appendUtf16(out, text);
                text.clear();
            }
        }
    }
    StoreAt store(temp.path(QStringLiteral("home")));
    QVERIFY2(store.isOpen(), qPrintable(store.error()));
    qint64 target = 0;
    QString error;
    Figures figures;
    QVERIFY2(importTimed(store, file, target, error, figures), qPrintable(error));
    qInfo("imported %lld tiny records (%.0f MB): %.1f s (%.0f records/s), peak memory %.0f MB",
          static_cast<long long>(records), QFileInfo(file).size() / 1e6, figures.seconds, records / figures.seconds,
          figures.peakMb);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BaseData where cID=?"), {target}), records);
    QCOMPARE(store.value(QStringLiteral("select 商品价格 from BaseData where 商品名称=?"),
                         {QStringLiteral("t%1").arg(records - 1)}).toDouble(), double((records - 1) % 1000) + 0.5);
    QCOMPARE(store.count(QStringLiteral("select count(*) from BabyData where bID is null")), 0);
}

QTEST_GUILESS_MAIN(TestBigFiles)
#include "tst_big_files.moc"

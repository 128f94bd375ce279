#include "settings/text_replace.h"

#include <QTest>

Q_DECLARE_METATYPE(ByteEncoding)

class TstTextReplace : public QObject
{
    Q_OBJECT

private slots:
    void findPositions_data();
    void findPositions();
    void replaceBytes_data();
    void replaceBytes();
    void replaceText_data();
    void replaceText();
};

void TstTextReplace::findPositions_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<int>("expected");

    QTest::newRow("first") << QByteArray("abcabc") << QByteArray("bc") << 1 << true << 2;
    QTest::newRow("from start position") << QByteArray("abcabc") << QByteArray("bc") << 3 << true << 5;
    QTest::newRow("start at the match") << QByteArray("abcabc") << QByteArray("bc") << 5 << true << 5;
    QTest::newRow("no room after start") << QByteArray("abcabc") << QByteArray("bc") << 6 << true << 0;
    QTest::newRow("start past the end") << QByteArray("abc") << QByteArray("c") << 9 << true << 0;
    QTest::newRow("missing") << QByteArray("abc") << QByteArray("x") << 1 << true << 0;
    QTest::newRow("empty find") << QByteArray("abc") << QByteArray() << 1 << true << 0;
    QTest::newRow("case differs") << QByteArray("xABC") << QByteArray("abc") << 1 << true << 0;
    QTest::newRow("no case") << QByteArray("xABC") << QByteArray("abc") << 1 << false << 2;
    QTest::newRow("after a two-byte char") << QByteArray("\xD6\xD0" "a") << QByteArray("a") << 1 << true << 3;
}

void TstTextReplace::findPositions()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, find);
    QFETCH(int, start);
    QFETCH(bool, caseSensitive);
    QFETCH(int, expected);
    const qsizetype found = caseSensitive ? FindText(source, find, start) : FindTextNoCase(source, find, start);
    QCOMPARE(found, qsizetype(expected));
}

void TstTextReplace::replaceBytes_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<QByteArray>("replacement");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<ByteEncoding>("encoding");
    QTest::addColumn<QByteArray>("expected");

    const auto gbk = ByteEncoding::Gbk;
    const auto utf8 = ByteEncoding::Utf8;
    for (ByteEncoding encoding : {gbk, utf8}) {
        const char *mode = encoding == gbk ? "gbk: " : "utf8: ";
        auto row = [mode](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(QLatin1String(mode) + QLatin1String(name)));
        };
        row("empty source") << QByteArray() << QByteArray("a") << QByteArray("b") << false << encoding << QByteArray();
        row("find longer than source") << QByteArray("ab") << QByteArray("abc") << QByteArray("x") << false << encoding << QByteArray("ab");
        row("empty find") << QByteArray("abc") << QByteArray() << QByteArray("x") << false << encoding << QByteArray("abc");
        row("no overlap") << QByteArray("aaa") << QByteArray("aa") << QByteArray("b") << false << encoding << QByteArray("ba");
        row("four quotes") << QByteArray("\"\"\"\"") << QByteArray("\"\"") << QByteArray("\"") << false << encoding << QByteArray("\"\"");
        row("three quotes") << QByteArray("\"\"\"") << QByteArray("\"\"") << QByteArray("\"") << false << encoding << QByteArray("\"\"");
        row("removal") << QByteArray("a\tb\t") << QByteArray("\t") << QByteArray() << false << encoding << QByteArray("ab");
        row("growth") << QByteArray("a,b,c") << QByteArray(",") << QByteArray(";;;") << true << encoding << QByteArray("a;;;b;;;c");
        row("replacement not searched") << QByteArray("ab") << QByteArray("a") << QByteArray("aa") << true << encoding << QByteArray("aab");
        row("no case: ABC and aBc") << QByteArray("ABC-aBc") << QByteArray("abc") << QByteArray("x") << false << encoding << QByteArray("x-x");
        row("case: only exact") << QByteArray("ABC-abc") << QByteArray("abc") << QByteArray("x") << true << encoding << QByteArray("ABC-x");
        row("no case: brace is no bracket") << QByteArray("A{a[") << QByteArray("a{") << QByteArray("#") << false << encoding << QByteArray("#a[");
        row("no case: high bytes unchanged") << QByteArray("\xE0\xE0") << QByteArray("\xC0\xC0") << QByteArray("#") << false << encoding << QByteArray("\xE0\xE0");
    }

    // 商 is C9 CC, 中 is D6 D0 in GBK; 癨 is 95 5C, its second byte a backslash.
    QTest::newRow("gbk: CR before a two-byte char, CR LF later")
        << QByteArray("a\r\xC9\xCC" "b\r\nc") << QByteArray("\r\n") << QByteArray() << false << gbk
        << QByteArray("a\r\xC9\xCC" "bc");
    QTest::newRow("gbk: second byte is not matched")
        << QByteArray("\x95\x5C" "x\\") << QByteArray("\\") << QByteArray("/") << false << gbk
        << QByteArray("\x95\x5C" "x/");
    QTest::newRow("gbk: letter as second byte, no case")
        << QByteArray("\x81" "A" "a") << QByteArray("a") << QByteArray("#") << false << gbk
        << QByteArray("\x81" "A#");
    QTest::newRow("gbk: two-byte find")
        << QByteArray("\xD6\xD0\xC9\xCC\xD6\xD0") << QByteArray("\xD6\xD0") << QByteArray("-") << false << gbk
        << QByteArray("-\xC9\xCC-");
    QTest::newRow("gbk: pair boundaries, not byte boundaries")
        << QByteArray("\xD0\xD6\xD0") << QByteArray("\xD6\xD0") << QByteArray("-") << true << gbk
        << QByteArray("\xD0\xD6\xD0");

    // 中 is E4 B8 AD and 😀 F0 9F 98 80 in UTF-8.
    QTest::newRow("gbk: third byte of a UTF-8 char is a new candidate")
        << QByteArray("\xE4\xB8\xAD") << QByteArray("\xAD") << QByteArray("#") << true << gbk
        << QByteArray("\xE4\xB8#");
    QTest::newRow("utf8: three-byte char stepped over")
        << QByteArray("\xE4\xB8\xAD") << QByteArray("\xAD") << QByteArray("#") << true << utf8
        << QByteArray("\xE4\xB8\xAD");
    QTest::newRow("utf8: four-byte char stepped over")
        << QByteArray("\xF0\x9F\x98\x80" "a") << QByteArray("\x98\x80") << QByteArray("#") << true << utf8
        << QByteArray("\xF0\x9F\x98\x80" "a");
    QTest::newRow("utf8: stray continuation byte stands alone")
        << QByteArray("\xC3\xA9\xA9") << QByteArray("\xA9") << QByteArray("#") << true << utf8
        << QByteArray("\xC3\xA9#");
    QTest::newRow("utf8: truncated sequence keeps the next ASCII byte")
        << QByteArray("\xE4" "A") << QByteArray("a") << QByteArray("#") << false << utf8
        << QByteArray("\xE4#");
    QTest::newRow("utf8: CR LF after Chinese")
        << QByteArray("\xE4\xB8\xAD\r\n\xE4\xB8\xAD\r\n") << QByteArray("\r\n") << QByteArray() << false << utf8
        << QByteArray("\xE4\xB8\xAD\xE4\xB8\xAD");
}

void TstTextReplace::replaceBytes()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, find);
    QFETCH(QByteArray, replacement);
    QFETCH(bool, caseSensitive);
    QFETCH(ByteEncoding, encoding);
    QFETCH(QByteArray, expected);
    QCOMPARE(ReplaceText(source, find, replacement, caseSensitive, encoding), expected);
}

void TstTextReplace::replaceText_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QString>("expected");

    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // one surrogate pair
    QTest::newRow("empty source") << QString() << QStringLiteral("a") << QStringLiteral("b") << false << QString();
    QTest::newRow("empty find") << QStringLiteral("abc") << QString() << QStringLiteral("x") << false << QStringLiteral("abc");
    QTest::newRow("no overlap") << QStringLiteral("aaa") << QStringLiteral("aa") << QStringLiteral("b") << false << QStringLiteral("ba");
    QTest::newRow("four quotes") << QStringLiteral("\"\"\"\"") << QStringLiteral("\"\"") << QStringLiteral("\"") << false << QStringLiteral("\"\"");
    QTest::newRow("three quotes") << QStringLiteral("\"\"\"") << QStringLiteral("\"\"") << QStringLiteral("\"") << false << QStringLiteral("\"\"");
    QTest::newRow("replacement not searched") << QStringLiteral("ab") << QStringLiteral("a") << QStringLiteral("aa") << true << QStringLiteral("aab");
    QTest::newRow("Chinese kept, TAB removed") << QStringLiteral("宝贝\t描述\t") << QStringLiteral("\t") << QString() << false << QStringLiteral("宝贝描述");
    QTest::newRow("CR LF removed after CR and Chinese") << QStringLiteral("a\r中b\r\nc") << QStringLiteral("\r\n") << QString() << false << QStringLiteral("a\r中bc");
    QTest::newRow("Chinese find") << QStringLiteral("淘宝助理淘宝") << QStringLiteral("淘宝") << QStringLiteral("拍拍") << true << QStringLiteral("拍拍助理拍拍");
    QTest::newRow("no case: ASCII") << QStringLiteral("ABC-aBc") << QStringLiteral("abc") << QStringLiteral("x") << false << QStringLiteral("x-x");
    QTest::newRow("no case: brace is no bracket") << QStringLiteral("A{a[") << QStringLiteral("a{") << QStringLiteral("#") << false << QStringLiteral("#a[");
    QTest::newRow("no case: only ASCII folds") << QStringLiteral("Ää") << QStringLiteral("ä") << QStringLiteral("#") << false << QStringLiteral("Ä#");
    QTest::newRow("case: only exact") << QStringLiteral("ABC-abc") << QStringLiteral("abc") << QStringLiteral("x") << true << QStringLiteral("ABC-x");
    QTest::newRow("low surrogate inside a pair") << smile + QStringLiteral("a") << QString(QChar(smile[1]))
                                                 << QStringLiteral("#") << true << smile + QStringLiteral("a");
    QTest::newRow("whole pair") << QStringLiteral("a") + smile << smile << QStringLiteral("#") << true << QStringLiteral("a#");
}

void TstTextReplace::replaceText()
{
    QFETCH(QString, source);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(bool, caseSensitive);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceText(source, find, replacement, caseSensitive), expected);
}

QTEST_GUILESS_MAIN(TstTextReplace)
#include "tst_text_replace.moc"

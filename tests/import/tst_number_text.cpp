#include "import/number_text.h"

#include <QtTest>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void TestNumberText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("places");
    QTest::addColumn<QVariant>("expected");
    const QVariant null;
    QTest::newRow("decimal kept") << "12.5" << 2 << QVariant(12.5);
    QTest::newRow("trailing zeros") << "12.50" << 2 << QVariant(12.5);
    QTest::newRow("half to even down") << "2.5" << 0 << QVariant(qint64(2));
    QTest::newRow("half to even up") << "3.5" << 0 << QVariant(qint64(4));
    QTest::newRow("cents half even") << "2.675" << 2 << QVariant(2.68);
    QTest::newRow("cents half even down") << "2.665" << 2 << QVariant(2.66);
    QTest::newRow("above half") << "2.6651" << 2 << QVariant(2.67);
    QTest::newRow("carry") << "9.995" << 2 << QVariant(10.0);
    QTest::newRow("negative") << "-3.5" << 0 << QVariant(qint64(-4));
    QTest::newRow("blanks and sign") << "  +7  " << 0 << QVariant(qint64(7));
    QTest::newRow("big item number") << "524123456789012" << 0 << QVariant(qint64(524123456789012));
    QTest::newRow("exponent") << "1.5e2" << 0 << QVariant(qint64(150));
    QTest::newRow("tiny float") << "1.03344e-38" << 2 << QVariant(0.0);
    QTest::newRow("fraction only") << ".5" << 2 << QVariant(0.5);
    QTest::newRow("letters") << "abc" << 0 << null;
    QTest::newRow("thousands separator") << "1,000" << 0 << null;
    QTest::newRow("empty") << "" << 2 << null;
    QTest::newRow("sign only") << "-" << 0 << null;
    QTest::newRow("bad exponent") << "1e" << 0 << null;
    QTest::newRow("inner blank") << "1 2" << 0 << null;
}

void TestNumberText::parse()
{
    QFETCH(QString, text);
    QFETCH(int, places);
    QFETCH(QVariant, expected);
    const QVariant value = NumberText::parse(text, places);
    QCOMPARE(value.isNull(), expected.isNull());
    if (expected.isNull())
        return;
    if (places == 0)
        QCOMPARE(value.toLongLong(), expected.toLongLong());
    else
        QCOMPARE(value.toDouble(), expected.toDouble());
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_number_text.moc"

#include "testing/test_support.h"

#include <QProcess>
#include <QtTest>

class TestCli : public QObject
{
    Q_OBJECT

private:
    struct Result
    {
        int exitCode;
        QString out;
        QString err;
    };
    static Result run(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(ROWSHIFT_CLI), args);
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void categoriesOnNewHomeCreatesStore();
    void usageErrorsExitTwo_data();
    void usageErrorsExitTwo();
    void damagedStoreExitsOne();
};

void TestCli::categoriesOnNewHomeCreatesStore()
{
    TempHome home;
    const QString dir = home.path(QStringLiteral("new/home"));
    const Result r = run({QStringLiteral("--home"), dir, QStringLiteral("categories")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QString());
    QVERIFY(QFile::exists(dir + QStringLiteral("/Data.db")));
}

void TestCli::usageErrorsExitTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--nope"), QStringLiteral("categories")};
    QTest::newRow("extra argument") << QStringList{QStringLiteral("categories"), QStringLiteral("x")};
}

void TestCli::usageErrorsExitTwo()
{
    QFETCH(QStringList, args);
    TempHome home;
    const Result r = run(QStringList{QStringLiteral("--home"), home.path()} + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(!r.err.isEmpty());
}

void TestCli::damagedStoreExitsOne()
{
    TempHome home;
    QVERIFY(TestFiles::write(home.path(QStringLiteral("Data.db")), QByteArray(2048, 'z')));
    const Result r = run({QStringLiteral("--home"), home.path(), QStringLiteral("categories")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(QStringLiteral("打开数据库失败")));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

#include "testing/test_support.h"

#include <QDir>
#include <QDirIterator>
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
    void importPrintsTheTargetCategory();
    void convertEveryExampleToEveryLayoutAndBack_data();
    void convertEveryExampleToEveryLayoutAndBack();
    void exportNeverTouchesAnExistingFileUnasked();
    void importDirAndExportTree();
    void failuresExitOne_data();
    void failuresExitOne();
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
    QTest::newRow("import without file") << QStringList{QStringLiteral("import")};
    QTest::newRow("rename without into")
        << QStringList{QStringLiteral("import"), QStringLiteral("a.csv"), QStringLiteral("--rename")};
    QTest::newRow("bad --from") << QStringList{QStringLiteral("import"), QStringLiteral("a.csv"),
                                               QStringLiteral("--from"), QStringLiteral("youa")};
    QTest::newRow("export without -o") << QStringList{QStringLiteral("export"), QStringLiteral("1"),
                                                      QStringLiteral("--to"), QStringLiteral("tb4")};
    QTest::newRow("bad --to") << QStringList{QStringLiteral("convert"), QStringLiteral("a.csv"), QStringLiteral("--to"),
                                             QStringLiteral("generic"), QStringLiteral("-o"), QStringLiteral("b.csv")};
    QTest::newRow("bad --existing")
        << QStringList{QStringLiteral("export-tree"), QStringLiteral("1"), QStringLiteral("--to"), QStringLiteral("tb4"),
                       QStringLiteral("-o"), QStringLiteral("d"), QStringLiteral("--existing"), QStringLiteral("maybe")};
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

namespace {

QString example(const QString &relative) { return QStringLiteral(ROWSHIFT_EXAMPLES "/") + relative; }

// Reads a shop file written by the system: UTF-16LE after FF FE.
QString shopText(const QString &path)
{
    const QByteArray bytes = TestFiles::read(path);
    if (!bytes.startsWith("\xFF\xFE"))
        return QString();
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
}

} // namespace

void TestCli::importPrintsTheTargetCategory()
{
    TempHome home;
    const Result r = run({QStringLiteral("--home"), home.path(), QStringLiteral("import"),
                          example(QStringLiteral("taobao4/女装.csv")), QStringLiteral("--pictures"),
                          example(QStringLiteral("taobao4/女装"))});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.trimmed(), QStringLiteral("1"));
    const Result list = run({QStringLiteral("--home"), home.path(), QStringLiteral("categories")});
    QCOMPARE(list.out.section(QLatin1Char('\t'), 0, 4), QStringLiteral("1\t0\t1\t3\t女装"));
    QCOMPARE(QDir(home.path(QStringLiteral("images"))).entryList(QDir::Files).size(), 6);
    // into an existing category, renamed after the file
    const Result again = run({QStringLiteral("--home"), home.path(), QStringLiteral("import"),
                              example(QStringLiteral("paipai/数码.csv")), QStringLiteral("--into"), QStringLiteral("1"),
                              QStringLiteral("--rename")});
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out.trimmed(), QStringLiteral("1"));
    const Result after = run({QStringLiteral("--home"), home.path(), QStringLiteral("categories")});
    QCOMPARE(after.out.section(QLatin1Char('\t'), 3, 4), QStringLiteral("5\t数码"));
}

void TestCli::convertEveryExampleToEveryLayoutAndBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("back");
    QTest::addColumn<int>("rows");
    for (const auto &[file, back, rows] : {std::tuple{"taobao4/女装.csv", "tb4", 3}, {"taobao5/男鞋.csv", "tb5", 2},
                                           {"paipai/数码.csv", "paipai", 2}})
        for (const char *to : {"tb4", "tb5", "paipai"})
            QTest::addRow("%s to %s", file, to) << QString::fromUtf8(file) << QString::fromLatin1(to)
                                                << QString::fromLatin1(back) << rows;
}

void TestCli::convertEveryExampleToEveryLayoutAndBack()
{
    QFETCH(QString, file);
    QFETCH(QString, to);
    QFETCH(QString, back);
    QFETCH(int, rows);
    TempHome work;
    const QString there = work.path(QStringLiteral("there.csv"));
    const QString again = work.path(QStringLiteral("again.csv"));
    const QString source = example(file);
    Result r = run({QStringLiteral("convert"), source, QStringLiteral("--to"), to, QStringLiteral("-o"), there,
                    QStringLiteral("--pictures"), source.chopped(4)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    r = run({QStringLiteral("convert"), there, QStringLiteral("--to"), back, QStringLiteral("-o"), again,
             QStringLiteral("--pictures"), there.chopped(4)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString text = shopText(again);
    const int headerLines = back == QLatin1String("tb5") ? 3 : 1;
    QCOMPARE(text.count(QStringLiteral("\r\n")) + (headerLines - 1), rows + headerLines);
    // every item keeps its title
    const QString original = shopText(source);
    for (const QString &title : {QStringLiteral("连衣裙"), QStringLiteral("跑步鞋"), QStringLiteral("蓝牙耳机")})
        QCOMPARE(text.contains(title), original.contains(title));
    QVERIFY(!QDir(work.path(QStringLiteral("again"))).isEmpty()); // the pictures came along
}

void TestCli::exportNeverTouchesAnExistingFileUnasked()
{
    TempHome home;
    QCOMPARE(run({QStringLiteral("--home"), home.path(), QStringLiteral("import"),
                  example(QStringLiteral("paipai/数码.csv"))}).exitCode, 0);
    const QString out = home.path(QStringLiteral("out/x.csv"));
    QVERIFY(TestFiles::write(out, "keep me"));
    const QStringList exportArgs = {QStringLiteral("--home"), home.path(), QStringLiteral("export"), QStringLiteral("1"),
                                    QStringLiteral("--to"), QStringLiteral("tb4"), QStringLiteral("-o"), out};
    Result r = run(exportArgs);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(TestFiles::read(out), QByteArray("keep me"));
    r = run(exportArgs + QStringList{QStringLiteral("--existing"), QStringLiteral("overwrite")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(shopText(out).contains(QStringLiteral("蓝牙耳机")));
    const int before = shopText(out).size();
    r = run(exportArgs + QStringList{QStringLiteral("--existing"), QStringLiteral("merge")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(shopText(out).size() > before);
    QCOMPARE(shopText(out).count(QStringLiteral("宝贝名称")), 1); // merged rows come without a header
}

void TestCli::importDirAndExportTree()
{
    TempHome home;
    // a 4.x file in the folder and a 5.x file in a sub-folder: one run, both converted
    const QString shop = home.path(QStringLiteral("shop"));
    QVERIFY(TestFiles::write(shop + QStringLiteral("/女装.csv"), TestFiles::read(example(QStringLiteral("taobao4/女装.csv")))));
    QVERIFY(TestFiles::write(shop + QStringLiteral("/鞋_子目录/男鞋.csv"),
                             TestFiles::read(example(QStringLiteral("taobao5/男鞋.csv")))));
    const Result r = run({QStringLiteral("--home"), home.path(), QStringLiteral("import-dir"), shop,
                          QStringLiteral("--pictures"), QStringLiteral("none")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString top = r.out.trimmed();
    const Result list = run({QStringLiteral("--home"), home.path(), QStringLiteral("categories")});
    QVERIFY2(list.out.contains(QStringLiteral("\t1\t3\t女装")), qPrintable(list.out));
    QVERIFY2(list.out.contains(QStringLiteral("\t1\t2\t男鞋")), qPrintable(list.out));
    const QString out = home.path(QStringLiteral("tree"));
    const Result e = run({QStringLiteral("--home"), home.path(), QStringLiteral("export-tree"), top,
                          QStringLiteral("--to"), QStringLiteral("tb4"), QStringLiteral("-o"), out,
                          QStringLiteral("--pictures"), QStringLiteral("none")});
    QVERIFY2(e.exitCode == 0, qPrintable(e.err));
    int files = 0;
    QDirIterator it(out, {QStringLiteral("*.csv")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++files;
    }
    QCOMPARE(files, 2);
}

void TestCli::failuresExitOne_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QStringList{QStringLiteral("import"), QStringLiteral("/nonexistent/a.csv")}
                                  << QStringLiteral("当前CSV文件【");
    QTest::newRow("unknown category") << QStringList{QStringLiteral("import"), example(QStringLiteral("paipai/数码.csv")),
                                                     QStringLiteral("--into"), QStringLiteral("99")}
                                      << QStringLiteral("分类不存在");
    QTest::newRow("empty category export")
        << QStringList{QStringLiteral("export"), QStringLiteral("42"), QStringLiteral("--to"), QStringLiteral("tb4"),
                       QStringLiteral("-o"), QStringLiteral("/tmp/rowshift-never.csv")}
        << QStringLiteral("没有数据可以导出");
}

void TestCli::failuresExitOne()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    TempHome home;
    const Result r = run(QStringList{QStringLiteral("--home"), home.path()} + args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

#include "shop_file_builder.h"
#include "testing/test_support.h"

#include "base/progress_sink.h"
#include "import/directory_import.h"
#include "import/single_import.h"
#include "store/category_store.h"
#include "store/data_module.h"

#include <QDir>
#include <QSqlQuery>
#include <QtTest>

namespace {

QString q(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// A store in a temporary home, brought up like the programs do.
struct Fixture
{
    TempHome home;
    TDm dm;

    Fixture()
    {
        QString error;
        if (!BringUpStore(dm, home.home().databasePath(), error))
            qFatal("store: %s", qPrintable(error));
    }

    bool import(const QString &path, int format, QString &error, qint64 *target = nullptr,
                const QString &pictures = QString(), const ImportTarget &into = ImportTarget())
    {
        SingleImportOptions options;
        options.filePath = path;
        options.formatCode = format;
        options.importPictures = !pictures.isEmpty();
        options.pictureDir = pictures;
        options.target = into;
        qint64 id = 0;
        const bool ok = ImportOneFile(dm, home.home(), options, nullptr, id, error);
        if (target)
            *target = id;
        return ok;
    }

    QVariant value(const QString &sql, const QVariantList &values = {}) { return dm.scalar(sql, values); }
    qint64 count(const QString &table) { return value(QStringLiteral("select count(*) from ") + table).toLongLong(); }
};

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void examplesFillNativeGenericAndStores_data();
    void examplesFillNativeGenericAndStores();
    void taobaoColumnRulesAndNumbers();
    void taobao5RowsEndInBabyData();
    void failureKeepsEarlierRowsAndHidesNewCategory();
    void refusedFileStoresNothing();
    void taobaoMainPictures();
    void sixthMainPictureFailsTheRow();
    void paipaiPicturesAndDescriptions();
    void hostileNamesNeverLeaveTheStores();
    void reimportKeepsGenericRows();
    void existingTargetIsRenamedOnRequest();
    void folderImportSharesCategoriesOfFileAndFolder();
    void folderRanges_data();
    void folderRanges();
};

void TestImport::examplesFillNativeGenericAndStores_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("nativeTable");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pictures");
    QTest::newRow("taobao 4.x") << "taobao4/女装.csv" << 1 << "BabyData" << 3 << 6;
    QTest::newRow("taobao 5.x") << "taobao5/男鞋.csv" << 1 << "BabyData" << 2 << 4;
    QTest::newRow("paipai") << "paipai/数码.csv" << 3 << "PPData" << 2 << 3;
}

void TestImport::examplesFillNativeGenericAndStores()
{
    QFETCH(QString, file);
    QFETCH(int, format);
    QFETCH(QString, nativeTable);
    QFETCH(int, rows);
    QFETCH(int, pictures);
    Fixture f;
    const QString path = QStringLiteral(ROWSHIFT_EXAMPLES "/") + file;
    const QString pictureDir = path.chopped(4);
    QString error;
    qint64 target = 0;
    QVERIFY2(f.import(path, format, error, &target, pictureDir), qPrintable(error));
    QCOMPARE(f.count(nativeTable), rows);
    QCOMPARE(f.count(QStringLiteral("BaseData")), rows);
    QCOMPARE(f.count(QStringLiteral("BabyNewData")), 0);
    QCOMPARE(f.value(QStringLiteral("select isVisible from Category where cID=?"), {target}).toInt(), -1);
    QCOMPARE(f.value(QStringLiteral("select count(*) from %1 n join BaseData b on b.bID=n.bID and b.cID=n.cID")
                         .arg(nativeTable)).toInt(), rows);
    QCOMPARE(QDir(f.home.home().imagesDir()).entryList(QDir::Files).size(), pictures);
    QCOMPARE(QDir(f.home.home().descDir()).entryList(QDir::Files).size(), rows);
    // coded values arrive as words in the generic table
    const QString condition = f.value(QStringLiteral("select 新旧程度 from BaseData order by bID")).toString();
    QVERIFY(condition == QStringLiteral("全新") || condition == QStringLiteral("二手"));
    QVERIFY(!f.value(QStringLiteral("select 商品描述 from BaseData order by bID")).toString().isEmpty());
}

void TestImport::taobaoColumnRulesAndNumbers()
{
    Fixture f;
    const QString path = f.home.path(QStringLiteral("in/rules.csv"));
    ShopFileBuilder(ShopFileBuilder::Taobao4)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("a"))},
              {QStringLiteral("店铺类目"), q(QStringLiteral("12,34"))},
              {QStringLiteral("宝贝属性"), q(QStringLiteral("1:2"))},
              {QStringLiteral("宝贝价格"), QStringLiteral("12.5")},
              {QStringLiteral("宝贝数量"), QStringLiteral("2.5")},
              {QStringLiteral("有效期"), QStringLiteral("3.5")},
              {QStringLiteral("宝贝类目"), QStringLiteral("abc")},
              {QStringLiteral("宝贝描述"), q(QStringLiteral("<a href=\"\"x\"\">说明</a>"))},
              {QStringLiteral("新旧程度"), QStringLiteral("1")},
              {QStringLiteral("运费承担"), QStringLiteral("1")},
              {QStringLiteral("邮费模版ID"), QStringLiteral("5")},
              {QStringLiteral("放入仓库"), QStringLiteral("-1010")}})
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("b"))}, {QStringLiteral("店铺类目"), q(QString())}})
        .write(path);
    QString error;
    QVERIFY2(f.import(path, 1, error), qPrintable(error));
    QSqlQuery &r = f.dm.exec(QStringLiteral("select 店铺类目,宝贝属性,宝贝价格,宝贝数量,有效期,宝贝类目,宝贝描述 from BabyData order by ID"));
    QVERIFY(r.next());
    QCOMPARE(r.value(0).toString(), QStringLiteral(",12,34,"));
    QCOMPARE(r.value(1).toString(), QStringLiteral("1:2;"));
    QCOMPARE(r.value(2).toDouble(), 12.5);
    QCOMPARE(r.value(3).toLongLong(), 2);
    QCOMPARE(r.value(4).toLongLong(), 4);
    QVERIFY(r.value(5).isNull());
    const QString descPath = r.value(6).toString();
    QVERIFY(r.next());
    QCOMPARE(r.value(0).toString(), QString());
    r.finish();
    QVERIFY(QFileInfo(descPath).fileName().contains(QRegularExpression(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}\\.htm$"))));
    // doubled quotes become single ones; the file is GB18030 and ends in CR LF
    QCOMPARE(TestFiles::read(descPath), QByteArray("<a href=\"x\">\xCB\xB5\xC3\xF7</a>\r\n"));
    QSqlQuery &g = f.dm.exec(QStringLiteral("select 新旧程度,运费承担,上架选项 from BaseData order by bID"));
    QVERIFY(g.next());
    QCOMPARE(g.value(0).toString(), QStringLiteral("二手"));
    QCOMPARE(g.value(1).toString(), QStringLiteral("模板"));
    QCOMPARE(g.value(2).toString(), QStringLiteral("定时"));
    g.finish();
}

void TestImport::taobao5RowsEndInBabyData()
{
    Fixture f;
    const QString path = f.home.path(QStringLiteral("in/five.csv"));
    ShopFileBuilder(ShopFileBuilder::Taobao5)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("x"))},
              {QStringLiteral("新旧程度"), QStringLiteral("1")},
              {QStringLiteral("出售方式"), QStringLiteral("1")},
              {QStringLiteral("新图片"), q(QStringLiteral("a:1:0:|;b:2:0:|;"))}})
        .write(path);
    QString error;
    QVERIFY2(f.import(path, 1, error), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BabyNewData")), 0);
    QCOMPARE(f.count(QStringLiteral("BabyData")), 1);
    QCOMPARE(f.value(QStringLiteral("select 新图片 from BabyData")).toString(), QStringLiteral("a:0:0:|;b:1:0:|;"));
    QCOMPARE(f.value(QStringLiteral("select 出售方式 from BaseData")).toString(), QStringLiteral("一口价"));
    QCOMPARE(f.value(QStringLiteral("select 新旧程度 from BaseData")).toString(), QStringLiteral("全新"));
}

void TestImport::failureKeepsEarlierRowsAndHidesNewCategory()
{
    Fixture f;
    const QString path = f.home.path(QStringLiteral("in/bad.csv"));
    QMap<QString, QString> tooMany{{QStringLiteral("宝贝名称"), q(QStringLiteral("2"))},
                                   {QStringLiteral("新图片"),
                                    q(QStringLiteral("a:0:0:|;b:0:1:|;c:0:2:|;d:0:3:|;e:0:4:|;f:0:5:|;"))}};
    ShopFileBuilder(ShopFileBuilder::Taobao4)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("1"))}})
        .row(tooMany)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("3"))}})
        .write(path);
    QString error;
    qint64 target = 0;
    QVERIFY(!f.import(path, 1, error, &target, f.home.path(QStringLiteral("pics"))));
    QVERIFY2(error.contains(QStringLiteral("出错行号：2")), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BabyData")), 1);
    QCOMPARE(f.count(QStringLiteral("BaseData")), 0);
    QCOMPARE(f.value(QStringLiteral("select isVisible from Category where cID=?"), {target}).toInt(), 0);
    // a later successful import into the same category converts all of its native rows
    ImportTarget into;
    into.useExisting = true;
    into.existingId = target;
    into.existingName = QStringLiteral("bad");
    const QString good = f.home.path(QStringLiteral("in/good.csv"));
    ShopFileBuilder(ShopFileBuilder::Taobao4).row({{QStringLiteral("宝贝名称"), q(QStringLiteral("4"))}}).write(good);
    QVERIFY2(f.import(good, 1, error, nullptr, QString(), into), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BaseData")), 2);
}

void TestImport::refusedFileStoresNothing()
{
    Fixture f;
    const QString path = f.home.path(QStringLiteral("in/ansi.csv"));
    QVERIFY(TestFiles::write(path, QByteArray("\xB1\xA6\xB1\xB4\xC3\xFB\xB3\xC6\r\n")));
    QString error;
    qint64 target = 0;
    QVERIFY(!f.import(path, 1, error, &target));
    QVERIFY2(error.contains(QStringLiteral("软件无法识别，可能不是标准格式。")), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BabyData")), 0);
    QVERIFY(!f.import(f.home.path(QStringLiteral("in/missing.csv")), 3, error));
    QVERIFY(error.startsWith(QStringLiteral("当前CSV文件【")));
}

void TestImport::taobaoMainPictures()
{
    Fixture f;
    const QString dir = f.home.path(QStringLiteral("in/pics"));
    for (const char *name : {"a1", "b2"})
        QVERIFY(TestFiles::write(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".tbi"), name));
    const QString path = f.home.path(QStringLiteral("in/pics.csv"));
    ShopFileBuilder(ShopFileBuilder::Taobao4)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("x"))},
              {QStringLiteral("新图片"), q(QStringLiteral("a1:0:0:|;b2:1:1:|;c3:0:1:|;"))}})
        .write(path);
    QVERIFY(TestFiles::write(f.home.home().imagesDir() + QStringLiteral("/a1.jpg"), "old"));
    QString error;
    QVERIFY2(f.import(path, 1, error, nullptr, dir), qPrintable(error));
    QCOMPARE(f.value(QStringLiteral("select 图片1 from BabyData")).toString(), QStringLiteral("a1"));
    QCOMPARE(f.value(QStringLiteral("select 图片2 from BabyData")).toString(), QStringLiteral("c3")); // c3.tbi is missing
    QVERIFY(f.value(QStringLiteral("select 图片3 from BabyData")).isNull());
    QCOMPARE(TestFiles::read(f.home.home().imagesDir() + QStringLiteral("/a1.jpg")), QByteArray("a1")); // overwritten
    QVERIFY(QFile::exists(f.home.home().imagesDir() + QStringLiteral("/b2.jpg")));
    QVERIFY(!QFile::exists(f.home.home().imagesDir() + QStringLiteral("/c3.jpg")));
    QCOMPARE(f.value(QStringLiteral("select 图片2 from BaseData")).toString(), QStringLiteral("c3"));
}

void TestImport::sixthMainPictureFailsTheRow()
{
    Fixture f;
    const QString path = f.home.path(QStringLiteral("in/six.csv"));
    ShopFileBuilder(ShopFileBuilder::Taobao5)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("x"))},
              {QStringLiteral("新图片"), q(QStringLiteral("a:1:0:|;b:1:1:|;c:1:2:|;d:1:3:|;e:1:4:|;f:1:5:|;"))}})
        .write(path);
    QString error;
    QVERIFY(!f.import(path, 1, error, nullptr, f.home.path(QStringLiteral("in"))));
    QVERIFY2(error.contains(QStringLiteral("出错行号：1")), qPrintable(error));
    // without the picture option the picture columns stay empty and the row is stored
    QVERIFY2(f.import(path, 1, error), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BabyData")), 1);
}

void TestImport::paipaiPicturesAndDescriptions()
{
    Fixture f;
    const QString dir = f.home.path(QStringLiteral("in/shop"));
    QVERIFY(TestFiles::write(dir + QStringLiteral("/x.jpg"), "x"));
    QVERIFY(TestFiles::write(dir + QStringLiteral("/d.htm"), "<p>d</p>"));
    QVERIFY(TestFiles::write(f.home.home().descDir() + QStringLiteral("/d.htm"), "taken"));
    const QString path = f.home.path(QStringLiteral("in/shop.csv"));
    ShopFileBuilder(ShopFileBuilder::Paipai)
        .row({{QStringLiteral("商品名称"), q(QStringLiteral("bare"))},
              {QStringLiteral("图片2"), q(QStringLiteral("x.jpg"))},
              {QStringLiteral("商品详情"), q(QStringLiteral("d.htm"))}})
        .row({{QStringLiteral("商品名称"), q(QStringLiteral("windows path"))},
              {QStringLiteral("图片"), q(QStringLiteral("C:\\Documents\\x.jpg"))},
              {QStringLiteral("商品详情"), q(QStringLiteral("D:\\shop\\d.htm"))}})
        .row({{QStringLiteral("商品名称"), q(QStringLiteral("text"))},
              {QStringLiteral("商品详情"), q(QStringLiteral("<p>inline</p>"))}})
        .write(path);
    QString error;
    QVERIFY2(f.import(path, 3, error, nullptr, dir), qPrintable(error));
    QSqlQuery &r = f.dm.exec(QStringLiteral("select 图片,图片2,商品详情 from PPData order by pID"));
    QVERIFY(r.next());
    QCOMPARE(r.value(1).toString(), QStringLiteral("x"));
    QCOMPARE(QFileInfo(r.value(2).toString()).fileName(), QStringLiteral("d0.htm"));
    QVERIFY(r.next());
    QCOMPARE(r.value(0).toString(), QStringLiteral("x"));
    QCOMPARE(QFileInfo(r.value(2).toString()).fileName(), QStringLiteral("d01.htm"));
    QVERIFY(r.next());
    const QString inline_ = r.value(2).toString();
    r.finish();
    QVERIFY(inline_.endsWith(QStringLiteral("}.htm")));
    QCOMPARE(TestFiles::read(inline_), QByteArray("<p>inline</p>\r\n"));
    QCOMPARE(TestFiles::read(f.home.home().imagesDir() + QStringLiteral("/x.jpg")), QByteArray("x"));
}

void TestImport::hostileNamesNeverLeaveTheStores()
{
    Fixture f;
    const QString dir = f.home.path(QStringLiteral("in/shop"));
    QVERIFY(TestFiles::write(f.home.path(QStringLiteral("in/secret.tbi")), "secret"));
    const QString path = f.home.path(QStringLiteral("in/shop.csv"));
    ShopFileBuilder(ShopFileBuilder::Taobao4)
        .row({{QStringLiteral("宝贝名称"), q(QStringLiteral("x"))},
              {QStringLiteral("新图片"), q(QStringLiteral("../secret:0:0:|;../../escape:0:1:|;"))}})
        .write(path);
    QString error;
    QVERIFY2(f.import(path, 1, error, nullptr, dir), qPrintable(error));
    QCOMPARE(f.value(QStringLiteral("select 图片1 from BabyData")).toString(), QStringLiteral("../secret"));
    QVERIFY(QDir(f.home.home().imagesDir()).entryList(QDir::Files).isEmpty());
    QVERIFY(!QFile::exists(f.home.path(QStringLiteral("secret.jpg"))));
    QVERIFY(!QFile::exists(f.home.path(QStringLiteral("escape.jpg"))));
}

void TestImport::reimportKeepsGenericRows()
{
    Fixture f;
    const QString tb = QStringLiteral(ROWSHIFT_EXAMPLES "/taobao4/女装.csv");
    const QString pp = QStringLiteral(ROWSHIFT_EXAMPLES "/paipai/数码.csv");
    QString error;
    qint64 target = 0;
    QVERIFY2(f.import(tb, 1, error, &target), qPrintable(error));
    ImportTarget into;
    into.useExisting = true;
    into.existingId = target;
    into.existingName = QStringLiteral("女装");
    QVERIFY2(f.import(pp, 3, error, nullptr, QString(), into), qPrintable(error));
    QVERIFY2(f.import(tb, 1, error, nullptr, QString(), into), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BaseData")), 3 + 2 + 3);
    QCOMPARE(f.value(QStringLiteral("select count(*) from BabyData where bID is null")).toInt(), 0);
    QCOMPARE(f.value(QStringLiteral("select count(*) from PPData where bID is null")).toInt(), 0);
    QCOMPARE(f.value(QStringLiteral("select count(distinct bID) from BabyData")).toInt(), 6);
}

void TestImport::existingTargetIsRenamedOnRequest()
{
    Fixture f;
    const qint64 id = InsertCategory(f.dm, QStringLiteral("old"), QString(), 0, 1, true);
    ImportTarget into;
    into.useExisting = true;
    into.existingId = id;
    into.existingName = QStringLiteral("old");
    QString error;
    const QString path = QStringLiteral(ROWSHIFT_EXAMPLES "/paipai/数码.csv");
    QVERIFY2(f.import(path, 3, error, nullptr, QString(), into), qPrintable(error));
    CategoryRow row;
    QVERIFY(ReadCategory(f.dm, id, row));
    QCOMPARE(row.cName, QStringLiteral("old"));
    QCOMPARE(row.cImPath, path);
    into.rename = true;
    QVERIFY2(f.import(path, 3, error, nullptr, QString(), into), qPrintable(error));
    QVERIFY(ReadCategory(f.dm, id, row));
    QCOMPARE(row.cName, QStringLiteral("数码"));
}

void TestImport::folderImportSharesCategoriesOfFileAndFolder()
{
    Fixture f;
    const QString root = f.home.path(QStringLiteral("shop"));
    ShopFileBuilder one(ShopFileBuilder::Taobao4);
    one.row({{QStringLiteral("宝贝名称"), q(QStringLiteral("item"))}});
    QVERIFY(one.write(root + QStringLiteral("/X.csv")));
    QVERIFY(one.write(root + QStringLiteral("/X_子目录/Y.CSV")));
    QVERIFY(one.write(root + QStringLiteral("/X_子目录/Z_子目录/W.csv")));
    QVERIFY(TestFiles::write(root + QStringLiteral("/notes.txt"), "x"));
    QDir().mkpath(root + QStringLiteral("/folder.csv"));
    FolderQueryOptions options;
    options.folder = root;
    qint64 top = 0;
    QString error;
    QVERIFY2(QueryImportFiles(f.dm, options, top, error), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("ImFile")), 3);
    QVERIFY(QFileInfo(root + QStringLiteral("/X")).isDir()); // picture folder made for X.csv
    int format = 1;
    NullProgress files, records;
    QVERIFY2(ImportFileList(f.dm, f.home.home(), top, format, &files, &records, error), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("BaseData")), 3);
    const qint64 x = f.value(QStringLiteral("select cID from Category where cName='X'")).toLongLong();
    const qint64 y = f.value(QStringLiteral("select cID from Category where cName='Y'")).toLongLong();
    const qint64 w = f.value(QStringLiteral("select cID from Category where cName='W'")).toLongLong();
    QCOMPARE(f.value(QStringLiteral("select pID from Category where cID=?"), {x}).toLongLong(), top);
    QCOMPARE(f.value(QStringLiteral("select pID from Category where cID=?"), {y}).toLongLong(), x);
    QCOMPARE(f.value(QStringLiteral("select count(*) from Category where isVisible=0")).toInt(), 0);
    QCOMPARE(f.value(QStringLiteral("select count(*) from BaseData where cID=?"), {w}).toInt(), 1);
    QCOMPARE(f.value(QStringLiteral("select count(*) from Category where cName='X'")).toInt(), 1);
}

void TestImport::folderRanges_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("listed");
    QTest::newRow("all levels") << int(FolderRange::All) << 3;
    QTest::newRow("main folder only") << int(FolderRange::MainOnly) << 1;
    QTest::newRow("sub-folders only") << int(FolderRange::SubOnly) << 2;
}

void TestImport::folderRanges()
{
    QFETCH(int, range);
    QFETCH(int, listed);
    Fixture f;
    const QString root = f.home.path(QStringLiteral("shop"));
    ShopFileBuilder one(ShopFileBuilder::Taobao4);
    one.row({{QStringLiteral("宝贝名称"), q(QStringLiteral("item"))}});
    QVERIFY(one.write(root + QStringLiteral("/a.csv")));
    QVERIFY(one.write(root + QStringLiteral("/s_子目录/b.csv")));
    QVERIFY(one.write(root + QStringLiteral("/s_子目录/t_子目录/c.csv")));
    QVERIFY(one.write(root + QStringLiteral("/unmatched/d.csv")));
    FolderQueryOptions options;
    options.folder = root;
    options.range = FolderRange(range);
    options.importPictures = false;
    qint64 top = 0;
    QString error;
    QVERIFY2(QueryImportFiles(f.dm, options, top, error), qPrintable(error));
    QCOMPARE(f.count(QStringLiteral("ImFile")), listed);
}

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"

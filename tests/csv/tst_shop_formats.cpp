#include "csv/shop_formats.h"
#include "store/item_tables.h"

#include <QElapsedTimer>
#include <QtTest>

class TestShopFormats : public QObject
{
    Q_OBJECT

private slots:
    void layoutsMatchTheirTables_data();
    void layoutsMatchTheirTables();
    void taobao5EnglishNames();
    void headerNames_data();
    void headerNames();
    void pictureLists_data();
    void pictureLists();
    void paipaiDescriptions_data();
    void paipaiDescriptions();
    void paipaiDescriptionOfLongTextIsQuick();
    void paipaiVersionText();
};

void TestShopFormats::layoutsMatchTheirTables_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("nameColumn");
    QTest::addColumn<bool>("pictureColumns");
    QTest::newRow("taobao 4.x") << 1 << 46 << "BabyData" << QString::fromUtf8("宝贝名称") << true;
    QTest::newRow("taobao 5.x") << 2 << 41 << "BabyNewData" << QString::fromUtf8("宝贝名称") << true;
    QTest::newRow("paipai") << 3 << 42 << "PPData" << QString::fromUtf8("商品名称") << false;
    QTest::newRow("youa") << 4 << 41 << "YAData" << QString::fromUtf8("商品名称") << false;
    QTest::newRow("generic reads as 4.x") << 0 << 46 << "BabyData" << QString::fromUtf8("宝贝名称") << true;
}

void TestShopFormats::layoutsMatchTheirTables()
{
    QFETCH(int, format);
    QFETCH(int, size);
    QFETCH(QString, table);
    QFETCH(QString, nameColumn);
    QFETCH(bool, pictureColumns);
    const ShopLayout &layout = LayoutOfFormat(format);
    QCOMPARE(layout.columns.size(), size);
    QCOMPARE(layout.tableName, table);
    QCOMPARE(layout.nameColumn, nameColumn);
    QCOMPARE(layout.hasPictureColumns, pictureColumns);
    QStringList unique = layout.columns;
    QCOMPARE(unique.removeDuplicates(), 0);
    const TableDef &def = ItemTable(table);
    for (const QString &column : layout.columns)
        QVERIFY2(def.indexOf(column) >= 0, qPrintable(column));
}

void TestShopFormats::taobao5EnglishNames()
{
    const ShopLayout &layout = Taobao5Layout();
    QCOMPARE(layout.englishNames.size(), layout.columns.size());
    QCOMPARE(layout.englishNames.first(), QStringLiteral("title"));
    QCOMPARE(layout.columns.at(layout.englishNames.indexOf(QStringLiteral("inputValues"))),
             QString::fromUtf8("用户输入名值对"));
    QCOMPARE(layout.englishNames.last(), QStringLiteral("syncStatus"));
    // The 4.x and Paipai column orders that the files and the store rely on.
    QCOMPARE(Taobao4Layout().columns.indexOf(QString::fromUtf8("闪电发货")), 19);
    QCOMPARE(Taobao4Layout().columns.indexOf(QString::fromUtf8("新图片")), 36);
    QCOMPARE(PaipaiLayout().columns.indexOf(QString::fromUtf8("商品详情")), 30);
    QCOMPARE(PaipaiLayout().columns.last(), QString::fromUtf8("版本"));
}

void TestShopFormats::headerNames_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("column");
    QTest::newRow("written with a hyphen") << QString::fromUtf8("用户输入名-值对") << QString::fromUtf8("用户输入名值对");
    QTest::newRow("quoted") << QString::fromUtf8("\"商品名称\"") << QString::fromUtf8("商品名称");
    QTest::newRow("quoted hyphen") << QString::fromUtf8("\"用户输入名-值对\"") << QString::fromUtf8("用户输入名值对");
    QTest::newRow("plain") << QStringLiteral("EMS") << QStringLiteral("EMS");
    QTest::newRow("blanks around") << QStringLiteral(" title ") << QStringLiteral("title");
}

void TestShopFormats::headerNames()
{
    QFETCH(QString, header);
    QFETCH(QString, column);
    QCOMPARE(StoreColumnOfHeaderName(header), column);
    QCOMPARE(StoreColumnOfHeaderName(HeaderFieldName(column)), column);
    QCOMPARE(HeaderFieldName(QString::fromUtf8("用户输入名值对")), QString::fromUtf8("用户输入名-值对"));
}

void TestShopFormats::pictureLists_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("kind0");
    QTest::addColumn<QStringList>("kind1");
    QTest::newRow("written by the system") << "a1:0:0:|;b2:1:1:|;c3:0:1:|;" << QStringList{"a1", "b2", "c3"}
                                           << QStringList{"a1", "c3"} << QStringList{"b2"};
    QTest::newRow("5.x with urls and sku pictures")
        << "h1:1:0:|http://img/x.jpg;h2:1:1:|;s1:2:0:1627207:28320|http://img/s.jpg;"
        << QStringList{"h1", "h2", "s1"} << QStringList{} << QStringList{"h1", "h2"};
    QTest::newRow("empty") << "" << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("no entry") << "abc;def" << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("two-digit kind is no entry") << "x:10:0:|;y:0:1:|;" << QStringList{"y"} << QStringList{"y"}
                                                << QStringList{};
}

void TestShopFormats::pictureLists()
{
    QFETCH(QString, list);
    QFETCH(QStringList, names);
    QFETCH(QStringList, kind0);
    QFETCH(QStringList, kind1);
    QCOMPARE(PictureListNames(list), names);
    QCOMPARE(PictureListNamesOfKind(list, 0), kind0);
    QCOMPARE(PictureListNamesOfKind(list, 1), kind1);
}

void TestShopFormats::paipaiDescriptions_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("form");
    const int full = int(PaipaiDescriptionForm::FullPath);
    const int bare = int(PaipaiDescriptionForm::BareFileName);
    const int html = int(PaipaiDescriptionForm::HtmlText);
    QTest::newRow("full path") << "C:\\shop\\items\\{A1B2}.htm" << full;
    QTest::newRow("full path html") << "d:\\x.html" << full;
    QTest::newRow("drive only") << "C:.htm" << full;
    QTest::newRow("bare name") << "{8F0C-11}.htm" << bare;
    QTest::newRow("bare chinese name") << QString::fromUtf8("宝贝 说明.html") << bare;
    QTest::newRow("final newline") << "a.htm\n" << bare;
    QTest::newRow("upper-case extension") << "a.HTM" << html;
    QTest::newRow("relative path") << "items\\a.htm" << html;
    QTest::newRow("unix path") << "/tmp/a.htm" << html;
    QTest::newRow("html text") << "<p>good</p>" << html;
    QTest::newRow("html text ending in .htm") << "<a href=x>see b.htm" << html;
    QTest::newRow("empty") << "" << html;
    QTest::newRow("two drive letters") << "CD:\\a.htm" << html;
}

void TestShopFormats::paipaiDescriptions()
{
    QFETCH(QString, value);
    QFETCH(int, form);
    QCOMPARE(int(ClassifyPaipaiDescription(value)), form);
}

// The bare-name pattern backtracks badly on long values it cannot match.
void TestShopFormats::paipaiDescriptionOfLongTextIsQuick()
{
    QElapsedTimer timer;
    timer.start();
    const QString longText = QString(5000, QLatin1Char('a')) + QStringLiteral("<.htm");
    QCOMPARE(ClassifyPaipaiDescription(longText), PaipaiDescriptionForm::HtmlText);
    QCOMPARE(ClassifyPaipaiDescription(QString(5000, QLatin1Char('a'))), PaipaiDescriptionForm::HtmlText);
    QCOMPARE(ClassifyPaipaiDescription(QString(5000, QLatin1Char('a')) + QStringLiteral(".htm")),
             PaipaiDescriptionForm::BareFileName);
    QVERIFY(timer.elapsed() < 2000);
}

void TestShopFormats::paipaiVersionText()
{
    QCOMPARE(PaipaiVersionText(), QString::fromUtf8("拍拍助理2012 [100]"));
}

QTEST_GUILESS_MAIN(TestShopFormats)
#include "tst_shop_formats.moc"

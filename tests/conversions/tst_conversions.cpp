#include "store/conversions.h"
#include "store/data_module.h"
#include "store/item_tables.h"
#include "../testing/test_support.h"

#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {

enum Op { NewToOld, BabyToBase, PPToBase, BaseToBaby, BaseToPP, BabyToNew };

struct OpTables
{
    const char *source;
    const char *target;
};

OpTables tablesOf(int op)
{
    switch (op) {
    case NewToOld: return {"BabyNewData", "BabyData"};
    case BabyToBase: return {"BabyData", "BaseData"};
    case PPToBase: return {"PPData", "BaseData"};
    case BaseToBaby: return {"BaseData", "BabyData"};
    case BaseToPP: return {"BaseData", "PPData"};
    default: return {"BabyData", "BabyNewData"};
    }
}

bool runOp(TDm &dm, int op, const QString &list, QString &error)
{
    switch (op) {
    case NewToOld: return ConvertNewToOld(dm, list, error);
    case BabyToBase: return ConvertToBase(dm, FormatTaobao4, list, error);
    case PPToBase: return ConvertToBase(dm, FormatPaipai, list, error);
    case BaseToBaby: return ConvertBaseToNative(dm, FormatTaobao4, list, error);
    case BaseToPP: return ConvertBaseToNative(dm, FormatPaipai, list, error);
    default: return ConvertBabyToBabyNew(dm, list, error);
    }
}

QVariantMap columns(std::initializer_list<std::pair<const char *, QVariant>> values)
{
    QVariantMap map;
    for (const auto &v : values)
        map.insert(QString::fromUtf8(v.first), v.second);
    return map;
}

// A value with its kind: null, 'text' or a bare number, so "10" and 10 differ.
QString repr(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("null");
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + value.toString() + QLatin1Char('\'');
    return value.toString();
}

QString u(const char *text) { return QString::fromUtf8(text); }

} // namespace

class TestConversions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempHome> m_template;
    std::unique_ptr<TempHome> m_home;
    std::unique_ptr<TDm> m_dm;

    TDm &dm() { return *m_dm; }
    qint64 insertRow(const QString &table, QVariantMap values, qint64 cID = 7);
    qint64 count(const QString &table, const QString &where = QString());
    QVector<qint64> tableCounts();
    static void addCase(const char *name, Op op, const QVariantMap &source, const char *column, const char *expected);

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pictureKinds_data();
    void pictureKinds();
    void codedValues_data();
    void codedValues();
    void pictureListFromMainPictures_data();
    void pictureListFromMainPictures();
    void nativeRowsKeepTheirItem_data();
    void nativeRowsKeepTheirItem();
    void linkBackStaysWithinCategoryAndTable();
    void reimportKeepsExistingGenericRows();
    void newToOldRewritesOnlyTheRowsItInserted();
    void babyToNewRewritesOnlyTheRowsItInserted();
    void nothingToConvert_data();
    void nothingToConvert();
    void failureReportsErrorAndUndoesWork_data();
    void failureReportsErrorAndUndoesWork();
    void outerWorkDecidesCommit();
};

void TestConversions::initTestCase()
{
    // Every test starts from a copy of one fresh store: creating the schema each time is slow.
    m_template = std::make_unique<TempHome>();
    TDm dm;
    QString error;
    QVERIFY2(BringUpStore(dm, m_template->home().databasePath(), error), qPrintable(error));
}

void TestConversions::init()
{
    m_home = std::make_unique<TempHome>();
    QVERIFY(QFile::copy(m_template->home().databasePath(), m_home->home().databasePath()));
    m_dm = std::make_unique<TDm>();
    QString error;
    QVERIFY2(BringUpStore(dm(), m_home->home().databasePath(), error), qPrintable(error));
    dm().exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

void TestConversions::cleanup()
{
    m_dm.reset();
    m_home.reset();
}

qint64 TestConversions::insertRow(const QString &table, QVariantMap values, qint64 cID)
{
    values.insert(QStringLiteral("cID"), cID);
    QStringList marks(values.size(), QStringLiteral("?"));
    dm().exec(QStringLiteral("insert into %1(%2) values(%3)")
                  .arg(table, values.keys().join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
              values.values());
    return dm().scalar(QStringLiteral("select last_insert_rowid()")).toLongLong();
}

qint64 TestConversions::count(const QString &table, const QString &where)
{
    return dm().scalar(QStringLiteral("select count(*) from ") + table
                       + (where.isEmpty() ? QString() : QStringLiteral(" where ") + where))
        .toLongLong();
}

QVector<qint64> TestConversions::tableCounts()
{
    QVector<qint64> counts;
    for (const char *table : {"BaseData", "BabyData", "BabyNewData", "PPData", "YAData"})
        counts << count(u(table));
    return counts;
}

void TestConversions::pictureKinds_data()
{
    QTest::addColumn<bool>("toTaobao5");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("expected");

    QTest::newRow("5.x main and sku to 4.x") << false << u("a:1:0:|;b:2:0:|;") << u("a:0:0:|;b:1:0:|;");
    QTest::newRow("5.x sku ends as 1, not 0") << false << u("b:2:1:|;") << u("b:1:1:|;");
    QTest::newRow("real 5.x entries with urls and sku ids")
        << false << u("h1:1:0:|http://x/1.jpg;h2:2:0:1627207:28320|;")
        << u("h1:0:0:|http://x/1.jpg;h2:1:0:1627207:28320|;");
    QTest::newRow("4.x kind 0 stays for 4.x") << false << u("a:0:0:|;") << u("a:0:0:|;");
    QTest::newRow("4.x main and sku to 5.x") << true << u("a:0:0:|;b:1:1:|;") << u("a:1:0:|;b:2:1:|;");
    QTest::newRow("raised 0 is not raised again") << true << u("a:0:0:|;") << u("a:1:0:|;");
    QTest::newRow("position digit untouched") << true << u("a1:0:1:|;c3:0:0:|;") << u("a1:1:1:|;c3:1:0:|;");
    QTest::newRow("empty list") << true << QString() << QString();
    QTest::newRow("no entries") << false << u("x;y") << u("x;y");
}

void TestConversions::pictureKinds()
{
    QFETCH(bool, toTaobao5);
    QFETCH(QString, list);
    QFETCH(QString, expected);
    QCOMPARE(toTaobao5 ? PictureKindsToTaobao5(list) : PictureKindsToTaobao4(list), expected);
}

void TestConversions::addCase(const char *name, Op op, const QVariantMap &source, const char *column,
                              const char *expected)
{
    QTest::newRow(name) << int(op) << source << u(column) << u(expected);
}

void TestConversions::codedValues_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QVariantMap>("source");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");
    const QVariantMap none;

    // Taobao 5.x codes into 4.x
    addCase("5>4 condition 1", NewToOld, columns({{"新旧程度", 1}}), "新旧程度", "0");
    addCase("5>4 condition 2", NewToOld, columns({{"新旧程度", 2}}), "新旧程度", "2");
    addCase("5>4 condition 3", NewToOld, columns({{"新旧程度", 3}}), "新旧程度", "1");
    addCase("5>4 condition null", NewToOld, none, "新旧程度", "1");
    addCase("5>4 sale 1", NewToOld, columns({{"出售方式", 1}}), "出售方式", "'b'");
    addCase("5>4 sale 2", NewToOld, columns({{"出售方式", 2}}), "出售方式", "'a'");
    addCase("5>4 sale null", NewToOld, none, "出售方式", "'a'");
    addCase("5>4 freight 1", NewToOld, columns({{"运费承担", 1}}), "运费承担", "2");
    addCase("5>4 freight 2", NewToOld, columns({{"运费承担", 2}}), "运费承担", "1");
    addCase("5>4 freight null", NewToOld, none, "运费承担", "1");
    addCase("5>4 listing 2", NewToOld, columns({{"放入仓库", 2}}), "放入仓库", "-2");
    addCase("5>4 listing 1", NewToOld, columns({{"放入仓库", 1}}), "放入仓库", "0");
    addCase("5>4 listing null", NewToOld, none, "放入仓库", "0");
    addCase("5>4 pictures", NewToOld, columns({{"新图片", u("a:1:0:|;b:2:0:|;")}}), "新图片", "'a:0:0:|;b:1:0:|;'");
    addCase("5>4 big item number", NewToOld, columns({{"数字ID", 123456789012345LL}}), "数字ID", "123456789012345");
    addCase("5>4 tick", NewToOld, columns({{"选择", -1}}), "选择", "-1");
    addCase("5>4 link", NewToOld, columns({{"bID", 42}}), "bID", "42");

    // Taobao 4.x codes into words
    addCase("4>g condition 0", BabyToBase, columns({{"新旧程度", 0}}), "新旧程度", "'全新'");
    addCase("4>g condition 1", BabyToBase, columns({{"新旧程度", 1}}), "新旧程度", "'二手'");
    addCase("4>g condition 2", BabyToBase, columns({{"新旧程度", 2}}), "新旧程度", "'闲置'");
    addCase("4>g condition 5", BabyToBase, columns({{"新旧程度", 5}}), "新旧程度", "'闲置'");
    addCase("4>g condition null", BabyToBase, none, "新旧程度", "'闲置'");
    addCase("4>g sale b", BabyToBase, columns({{"出售方式", u("b")}}), "出售方式", "'一口价'");
    addCase("4>g sale a", BabyToBase, columns({{"出售方式", u("a")}}), "出售方式", "'拍卖'");
    addCase("4>g sale null", BabyToBase, none, "出售方式", "'拍卖'");
    addCase("4>g freight 2", BabyToBase, columns({{"运费承担", 2}, {"邮费模版ID", 5}}), "运费承担", "'卖家'");
    addCase("4>g freight 1 template 0", BabyToBase, columns({{"运费承担", 1}, {"邮费模版ID", 0}}), "运费承担",
            "'买家'");
    addCase("4>g freight 1 template 5", BabyToBase, columns({{"运费承担", 1}, {"邮费模版ID", 5}}), "运费承担",
            "'模板'");
    addCase("4>g freight 1 template null", BabyToBase, columns({{"运费承担", 1}}), "运费承担", "'模板'");
    addCase("4>g freight null template 0", BabyToBase, columns({{"邮费模版ID", 0}}), "运费承担", "'买家'");
    addCase("4>g listing 0", BabyToBase, columns({{"放入仓库", 0}}), "上架选项", "'立即'");
    addCase("4>g listing -2", BabyToBase, columns({{"放入仓库", -2}}), "上架选项", "'仓库'");
    addCase("4>g listing -1010", BabyToBase, columns({{"放入仓库", -1010}}), "上架选项", "'定时'");
    addCase("4>g listing null", BabyToBase, none, "上架选项", "'定时'");
    addCase("4>g title", BabyToBase, columns({{"宝贝名称", u("t")}}), "商品名称", "'t'");
    addCase("4>g price", BabyToBase, columns({{"宝贝价格", 12.5}}), "商品价格", "12.5");
    addCase("4>g city", BabyToBase, columns({{"城市", u("杭州")}}), "市", "'杭州'");
    addCase("4>g showcase", BabyToBase, columns({{"橱窗推荐", 1}}), "橱窗", "1");
    addCase("4>g start time", BabyToBase, columns({{"开始时间", u("2016-02-28")}}), "上架时间", "'2016-02-28'");
    addCase("4>g description", BabyToBase, columns({{"宝贝描述", u("/d/x.htm")}}), "商品描述", "'/d/x.htm'");
    addCase("4>g third picture", BabyToBase, columns({{"图片3", u("c")}}), "图片3", "'c'");
    addCase("4>g tick", BabyToBase, columns({{"选择", -1}}), "选择", "-1");

    // Paipai codes into words
    addCase("pp>g condition 1", PPToBase, columns({{"新旧程度", u("1")}}), "新旧程度", "'全新'");
    addCase("pp>g condition 2", PPToBase, columns({{"新旧程度", u("2")}}), "新旧程度", "'二手'");
    addCase("pp>g condition null", PPToBase, none, "新旧程度", "'二手'");
    addCase("pp>g sale b", PPToBase, columns({{"出售方式", u("b")}}), "出售方式", "'一口价'");
    addCase("pp>g sale null", PPToBase, none, "出售方式", "'拍卖'");
    addCase("pp>g freight 1", PPToBase, columns({{"运费承担", u("1")}}), "运费承担", "'卖家'");
    addCase("pp>g freight 2", PPToBase, columns({{"运费承担", u("2")}}), "运费承担", "'买家'");
    addCase("pp>g freight 3", PPToBase, columns({{"运费承担", u("3")}}), "运费承担", "'模板'");
    addCase("pp>g freight empty", PPToBase, columns({{"运费承担", u("")}}), "运费承担", "'模板'");
    addCase("pp>g freight null", PPToBase, none, "运费承担", "'模板'");
    addCase("pp>g listing 1", PPToBase, columns({{"上架选项", u("1")}}), "上架选项", "'立即'");
    addCase("pp>g listing 2", PPToBase, columns({{"上架选项", u("2")}}), "上架选项", "'仓库'");
    addCase("pp>g listing 3", PPToBase, columns({{"上架选项", u("3")}}), "上架选项", "'定时'");
    addCase("pp>g listing null", PPToBase, none, "上架选项", "'定时'");
    addCase("pp>g price", PPToBase, columns({{"价格", 12.5}}), "商品价格", "12.5");
    addCase("pp>g first picture", PPToBase, columns({{"图片", u("p")}}), "图片1", "'p'");
    addCase("pp>g description", PPToBase, columns({{"商品详情", u("/d/p.htm")}}), "商品描述", "'/d/p.htm'");
    addCase("pp>g invoice", PPToBase, columns({{"有发票", u("1")}}), "发票", "1");
    addCase("pp>g warranty", PPToBase, columns({{"有保修", u("0")}}), "保修", "0");
    addCase("pp>g timed listing", PPToBase, columns({{"定时上架", u("1970-1-1  8:00:00")}}), "上架时间",
            "'1970-1-1  8:00:00'");
    addCase("pp>g postage text to number", PPToBase, columns({{"平邮", u("10.50")}}), "平邮", "10.5");
    addCase("pp>g period text to number", PPToBase, columns({{"有效期", u("14")}}), "有效期", "14");

    // Words into Taobao 4.x codes
    addCase("g>4 condition new", BaseToBaby, columns({{"新旧程度", u("全新")}}), "新旧程度", "0");
    addCase("g>4 condition used", BaseToBaby, columns({{"新旧程度", u("二手")}}), "新旧程度", "1");
    addCase("g>4 condition idle", BaseToBaby, columns({{"新旧程度", u("闲置")}}), "新旧程度", "2");
    addCase("g>4 condition null", BaseToBaby, none, "新旧程度", "2");
    addCase("g>4 sale fixed", BaseToBaby, columns({{"出售方式", u("一口价")}}), "出售方式", "'b'");
    addCase("g>4 sale auction", BaseToBaby, columns({{"出售方式", u("拍卖")}}), "出售方式", "'a'");
    addCase("g>4 sale null", BaseToBaby, none, "出售方式", "'a'");
    addCase("g>4 freight seller", BaseToBaby, columns({{"运费承担", u("卖家")}}), "运费承担", "2");
    addCase("g>4 freight seller template", BaseToBaby, columns({{"运费承担", u("卖家")}}), "邮费模版ID", "0");
    addCase("g>4 freight buyer", BaseToBaby, columns({{"运费承担", u("买家")}}), "运费承担", "1");
    addCase("g>4 freight buyer template", BaseToBaby, columns({{"运费承担", u("买家")}}), "邮费模版ID", "0");
    addCase("g>4 freight template", BaseToBaby, columns({{"运费承担", u("模板")}}), "运费承担", "1");
    addCase("g>4 freight template id", BaseToBaby, columns({{"运费承担", u("模板")}}), "邮费模版ID", "1");
    addCase("g>4 freight null", BaseToBaby, none, "运费承担", "1");
    addCase("g>4 freight null template", BaseToBaby, none, "邮费模版ID", "0");
    addCase("g>4 listing now", BaseToBaby, columns({{"上架选项", u("立即")}}), "放入仓库", "0");
    addCase("g>4 listing store", BaseToBaby, columns({{"上架选项", u("仓库")}}), "放入仓库", "-2");
    addCase("g>4 listing timed", BaseToBaby, columns({{"上架选项", u("定时")}}), "放入仓库", "-1010");
    addCase("g>4 listing empty", BaseToBaby, columns({{"上架选项", u("")}}), "放入仓库", "-1010");
    addCase("g>4 listing null", BaseToBaby, none, "放入仓库", "-1010");
    addCase("g>4 city", BaseToBaby, columns({{"市", u("杭州")}}), "城市", "'杭州'");
    addCase("g>4 showcase", BaseToBaby, columns({{"橱窗", 1}}), "橱窗推荐", "1");
    addCase("g>4 start time", BaseToBaby, columns({{"上架时间", u("2016")}}), "开始时间", "'2016'");
    addCase("g>4 description", BaseToBaby, columns({{"商品描述", u("/d/x.htm")}}), "宝贝描述", "'/d/x.htm'");
    addCase("g>4 postage stays a number", BaseToBaby, columns({{"平邮", 12.5}}), "平邮", "12.5");

    // Words into Paipai codes; numbers into its text columns as shortest decimal text
    addCase("g>pp item number", BaseToPP, none, "id", "-1");
    addCase("g>pp condition new", BaseToPP, columns({{"新旧程度", u("全新")}}), "新旧程度", "'1'");
    addCase("g>pp condition used", BaseToPP, columns({{"新旧程度", u("二手")}}), "新旧程度", "'2'");
    addCase("g>pp condition idle", BaseToPP, columns({{"新旧程度", u("闲置")}}), "新旧程度", "'2'");
    addCase("g>pp condition null", BaseToPP, none, "新旧程度", "'2'");
    addCase("g>pp sale fixed", BaseToPP, columns({{"出售方式", u("一口价")}}), "出售方式", "'b'");
    addCase("g>pp sale null", BaseToPP, none, "出售方式", "'a'");
    addCase("g>pp freight seller", BaseToPP, columns({{"运费承担", u("卖家")}}), "运费承担", "'1'");
    addCase("g>pp freight buyer", BaseToPP, columns({{"运费承担", u("买家")}}), "运费承担", "'2'");
    addCase("g>pp freight template", BaseToPP, columns({{"运费承担", u("模板")}}), "运费承担", "'3'");
    addCase("g>pp freight null", BaseToPP, none, "运费承担", "'3'");
    addCase("g>pp listing now", BaseToPP, columns({{"上架选项", u("立即")}}), "上架选项", "'1'");
    addCase("g>pp listing store", BaseToPP, columns({{"上架选项", u("仓库")}}), "上架选项", "'2'");
    addCase("g>pp listing timed", BaseToPP, columns({{"上架选项", u("定时")}}), "上架选项", "'3'");
    addCase("g>pp listing null", BaseToPP, none, "上架选项", "'3'");
    addCase("g>pp price stays a number", BaseToPP, columns({{"商品价格", 12.5}}), "价格", "12.5");
    addCase("g>pp first picture", BaseToPP, columns({{"图片1", u("a")}}), "图片", "'a'");
    addCase("g>pp description", BaseToPP, columns({{"商品描述", u("/d/x.htm")}}), "商品详情", "'/d/x.htm'");
    addCase("g>pp timed listing", BaseToPP, columns({{"上架时间", u("2016")}}), "定时上架", "'2016'");
    addCase("g>pp postage 12.5", BaseToPP, columns({{"平邮", 12.5}}), "平邮", "'12.5'");
    addCase("g>pp postage text 12.50", BaseToPP, columns({{"平邮", u("12.50")}}), "平邮", "'12.5'");
    addCase("g>pp ems 10.0", BaseToPP, columns({{"EMS", 10.0}}), "EMS", "'10'");
    addCase("g>pp express text 10.00", BaseToPP, columns({{"快递", u("10.00")}}), "快递", "'10'");
    addCase("g>pp express 1234567.89", BaseToPP, columns({{"快递", 1234567.89}}), "快递", "'1234567.89'");
    addCase("g>pp ems 0.1", BaseToPP, columns({{"EMS", 0.1}}), "EMS", "'0.1'");
    addCase("g>pp tiny ems 1e-38", BaseToPP, columns({{"EMS", 1e-38}}), "EMS", "'1e-38'");
    addCase("g>pp postage null", BaseToPP, none, "平邮", "null");
    addCase("g>pp period", BaseToPP, columns({{"有效期", 7}}), "有效期", "'7'");
    addCase("g>pp payment", BaseToPP, columns({{"付款方式", 2}}), "付款方式", "'2'");
    addCase("g>pp invoice", BaseToPP, columns({{"发票", 1}}), "有发票", "'1'");
    addCase("g>pp warranty", BaseToPP, columns({{"保修", 0}}), "有保修", "'0'");
    addCase("g>pp relisting", BaseToPP, columns({{"自动重发", 1}}), "自动重发", "'1'");
    addCase("g>pp showcase", BaseToPP, columns({{"橱窗", 1}}), "橱窗", "'1'");

    // Taobao 4.x codes into 5.x
    addCase("4>5 condition 0", BabyToNew, columns({{"新旧程度", 0}}), "新旧程度", "1");
    addCase("4>5 condition 2", BabyToNew, columns({{"新旧程度", 2}}), "新旧程度", "2");
    addCase("4>5 condition 1", BabyToNew, columns({{"新旧程度", 1}}), "新旧程度", "3");
    addCase("4>5 condition null", BabyToNew, none, "新旧程度", "3");
    addCase("4>5 sale b", BabyToNew, columns({{"出售方式", u("b")}}), "出售方式", "1");
    addCase("4>5 sale a", BabyToNew, columns({{"出售方式", u("a")}}), "出售方式", "2");
    addCase("4>5 sale null", BabyToNew, none, "出售方式", "2");
    addCase("4>5 freight 1", BabyToNew, columns({{"运费承担", 1}}), "运费承担", "2");
    addCase("4>5 freight 2", BabyToNew, columns({{"运费承担", 2}}), "运费承担", "1");
    addCase("4>5 freight null", BabyToNew, none, "运费承担", "1");
    addCase("4>5 listing 0", BabyToNew, columns({{"放入仓库", 0}}), "放入仓库", "1");
    addCase("4>5 listing -2", BabyToNew, columns({{"放入仓库", -2}}), "放入仓库", "2");
    addCase("4>5 listing -1010", BabyToNew, columns({{"放入仓库", -1010}}), "放入仓库", "1");
    addCase("4>5 listing null", BabyToNew, none, "放入仓库", "1");
    addCase("4>5 pictures", BabyToNew, columns({{"新图片", u("a:0:0:|;b:1:1:|;")}}), "新图片", "'a:1:0:|;b:2:1:|;'");
    addCase("4>5 properties", BabyToNew, columns({{"宝贝属性", u("1:2;")}}), "宝贝属性", "'1:2;'");
    addCase("4>5 big item number", BabyToNew, columns({{"数字ID", 123456789012345LL}}), "数字ID", "123456789012345");
}

void TestConversions::codedValues()
{
    QFETCH(int, op);
    QFETCH(QVariantMap, source);
    QFETCH(QString, column);
    QFETCH(QString, expected);

    const OpTables tables = tablesOf(op);
    insertRow(u(tables.source), source);
    QString error;
    QVERIFY2(runOp(dm(), op, QStringLiteral("7"), error), qPrintable(error));
    QCOMPARE(count(u(tables.target)), 1);
    QCOMPARE(repr(dm().scalar(QStringLiteral("select %1 from %2 where cID=7").arg(column, u(tables.target)))),
             expected);
}

void TestConversions::pictureListFromMainPictures_data()
{
    QTest::addColumn<QVariantList>("pictures");
    QTest::addColumn<QString>("expected");

    QTest::newRow("all five") << QVariantList{u("a"), u("b"), u("c"), u("d"), u("e")}
                              << u("a:0:0:|;b:0:1:|;c:0:2:|;d:0:3:|;e:0:4:|;");
    QTest::newRow("first empty, second x") << QVariantList{u(""), u("x"), u(""), u(""), u("")} << u("x:0:1:|;");
    QTest::newRow("first and third") << QVariantList{u("a"), QVariant(), u("c"), QVariant(), QVariant()}
                                     << u("a:0:0:|;c:0:2:|;");
    QTest::newRow("last only, others null") << QVariantList{QVariant(), QVariant(), QVariant(), QVariant(), u("e")}
                                            << u("e:0:4:|;");
    QTest::newRow("five empty") << QVariantList{u(""), u(""), u(""), u(""), u("")} << QString();
    QTest::newRow("five null") << QVariantList{QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}
                               << QString();
}

void TestConversions::pictureListFromMainPictures()
{
    QFETCH(QVariantList, pictures);
    QFETCH(QString, expected);

    QVariantMap row;
    for (int n = 0; n < 5; ++n)
        row.insert(QStringLiteral("图片%1").arg(n + 1), pictures[n]);
    insertRow(QStringLiteral("BaseData"), row);
    QString error;
    QVERIFY2(ConvertBaseToNative(dm(), FormatTaobao4, QStringLiteral("7"), error), qPrintable(error));
    const QVariant list = dm().scalar(QStringLiteral("select 新图片 from BabyData"));
    QCOMPARE(repr(list), repr(expected)); // an empty list is '', not null
}

void TestConversions::nativeRowsKeepTheirItem_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("taobao 4.x") << int(FormatTaobao4);
    QTest::newRow("taobao 5.x") << int(FormatTaobao5);
    QTest::newRow("paipai") << int(FormatPaipai);
}

void TestConversions::nativeRowsKeepTheirItem()
{
    QFETCH(int, format);
    const QString table = format == FormatPaipai ? QStringLiteral("PPData") : QStringLiteral("BabyData");
    const QString name = format == FormatPaipai ? QStringLiteral("商品名称") : QStringLiteral("宝贝名称");
    insertRow(QStringLiteral("BaseData"), columns({{"商品名称", u("x")}, {"选择", -1}, {"图片1", u("a")}}), 7);
    insertRow(QStringLiteral("BaseData"), columns({{"商品名称", u("y")}, {"选择", 0}}), 7);
    insertRow(QStringLiteral("BaseData"), columns({{"商品名称", u("z")}, {"选择", -1}}), 8);

    QString error;
    QVERIFY2(ConvertBaseToNative(dm(), format, QStringLiteral("7"), error), qPrintable(error));
    QCOMPARE(count(table), 2);
    QCOMPARE(count(table + QStringLiteral(" n join BaseData g on g.bID = n.bID"),
                   QStringLiteral("g.商品名称 = n.%1 and g.cID = n.cID and g.选择 = n.选择").arg(name)),
             2);
    if (format != FormatTaobao5)
        return;
    // 5.x export: the rows in 5.x codes, main pictures of kind 1
    QVERIFY2(ConvertBabyToBabyNew(dm(), QStringLiteral("7"), error), qPrintable(error));
    QCOMPARE(count(QStringLiteral("BabyNewData n join BaseData g on g.bID = n.bID"),
                   QStringLiteral("g.商品名称 = n.宝贝名称 and g.cID = n.cID and g.选择 = n.选择")),
             2);
    QCOMPARE(dm().scalar(QStringLiteral("select 新图片 from BabyNewData where 宝贝名称='x'")).toString(),
             u("a:1:0:|;"));
}

void TestConversions::linkBackStaysWithinCategoryAndTable()
{
    // Keys of BabyData and PPData overlap, within one category (1 with 1) and across (2 with 2, 3 with 3).
    QCOMPARE(insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("t1")}}), 1), 1);
    QCOMPARE(insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("t2")}}), 1), 2);
    QCOMPARE(insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("t3")}}), 2), 3);
    QCOMPARE(insertRow(QStringLiteral("PPData"), columns({{"商品名称", u("p1")}}), 1), 1);
    QCOMPARE(insertRow(QStringLiteral("PPData"), columns({{"商品名称", u("p2")}}), 2), 2);
    QCOMPARE(insertRow(QStringLiteral("PPData"), columns({{"商品名称", u("p3")}}), 2), 3);

    QString error;
    QVERIFY2(ConvertToBase(dm(), FormatTaobao4, QStringLiteral("1,2"), error), qPrintable(error));
    QVERIFY2(ConvertToBase(dm(), FormatPaipai, QStringLiteral("1,2"), error), qPrintable(error));

    QCOMPARE(count(QStringLiteral("BaseData")), 6);
    QCOMPARE(count(QStringLiteral("BabyData n join BaseData g on g.bID = n.bID"),
                   QStringLiteral("g.商品名称 = n.宝贝名称 and g.cID = n.cID and g.TmpID = n.ID")),
             3);
    QCOMPARE(count(QStringLiteral("PPData n join BaseData g on g.bID = n.bID"),
                   QStringLiteral("g.商品名称 = n.商品名称 and g.cID = n.cID and g.TmpID = n.pID")),
             3);
}

void TestConversions::reimportKeepsExistingGenericRows()
{
    insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("first")}}));
    QString error;
    QVERIFY2(ConvertToBase(dm(), FormatTaobao4, QStringLiteral("7"), error), qPrintable(error));
    const qint64 firstItem = dm().scalar(QStringLiteral("select bID from BaseData")).toLongLong();
    // A generic row shown as Paipai: its native row carries the bID already.
    QVERIFY2(ConvertBaseToNative(dm(), FormatPaipai, QStringLiteral("7"), error), qPrintable(error));

    insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("second")}}));
    insertRow(QStringLiteral("PPData"), columns({{"商品名称", u("third")}}));
    QVERIFY2(ConvertToBase(dm(), FormatTaobao4, QStringLiteral("7"), error), qPrintable(error));
    QVERIFY2(ConvertToBase(dm(), FormatPaipai, QStringLiteral("7"), error), qPrintable(error));

    QCOMPARE(dm().column(QStringLiteral("select 商品名称 from BaseData order by bID")),
             QVariantList({u("first"), u("second"), u("third")}));
    QCOMPARE(dm().scalar(QStringLiteral("select bID from BaseData where 商品名称='first'")).toLongLong(), firstItem);
    QCOMPARE(dm().column(QStringLiteral("select bID from PPData where 商品名称='first'")),
             QVariantList({firstItem}));
    QCOMPARE(count(QStringLiteral("BabyData"), QStringLiteral("bID is null")), 0);
    QCOMPARE(count(QStringLiteral("PPData"), QStringLiteral("bID is null")), 0);
}

void TestConversions::newToOldRewritesOnlyTheRowsItInserted()
{
    // An older 4.x row whose sku entry (kind 1) must stay as it is.
    insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("old")}, {"新图片", u("o:1:0:|;")}}));
    insertRow(QStringLiteral("BabyNewData"), columns({{"宝贝名称", u("new")}, {"新图片", u("a:1:0:|;b:2:1:|;")}}));
    insertRow(QStringLiteral("BabyNewData"), columns({{"宝贝名称", u("other")}}), 8);

    QString error;
    QVERIFY2(ConvertNewToOld(dm(), QStringLiteral("7"), error), qPrintable(error));
    QCOMPARE(dm().column(QStringLiteral("select 新图片 from BabyData order by ID")),
             QVariantList({u("o:1:0:|;"), u("a:0:0:|;b:1:1:|;")}));
    QCOMPARE(count(QStringLiteral("BabyData"), QStringLiteral("cID=8")), 0);
    QCOMPARE(count(QStringLiteral("BabyNewData")), 0); // the whole staging table is emptied
}

void TestConversions::babyToNewRewritesOnlyTheRowsItInserted()
{
    // A row left from an earlier run already holds 5.x kinds; rewriting it again would turn its main picture into a sku.
    insertRow(QStringLiteral("BabyNewData"), columns({{"宝贝名称", u("left")}, {"新图片", u("l:1:0:|;")}}), 9);
    insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("x")}, {"新图片", u("a:0:0:|;")}}));

    QString error;
    QVERIFY2(ConvertBabyToBabyNew(dm(), QStringLiteral("7,9"), error), qPrintable(error));
    QCOMPARE(dm().column(QStringLiteral("select 新图片 from BabyNewData order by ID")),
             QVariantList({u("l:1:0:|;"), u("a:1:0:|;")}));
}

void TestConversions::nothingToConvert_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("emptiesStaging");

    const QList<std::pair<const char *, int>> lists = {{"empty category", 9}, {"cID 0", 0}};
    for (const auto &[what, cID] : lists) {
        const QString list = QString::number(cID);
        QTest::addRow("new to old, %s", what) << int(NewToOld) << 2 << list << true;
        QTest::addRow("to base 4.x, %s", what) << int(BabyToBase) << 1 << list << false;
        QTest::addRow("to base paipai, %s", what) << int(PPToBase) << 3 << list << false;
        QTest::addRow("to 4.x, %s", what) << int(BaseToBaby) << 1 << list << false;
        QTest::addRow("to paipai, %s", what) << int(BaseToPP) << 3 << list << false;
        QTest::addRow("to 5.x staging, %s", what) << int(BabyToNew) << 2 << list << false;
    }
    // Formats without a conversion of their own, on a category that has rows everywhere.
    for (int format : {0, 2, 4})
        QTest::addRow("to base, format %d", format) << int(BabyToBase) << format << u("7") << false;
    for (int format : {0, 4})
        QTest::addRow("to native, format %d", format) << int(BaseToBaby) << format << u("7") << false;
}

void TestConversions::nothingToConvert()
{
    QFETCH(int, op);
    QFETCH(int, format);
    QFETCH(QString, list);
    QFETCH(bool, emptiesStaging);

    for (const char *table : {"BabyData", "BabyNewData"})
        insertRow(u(table), columns({{"宝贝名称", u("n")}, {"新图片", u("a:1:0:|;")}}));
    insertRow(QStringLiteral("PPData"), columns({{"商品名称", u("n")}}));
    insertRow(QStringLiteral("BaseData"), columns({{"商品名称", u("n")}}));
    insertRow(QStringLiteral("YAData"), columns({{"商品名称", u("n")}}));
    QVector<qint64> expected = tableCounts();
    if (emptiesStaging)
        expected[2] = 0;

    QString error;
    bool ok = false;
    if (op == BabyToBase)
        ok = ConvertToBase(dm(), format, list, error);
    else if (op == BaseToBaby && format != 1)
        ok = ConvertBaseToNative(dm(), format, list, error);
    else
        ok = runOp(dm(), op, list, error);
    QVERIFY2(ok, qPrintable(error));
    QCOMPARE(tableCounts(), expected);
    QCOMPARE(count(QStringLiteral("BabyData"), QStringLiteral("bID is null")), 1);
    QCOMPARE(dm().column(QStringLiteral("select 新图片 from BabyData")), QVariantList({u("a:1:0:|;")}));
}

void TestConversions::failureReportsErrorAndUndoesWork_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<QString>("message");

    const QString noSabotage;
    QTest::newRow("list with a statement in it")
        << int(BabyToBase) << u("7) or (1=1") << noSabotage << u("无效的编号列表：7) or (1=1");
    QTest::newRow("empty list") << int(BaseToPP) << QString() << noSabotage << u("无效的编号列表：");
    QTest::newRow("missing column") << int(BaseToPP) << u("7") << u("alter table PPData rename column 商品详情 to 详情")
                                    << u("商品详情");
    QTest::newRow("link back fails after the insert")
        << int(BabyToBase) << u("7")
        << u("create trigger t before update on BabyData begin select raise(abort, 'link refused'); end")
        << u("link refused");
    QTest::newRow("picture rewrite fails after insert and clearing")
        << int(NewToOld) << u("7")
        << u("create trigger t before update on BabyData begin select raise(abort, 'rewrite refused'); end")
        << u("rewrite refused");
    QTest::newRow("5.x picture rewrite fails after the insert")
        << int(BabyToNew) << u("7")
        << u("create trigger t before update on BabyNewData begin select raise(abort, 'rewrite refused'); end")
        << u("rewrite refused");
}

void TestConversions::failureReportsErrorAndUndoesWork()
{
    QFETCH(int, op);
    QFETCH(QString, list);
    QFETCH(QString, sabotage);
    QFETCH(QString, message);

    insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("t")}, {"新图片", u("a:0:0:|;")}}));
    insertRow(QStringLiteral("BabyNewData"), columns({{"宝贝名称", u("n")}, {"新图片", u("a:1:0:|;")}}));
    insertRow(QStringLiteral("BaseData"), columns({{"商品名称", u("g")}}));
    if (!sabotage.isEmpty())
        dm().exec(sabotage);
    const QVector<qint64> before = tableCounts();

    QString error;
    QVERIFY(!runOp(dm(), op, list, error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(tableCounts(), before);
    QCOMPARE(count(QStringLiteral("BabyData"), QStringLiteral("bID is null")), 1);
    // the store is usable afterwards: no unit of work was left open
    QVERIFY(dm().beginWork());
    QVERIFY(dm().commitWork());
}

void TestConversions::outerWorkDecidesCommit()
{
    insertRow(QStringLiteral("BabyData"), columns({{"宝贝名称", u("t")}}));
    QVERIFY(dm().beginWork());
    QString error;
    QVERIFY2(ConvertToBase(dm(), FormatTaobao4, QStringLiteral("7"), error), qPrintable(error));
    QCOMPARE(count(QStringLiteral("BaseData")), 1);
    dm().rollbackWork();
    QCOMPARE(count(QStringLiteral("BaseData")), 0);
    QCOMPARE(count(QStringLiteral("BabyData"), QStringLiteral("bID is null")), 1);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"

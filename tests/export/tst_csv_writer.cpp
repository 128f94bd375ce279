#include "export_fixture.h"

#include "base/ansi_text.h"
#include "base/progress_sink.h"
#include "export/category_export.h"
#include "export/export_layouts.h"
#include "export/field_text.h"
#include "store/item_tables.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

QStringList names(const char *commaList) { return u(commaList).split(QLatin1Char(',')); }

const char *kTaobao4Header =
    "宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,运费承担,平邮,EMS,快递,付款方式,"
    "支付宝,发票,保修,闪电发货,自动重发,放入仓库,橱窗推荐,开始时间,心情故事,宝贝描述,宝贝图片,宝贝属性,团购价,最小团购件数,"
    "邮费模版ID,会员打折,修改时间,上传状态,图片状态,返点比例,新图片,视频,销售属性组合,用户输入ID串,用户输入名-值对,商家编码,"
    "销售属性别名,代充类型,宝贝编号,宝贝链接";
const char *kTaobao5Chinese =
    "宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,运费承担,平邮,EMS,快递,发票,保修,"
    "放入仓库,橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,上传状态,图片状态,返点比例,新图片,视频,"
    "销售属性组合,用户输入ID串,用户输入名-值对,商家编码,销售属性别名,代充类型,数字ID,本地ID,宝贝分类,账户名称,宝贝状态";
const char *kTaobao5English =
    "title,cid,seller_cids,stuff_status,location_state,location_city,item_type,price,auction_increment,num,valid_thru,"
    "freight_payer,post_fee,ems_fee,express_fee,has_invoice,has_warranty,approve_status,has_showcase,list_time,"
    "description,cateProps,postage_id,has_discount,modified,upload_fail_msg,picture_status,auction_point,picture,video,"
    "skuProps,inputPids,inputValues,outer_id,propAlias,auto_fill,num_id,local_cid,navigation_type,user_name,syncStatus";
const char *kPaipaiHeader =
    "id,商品名称,出售方式,商品类目,店铺类目,商品数量,商品重量,有效期,定时上架,新旧程度,价格,加价幅度,省,市,运费承担,平邮,快递,"
    "EMS,购买限制,付款方式,有发票,有保修,支持财付通,自动重发,错误原因,图片,图片2,图片3,图片4,图片5,商品详情,上架选项,皮肤风格,"
    "属性,诚保,假一陪三,橱窗,库存属性,产品ID,商家编码,尺码对照表,版本";

QString tabbed(const char *commaList) { return names(commaList).join(QLatin1Char('\t')); }

// The field of a record under a column of the format's layout.
QString field(const QStringList &record, int format, const char *column)
{
    const int i = FormatSelectList(format).indexOf(u(column));
    return i >= 0 && i < record.size() ? record[i] : QStringLiteral("<missing>");
}

class RecordingProgress : public ProgressSink
{
public:
    void setProgress(qint64 position, qint64 maximum) override { last = {position, maximum}; }
    void setLabel(const QString &text) override { label = text; }
    QPair<qint64, qint64> last;
    QString label;
};

class AnsweringSink : public MessageSink
{
public:
    explicit AnsweringSink(OverwriteAnswer answer) : m_answer(answer) {}
    void information(const QString &) override {}
    void error(const QString &) override {}
    bool question(const QString &) override { return false; }
    OverwriteAnswer askOverwrite(const QString &text) override
    {
        asked << text;
        return m_answer;
    }
    QStringList asked;

private:
    OverwriteAnswer m_answer;
};

CategoryFileJob job(const QString &path, int format, qint64 cID, int range = 0)
{
    CategoryFileJob j;
    j.csvPath = path;
    j.format = format;
    j.cID = cID;
    j.range = range;
    j.fileExisted = QFileInfo::exists(path);
    return j;
}

} // namespace

class TestCsvWriter : public QObject
{
    Q_OBJECT

private slots:
    void quotedText_data();
    void quotedText();
    void numberText_data();
    void numberText();
    void taobao4File();
    void taobao5FileAndStagingTable();
    void taobao5StagingEmptiedAfterFailure();
    void paipaiFromGenericRows();
    void paipaiVersionIsConstant();
    void mergeAppendsRecordsOnly();
    void rangeAndCategory_data();
    void rangeAndCategory();
    void allCategoriesConvertsWhatIsMissing();
    void failures_data();
    void failures();
    void diskFullIsReported();
    void singleExportExistingFile();
};

void TestCsvWriter::quotedText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << u("abc") << u("\"abc\"");
    QTest::newRow("empty") << QString() << u("\"\"");
    QTest::newRow("escaped quote kept") << u("a\"\"b") << u("\"a\"\"b\"");
    QTest::newRow("lone quote doubled") << u("a\"b") << u("\"a\"\"b\"");
    QTest::newRow("run of three") << u("\"\"\"") << u("\"\"\"\"\"\"");
    QTest::newRow("quote at the end") << u("x\"") << u("\"x\"\"\"");
    QTest::newRow("outside GBK") << u("𠀀😀\xe2\x82\xac") << u("\"𠀀😀\xe2\x82\xac\"");
    QTest::newRow("tab kept inside quotes") << u("a\tb") << u("\"a\tb\"");
}

void TestCsvWriter::quotedText()
{
    QFETCH(QString, stored);
    QFETCH(QString, written);
    QCOMPARE(QuotedFieldText(stored), written);
}

void TestCsvWriter::numberText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("null") << QVariant() << QString();
    QTest::newRow("decimal") << QVariant(12.5) << u("12.5");
    QTest::newRow("whole decimal") << QVariant(12.0) << u("12");
    QTest::newRow("integer") << QVariant(qlonglong(7)) << u("7");
    QTest::newRow("large item number") << QVariant(qlonglong(6017439830123LL)) << u("6017439830123");
    QTest::newRow("million") << QVariant(1000000.0) << u("1000000");
    QTest::newRow("cents") << QVariant(0.05) << u("0.05");
    QTest::newRow("negative") << QVariant(-1010.0) << u("-1010");
    QTest::newRow("tiny float") << QVariant(1.03344e-38) << u("1.03344e-38");
    QTest::newRow("text in a number column") << QVariant(u(" 1\t2 ")) << u("12");
}

void TestCsvWriter::numberText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, written);
    QCOMPARE(NumberFieldText(value), written);
}

void TestCsvWriter::taobao4File()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    const qint64 other = f.addCategory(u("B"));
    const QString desc = f.home().descDir() + u("/d1.htm");
    QDir().mkpath(f.home().descDir());
    QVERIFY(AnsiText::writeFile(desc, u("<p class=\"x\">一\t二</p>\r\n第二行😀\r\n")));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("名称 a\"\"b 𠀀😀")}, {u("宝贝价格"), 12.50}, {u("宝贝数量"), 3},
                             {u("平邮"), 12.00}, {u("宝贝描述"), desc}, {u("用户输入名值对"), u("k:v")},
                             {u("店铺类目"), u(",1,")}, {u("新图片"), u("a:0:0:|;")}, {u("cID"), cat}});
    f.insert(u("BabyData"), {{u("宝贝名称"), u("x\"y")}, {u("宝贝描述"), f.path(u("missing.htm"))}, {u("cID"), cat}});
    f.insert(u("BabyData"), {{u("宝贝名称"), u("elsewhere")}, {u("cID"), other}});

    const QString path = f.path(u("out/sub/a.csv"));
    RecordingProgress progress;
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatTaobao4, cat), &progress, error), WriteStatus::Written);

    const QByteArray bytes = TestFiles::read(path);
    QVERIFY(bytes.startsWith("\xFF\xFE"));
    const QString text = readShopFile(path);
    QVERIFY(text.startsWith(tabbed(kTaobao4Header) + u("\r\n")));
    QVERIFY(text.endsWith(u("\r\n")));
    const QList<QStringList> records = recordsOf(text);
    QCOMPARE(records.size(), 2);
    const QStringList &first = records[0];
    QCOMPARE(first.size(), 46);
    QCOMPARE(field(first, 1, "宝贝名称"), u("\"名称 a\"\"b 𠀀😀\""));
    QCOMPARE(field(first, 1, "宝贝价格"), u("12.5"));
    QCOMPARE(field(first, 1, "宝贝数量"), u("3"));
    QCOMPARE(field(first, 1, "平邮"), u("12"));
    QCOMPARE(field(first, 1, "EMS"), QString());
    QCOMPARE(field(first, 1, "宝贝描述"), u("\"<p class=\"\"x\"\">一二</p>第二行😀\""));
    QCOMPARE(field(first, 1, "用户输入名值对"), u("\"k:v\""));
    QCOMPARE(field(first, 1, "店铺类目"), u("\",1,\""));
    QCOMPARE(field(first, 1, "新图片"), u("\"a:0:0:|;\""));
    QCOMPARE(field(first, 1, "宝贝编号"), u("\"\""));
    QCOMPARE(field(records[1], 1, "宝贝名称"), u("\"x\"\"y\""));
    QCOMPARE(field(records[1], 1, "宝贝描述"), u("\"\""));
    QCOMPARE(progress.last, qMakePair(qint64(2), qint64(2)));
    QCOMPARE(progress.label, u("当前/总数：2/2"));
}

void TestCsvWriter::taobao5FileAndStagingTable()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("n")}, {u("新旧程度"), 0}, {u("出售方式"), u("b")},
                             {u("新图片"), u("a:0:0:|;b:1:1:|;")}, {u("数字ID"), qlonglong(6017439830123LL)},
                             {u("cID"), cat}});
    const QString path = f.path(u("a5.csv"));
    for (int round = 0; round < 2; ++round) {
        QString error;
        QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatTaobao5, cat), nullptr, error), WriteStatus::Written);
        const QString text = readShopFile(path);
        QVERIFY(text.startsWith(u("version 1.00\n") + tabbed(kTaobao5English) + u("\n") + tabbed(kTaobao5Chinese)
                                + u("\r\n")));
        const QList<QStringList> records = recordsOf(text);
        QCOMPARE(records.size(), 1); // the staging table starts empty every time
        QCOMPARE(records[0].size(), 41);
        QCOMPARE(field(records[0], 2, "新旧程度"), u("1"));
        QCOMPARE(field(records[0], 2, "出售方式"), u("1"));
        QCOMPARE(field(records[0], 2, "新图片"), u("\"a:1:0:|;b:2:1:|;\""));
        QCOMPARE(field(records[0], 2, "数字ID"), u("6017439830123"));
        QCOMPARE(field(records[0], 2, "本地ID"), QString());
        QCOMPARE(f.count(u("select count(*) from BabyNewData")), 0);
        QCOMPARE(f.count(u("select count(*) from BabyData")), 1);
    }
}

void TestCsvWriter::taobao5StagingEmptiedAfterFailure()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    f.insert(u("BaseData"), {{u("商品名称"), u("g")}, {u("cID"), cat}});
    const QString path = f.path(u("taken.csv"));
    QVERIFY(QDir().mkpath(path)); // a folder stands where the file should go
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatTaobao5, cat), nullptr, error), WriteStatus::FileError);
    QCOMPARE(error, u("打开写入文件失败！"));
    QCOMPARE(f.count(u("select count(*) from BabyNewData")), 0);
    // the native rows the conversion made stay, and the generic row is untouched
    QCOMPARE(f.count(u("select count(*) from BabyData")), 1);
    QCOMPARE(f.count(u("select count(*) from BaseData")), 1);
}

void TestCsvWriter::paipaiFromGenericRows()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("P"));
    QDir().mkpath(f.home().descDir());
    const QString desc = f.home().descDir() + u("/{D1}.htm");
    QVERIFY(AnsiText::writeFile(desc, u("<b>x</b>\r\n")));
    f.insert(u("BaseData"), {{u("商品名称"), u("p")}, {u("商品价格"), 10.5}, {u("新旧程度"), u("全新")},
                             {u("图片1"), u("img1")}, {u("商品描述"), desc}, {u("cID"), cat}});
    const QString path = f.path(u("out/p.csv"));
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatPaipai, cat), nullptr, error), WriteStatus::Written);
    QCOMPARE(f.count(u("select count(*) from PPData")), 1);
    const QString text = readShopFile(path);
    QVERIFY(text.startsWith(tabbed(kPaipaiHeader) + u("\r\n")));
    const QList<QStringList> records = recordsOf(text);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].size(), 42);
    QCOMPARE(field(records[0], 3, "id"), u("-1"));
    QCOMPARE(field(records[0], 3, "商品名称"), u("\"p\""));
    QCOMPARE(field(records[0], 3, "价格"), u("10.5"));
    QCOMPARE(field(records[0], 3, "新旧程度"), u("\"1\""));
    QCOMPARE(field(records[0], 3, "图片"), u("\"img1\"")); // pictures not exported: the bare name
    QCOMPARE(field(records[0], 3, "商品详情"), u("\"{D1}.htm\""));
    // without pictures the description goes to the folder named like the CSV file
    QCOMPARE(TestFiles::read(f.path(u("out/p/{D1}.htm"))), TestFiles::read(desc));

    // the native row is made once: later generic rows do not reach it
    f.insert(u("BaseData"), {{u("商品名称"), u("later")}, {u("cID"), cat}});
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatPaipai, cat), nullptr, error), WriteStatus::Written);
    QCOMPARE(recordsOf(readShopFile(path)).size(), 1);
}

void TestCsvWriter::paipaiVersionIsConstant()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("P"));
    f.insert(u("PPData"), {{u("id"), 5}, {u("商品名称"), u("q")}, {u("版本"), u("拍拍助理-商品管理 4.0 [54]")},
                           {u("商品详情"), u("<p>inline</p>")}, {u("cID"), cat}});
    const QString path = f.path(u("v.csv"));
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatPaipai, cat), nullptr, error), WriteStatus::Written);
    const QList<QStringList> records = recordsOf(readShopFile(path));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].last(), u("\"拍拍助理2012 [100]\""));
    QCOMPARE(field(records[0], 3, "id"), u("5"));
    QCOMPARE(field(records[0], 3, "商品详情"), u("\"<p>inline</p>\"")); // text, not a file: kept
}

void TestCsvWriter::mergeAppendsRecordsOnly()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("one")}, {u("cID"), cat}});
    const QString path = f.path(u("m.csv"));
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatTaobao4, cat), nullptr, error), WriteStatus::Written);
    const QByteArray once = TestFiles::read(path);
    const QByteArray record = TestFiles::utf16le(readShopFile(path).section(u("\r\n"), 1), false);

    for (OverwriteAnswer answer : {OverwriteAnswer::Merge, OverwriteAnswer::MergeAll}) {
        CategoryFileJob merge = job(path, FormatTaobao4, cat);
        merge.answer = answer;
        QCOMPARE(WriteCategoryFile(f.dm(), merge, nullptr, error), WriteStatus::Written);
    }
    QCOMPARE(TestFiles::read(path), once + record + record);

    CategoryFileJob overwrite = job(path, FormatTaobao4, cat);
    overwrite.answer = OverwriteAnswer::OverwriteAll;
    QCOMPARE(WriteCategoryFile(f.dm(), overwrite, nullptr, error), WriteStatus::Written);
    QCOMPARE(TestFiles::read(path), once);

    // a last line without its break is ended before the appended records
    QVERIFY(TestFiles::write(path, once.left(once.size() - 4)));
    CategoryFileJob merge = job(path, FormatTaobao4, cat);
    merge.answer = OverwriteAnswer::Merge;
    QCOMPARE(WriteCategoryFile(f.dm(), merge, nullptr, error), WriteStatus::Written);
    QCOMPARE(TestFiles::read(path), once + record);

    // merging into an empty file writes what a new file needs
    QVERIFY(TestFiles::write(path, QByteArray()));
    QCOMPARE(WriteCategoryFile(f.dm(), merge, nullptr, error), WriteStatus::Written);
    QCOMPARE(TestFiles::read(path), once);
}

void TestCsvWriter::rangeAndCategory_data()
{
    QTest::addColumn<bool>("allCategories");
    QTest::addColumn<int>("range");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("category, all rows") << false << 0 << QStringList{u("a1"), u("a2")};
    QTest::newRow("category, ticked") << false << 1 << QStringList{u("a1")};
    QTest::newRow("全部分类, all rows") << true << 0 << QStringList{u("a1"), u("b1"), u("a2")};
    QTest::newRow("全部分类, ticked") << true << 1 << QStringList{u("a1"), u("b1")};
}

void TestCsvWriter::rangeAndCategory()
{
    QFETCH(bool, allCategories);
    QFETCH(int, range);
    QFETCH(QStringList, written);
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 a = f.addCategory(u("A"));
    const qint64 b = f.addCategory(u("B"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("a1")}, {u("选择"), -1}, {u("cID"), a}});
    f.insert(u("BabyData"), {{u("宝贝名称"), u("b1")}, {u("选择"), -1}, {u("cID"), b}});
    f.insert(u("BabyData"), {{u("宝贝名称"), u("a2")}, {u("cID"), a}});
    const QString path = f.path(u("r.csv"));
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, FormatTaobao4, allCategories ? 0 : a, range), nullptr, error),
             WriteStatus::Written);
    QStringList names;
    for (const QStringList &record : recordsOf(readShopFile(path)))
        names << record.first().mid(1, record.first().size() - 2);
    QCOMPARE(names, written);
}

void TestCsvWriter::allCategoriesConvertsWhatIsMissing()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 a = f.addCategory(u("A"));
    const qint64 b = f.addCategory(u("B"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("native")}, {u("cID"), a}});
    f.insert(u("BaseData"), {{u("商品名称"), u("generic of A")}, {u("cID"), a}});
    f.insert(u("BaseData"), {{u("商品名称"), u("generic of B")}, {u("cID"), b}});
    QString error;
    // 5.x of every category: A keeps its native row, B is converted; nothing stays staged
    QCOMPARE(WriteCategoryFile(f.dm(), job(f.path(u("all5.csv")), FormatTaobao5, 0), nullptr, error),
             WriteStatus::Written);
    QStringList names;
    for (const QStringList &record : recordsOf(readShopFile(f.path(u("all5.csv")))))
        names << record.first();
    QCOMPARE(names, (QStringList{u("\"native\""), u("\"generic of B\"")}));
    QCOMPARE(f.count(u("select count(*) from BabyNewData")), 0);
}

void TestCsvWriter::failures_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("withRows");
    QTest::addColumn<QString>("message");
    QTest::newRow("no rows") << u("none.csv") << 1 << false << u("没有数据可以导出，请重新选择！");
    QTest::newRow("folder under a file") << u("plain/x.csv") << 1 << true << u("创建目录失败");
    QTest::newRow("generic table has no layout") << u("g.csv") << 0 << true << u("不支持的导出格式：0");
}

void TestCsvWriter::failures()
{
    QFETCH(QString, relativePath);
    QFETCH(int, format);
    QFETCH(bool, withRows);
    QFETCH(QString, message);
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    if (withRows)
        f.insert(u("BabyData"), {{u("宝贝名称"), u("x")}, {u("cID"), cat}});
    QVERIFY(TestFiles::write(f.path(u("plain")), "a file"));
    const QString path = f.path(relativePath);
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(path, format, cat), nullptr, error), WriteStatus::Failed);
    QCOMPARE(error, message);
    QVERIFY(!QFileInfo::exists(path));
}

void TestCsvWriter::diskFullIsReported()
{
    if (!QFileInfo::exists(u("/dev/full")))
        QSKIP("no /dev/full here");
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("x")}, {u("cID"), cat}});
    QString error;
    QCOMPARE(WriteCategoryFile(f.dm(), job(u("/dev/full"), FormatTaobao4, cat), nullptr, error),
             WriteStatus::FileError);
    QCOMPARE(error, u("写入文件失败！"));
}

void TestCsvWriter::singleExportExistingFile()
{
    ExportFixture f;
    QVERIFY2(f.ok(), qPrintable(f.error()));
    const qint64 cat = f.addCategory(u("A"));
    f.insert(u("BabyData"), {{u("宝贝名称"), u("x")}, {u("cID"), cat}});
    QCOMPARE(ExportCsvPath(u(" a.CSV ")), u("a.CSV.csv"));
    QCOMPARE(ExportCsvPath(u("b.csv")), u("b.csv"));

    ExportOptions options;
    options.format = FormatTaobao4;
    options.cID = cat;
    options.file = f.path(u("single"));
    const QString path = f.path(u("single.csv"));
    ExportResult result = ExportSingleCategory(f.dm(), f.home(), options, nullptr, nullptr);
    QCOMPARE(result.status, ExportResult::Succeeded);
    QCOMPARE(result.csvPath, path);
    const QByteArray first = TestFiles::read(path);

    options.existing = ExistingFilePolicy::Fail; // never touched without being told
    result = ExportSingleCategory(f.dm(), f.home(), options, nullptr, nullptr);
    QCOMPARE(result.status, ExportResult::Failed);
    QVERIFY(result.error.contains(QDir::toNativeSeparators(path)));

    options.existing = ExistingFilePolicy::Ask;
    AnsweringSink cancel(OverwriteAnswer::Cancel);
    QCOMPARE(ExportSingleCategory(f.dm(), f.home(), options, &cancel, nullptr).status, ExportResult::Cancelled);
    QCOMPARE(cancel.asked, QStringList{SingleExportExistsText()});
    QCOMPARE(TestFiles::read(path), first);

    AnsweringSink merge(OverwriteAnswer::Merge);
    QCOMPARE(ExportSingleCategory(f.dm(), f.home(), options, &merge, nullptr).status, ExportResult::Succeeded);
    QCOMPARE(recordsOf(readShopFile(path)).size(), 2);

    options.existing = ExistingFilePolicy::Overwrite;
    QCOMPARE(ExportSingleCategory(f.dm(), f.home(), options, nullptr, nullptr).status, ExportResult::Succeeded);
    QCOMPARE(TestFiles::read(path), first);
}

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "tst_csv_writer.moc"

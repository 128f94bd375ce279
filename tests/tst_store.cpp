#include "store/category_store.h"
#include "store/data_module.h"
#include "store/item_queries.h"
#include "store/item_tables.h"
#include "testing/test_support.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <unistd.h>

class TestStore : public QObject
{
    Q_OBJECT

private:
    static QStringList tableNames(TDm &dm) { return dm.Adc().tables(QSql::Tables); }
    static qint64 count(TDm &dm, const QString &sql) { return dm.scalar(sql).toLongLong(); }

private slots:
    void freshStoreHasNineTablesAndSixTypes();
    void existingTablesAreKeptAndMissingOnesAdded();
    void damagedFileGivesOpeningMessage();
    void unwritableFolderGivesCreationMessage();
    void itemTableColumnsFollowTheLayouts();
    void formatMappings_data();
    void formatMappings();
    void categoryStatements();
    void descendantsListChildrenFirst();
    void treeLevelsShowOnlyVisibleCategories();
    void tickAndDeleteReachLinkedTables();
    void malformedListFailsWithoutChanges();
    void stagingLists();
    void errorTextsCarryTitleDetailAndContact();
};

void TestStore::freshStoreHasNineTablesAndSixTypes()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY2(BringUpStore(dm, home.home().databasePath(), error), qPrintable(error));
    QVERIFY(QFile::exists(home.home().databasePath()));
    QStringList expected;
    QVERIFY(ExpectedTables(expected, error));
    QCOMPARE(expected.size(), 9);
    QVector<bool> present;
    QVERIFY(FindTables(dm, expected, present, error));
    QCOMPARE(present, QVector<bool>(9, true));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from DataType")), 6);
    QCOMPARE(dm.scalar(QStringLiteral("select tTableName from DataType where tID=5")).toString(),
             QStringLiteral("ESData"));
    // the bit column defaults to false and counters are assigned by the database
    dm.exec(QStringLiteral("insert into BaseData(商品名称,cID) values('x',1)"));
    QCOMPARE(count(dm, QStringLiteral("select 选择 from BaseData")), 0);
    QCOMPARE(count(dm, QStringLiteral("select bID from BaseData")), 1);
}

void TestStore::existingTablesAreKeptAndMissingOnesAdded()
{
    TempHome home;
    const QString path = home.home().databasePath();
    {
        TDm dm;
        QString error;
        QVERIFY(CreateDatabase(path, error));
        QVERIFY(OpenDatabase(dm, path, error));
        dm.exec(QStringLiteral("create table category(cID INTEGER PRIMARY KEY, cName text, cImPath text, pID "
                               "INTEGER, tID INTEGER, isVisible bit)"));
        dm.exec(QStringLiteral("insert into category(cName,pID,tID,isVisible) values('kept',0,1,-1)"));
        dm.exec(QStringLiteral("create table DATATYPE(tID INTEGER, tName text, tTableName text)"));
        dm.exec(QStringLiteral("insert into DATATYPE values(9,'own','Own')"));
        dm.AdqExec().finish();
    }
    TDm dm;
    QString error;
    QVERIFY2(BringUpStore(dm, path, error), qPrintable(error));
    QCOMPARE(tableNames(dm).size(), 9 + 1); // sqlite_sequence comes with the counters
    QCOMPARE(dm.scalar(QStringLiteral("select cName from Category")).toString(), QStringLiteral("kept"));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from DataType")), 1);
}

void TestStore::damagedFileGivesOpeningMessage()
{
    TempHome home;
    const QString path = home.home().databasePath();
    const QByteArray garbage(4096, 'x');
    QVERIFY(TestFiles::write(path, "Standard Jet DB" + garbage));
    TDm dm;
    QString error;
    QVERIFY(!BringUpStore(dm, path, error));
    QVERIFY(error.startsWith(QStringLiteral("打开数据库失败，错误信息：\r\n")));
    QVERIFY(error.contains(QStringLiteral("选择“是”")));
    QCOMPARE(TestFiles::read(path), "Standard Jet DB" + garbage); // nothing overwritten
}

void TestStore::unwritableFolderGivesCreationMessage()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    TempHome home;
    QDir().mkpath(home.path(QStringLiteral("ro")));
    QFile::setPermissions(home.path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    QVERIFY(!CreateDatabase(home.path(QStringLiteral("ro/Data.db")), error));
    QVERIFY(error.startsWith(QStringLiteral("创建数据库失败，错误信息：")));
}

void TestStore::itemTableColumnsFollowTheLayouts()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    const struct { const TableDef *def; int columns; const char *tenth; } cases[] = {
        {&BaseDataTable(), 31, "新旧程度"}, {&BabyDataTable(), 56, "宝贝数量"}, {&BabyNewDataTable(), 50, "宝贝数量"},
        {&PPDataTable(), 46, "新旧程度"},   {&YADataTable(), 45, "新旧程度"},
    };
    for (const auto &c : cases) {
        const QSqlRecord record = dm.Adc().record(c.def->name);
        QCOMPARE(record.count(), c.columns);
        QCOMPARE(record.fieldName(9), QString::fromUtf8(c.tenth));
        QCOMPARE(record.fieldName(record.indexOf(c.def->key)).toLower(), c.def->key.toLower());
    }
    QCOMPARE(PPDataTable().columns.at(41).name, QStringLiteral("版本"));
    QCOMPARE(YADataTable().columns.at(40).name, QStringLiteral("版本"));
}

void TestStore::formatMappings_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("key");
    QTest::newRow("generic") << 0 << "BaseData" << "bID";
    QTest::newRow("taobao4") << 1 << "BabyData" << "ID";
    QTest::newRow("taobao5 keys by bID") << 2 << "BabyNewData" << "bID";
    QTest::newRow("paipai") << 3 << "PPData" << "pID";
    QTest::newRow("youa") << 4 << "YAData" << "ID";
    QTest::newRow("other") << 9 << "YAData" << "ID";
}

void TestStore::formatMappings()
{
    QFETCH(int, code);
    QFETCH(QString, table);
    QFETCH(QString, key);
    QCOMPARE(FormatTableName(code), table);
    QCOMPARE(FormatKeyField(code), key);
}

void TestStore::categoryStatements()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    const QString quoted = QStringLiteral("店'铺");
    const qint64 a = InsertCategory(dm, quoted, QStringLiteral("/tmp/it's.csv"), 0, 1, true);
    const qint64 b = InsertCategory(dm, QStringLiteral("b"), QStringLiteral("/tmp/it's.csv"), a, 1, false);
    QVERIFY(b > a);
    QCOMPARE(FindCategoryByPath(dm, QStringLiteral("/tmp/it's.csv")), a); // first of two rows with the path
    QCOMPARE(FindCategoryByPath(dm, QStringLiteral("/none")), -1);
    UpdateCategory(dm, b, QStringLiteral("b2"), QStringLiteral("/x"), 1);
    CategoryRow row;
    QVERIFY(ReadCategory(dm, b, row));
    QCOMPARE(row.cName, QStringLiteral("b2"));
    QCOMPARE(row.pID, a);
    ShowCategories(dm, QString::number(b));
    QCOMPARE(count(dm, QStringLiteral("select isVisible from category where cID=%1").arg(b)), -1);
    const qint64 copy = InsertCategoryCopy(dm, QStringLiteral("copy"), QString(), 3);
    QVERIFY(ReadCategory(dm, copy, row));
    QCOMPARE(row.pID, 0);
    QCOMPARE(row.tID, 3);
    QCOMPARE(VisibleCategoryLevel(dm, 0).size(), 2); // the copy stays in the tree
    QList<CategoryChild> children;
    ChildCategories(dm, children, a);
    QCOMPARE(children.size(), 1);
    QCOMPARE(children.first().cName, QStringLiteral("b2"));
    QCOMPARE(CategoryDisplayText(quoted, QString()), quoted);
    QCOMPARE(CategoryDisplayText(QStringLiteral("n"), QStringLiteral("p")), QStringLiteral("n | p"));

    dm.exec(QStringLiteral("insert into BaseData(商品名称,cID) values('x',?)"), {b});
    dm.exec(QStringLiteral("insert into PPData(商品名称,cID) values('x',?)"), {b});
    DeleteCategories(dm, QStringLiteral("%1,%2").arg(a).arg(b));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from category")), 1);
    QCOMPARE(count(dm, QStringLiteral("select count(*) from BaseData")), 0);
    QCOMPARE(count(dm, QStringLiteral("select count(*) from PPData")), 0);
}

void TestStore::descendantsListChildrenFirst()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    const qint64 root = InsertCategory(dm, QStringLiteral("r"), QString(), 0, 1, true);
    const qint64 c1 = InsertCategory(dm, QStringLiteral("c1"), QString(), root, 1, true);
    const qint64 c2 = InsertCategory(dm, QStringLiteral("c2"), QString(), root, 1, false);
    const qint64 g1 = InsertCategory(dm, QStringLiteral("g1"), QString(), c1, 1, true);
    const qint64 g2 = InsertCategory(dm, QStringLiteral("g2"), QString(), c2, 1, true);
    QCOMPARE(ChildCategoryIds(dm, root), QStringLiteral("%1,%2,%3,%4").arg(c1).arg(c2).arg(g1).arg(g2));
    QCOMPARE(CategoryAndDescendants(dm, g1), QString::number(g1));
    QCOMPARE(ChildCategoryIds(dm, g1), QString());
    // a damaged tree whose parents form a loop still ends
    dm.exec(QStringLiteral("update category set pID=? where cID=?"), {g1, root});
    QCOMPARE(CategoryAndDescendants(dm, root).split(QLatin1Char(',')).size(), 5);
}

void TestStore::treeLevelsShowOnlyVisibleCategories()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    QVERIFY(VisibleCategoryLevel(dm, 0).isEmpty());
    const qint64 hidden = InsertCategory(dm, QStringLiteral("hidden"), QString(), 0, 1, false);
    const qint64 below = InsertCategory(dm, QStringLiteral("below"), QString(), hidden, 1, true);
    const qint64 shown = InsertCategory(dm, QStringLiteral("shown"), QStringLiteral("p"), 0, 1, true);
    const QList<CategoryRow> top = VisibleCategoryLevel(dm, 0);
    QCOMPARE(top.size(), 1);
    QCOMPARE(top.first().cID, shown);
    const QList<TObjCat> combo = VisibleCategoriesForCombo(dm, false);
    QCOMPARE(combo.size(), 2); // the combo lists the visible category below a hidden one
    QCOMPARE(combo.first().cID, below);
    QCOMPARE(VisibleCategoriesForCombo(dm, true).size(), 1);
}

void TestStore::tickAndDeleteReachLinkedTables()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    for (const QString &table : LinkedTables())
        for (int bid : {1, 2})
            dm.exec(QStringLiteral("insert into %1(bID,cID,选择) values(?,7,0)").arg(table), {bid});
    dm.exec(QStringLiteral("update BabyData set 选择=-1 where bID=1"));
    QVERIFY(SetTickByLink(dm, FormatTaobao4, QStringLiteral("1"), 0, error));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from PPData where 选择=-1 and bID=1")), 1);
    QCOMPARE(count(dm, QStringLiteral("select count(*) from YAData where 选择=-1")), 1);
    QVERIFY(SetTickByLink(dm, FormatGeneric, QStringLiteral("1,2"), 1, error)); // reverse flips each row
    QCOMPARE(count(dm, QStringLiteral("select 选择 from PPData where bID=2")), -1);
    QCOMPARE(count(dm, QStringLiteral("select 选择 from PPData where bID=1")), 0);
    QCOMPARE(count(dm, QStringLiteral("select 选择 from BaseData where bID=2")), 0); // the changed table is left
    QVERIFY(UntickCategory(dm, QStringLiteral("7"), error));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from BabyData where 选择<>0")), 0);
    QVERIFY(DeleteByLink(dm, FormatTaobao4, QStringLiteral("2"), error));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from BaseData")), 1);
    QCOMPARE(count(dm, QStringLiteral("select count(*) from BabyData")), 2); // its own table is the grid's job
    QVERIFY(NativeRowsExist(dm, FormatTaobao5, 7)); // 5.x asks BabyData
    QVERIFY(!NativeRowsExist(dm, FormatPaipai, 8));
}

void TestStore::malformedListFailsWithoutChanges()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    dm.exec(QStringLiteral("insert into BaseData(bID,cID) values(1,1)"));
    QVERIFY(!DeleteByLink(dm, FormatTaobao4, QStringLiteral("1,,2"), error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!SetTickByLink(dm, FormatTaobao4, QStringLiteral("1) or (1=1"), 0, error));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from BaseData where 选择=0")), 1);
}

void TestStore::stagingLists()
{
    TempHome home;
    TDm dm;
    QString error;
    QVERIFY(BringUpStore(dm, home.home().databasePath(), error));
    QVERIFY(AddImportFile(dm, QStringLiteral("/a/b'c.csv"), QStringLiteral("/a/b'c"), QStringLiteral("b'c"),
                          QStringLiteral("a"), QStringLiteral("3"), true, error));
    QVERIFY(AddExportFile(dm, QStringLiteral("/o.csv"), QString(), QStringLiteral("o"), QString(),
                          QStringLiteral("4"), false, error));
    QCOMPARE(dm.scalar(QStringLiteral("select 文件路径 from ImFile")).toString(), QStringLiteral("/a/b'c.csv"));
    QCOMPARE(count(dm, QStringLiteral("select 导入图片 from ImFile")), -1);
    QCOMPARE(count(dm, QStringLiteral("select cID from ExFile")), 4);
    QVERIFY(!AddImportFile(dm, QStringLiteral("f"), QString(), QString(), QString(), QStringLiteral("x"), true, error));
    QVERIFY(ClearImportFiles(dm, error));
    QVERIFY(ClearExportFiles(dm, error));
    QCOMPARE(count(dm, QStringLiteral("select count(*) from ImFile")) + count(dm, QStringLiteral("select count(*) from ExFile")), 0);
}

void TestStore::errorTextsCarryTitleDetailAndContact()
{
    const QString question = QuestionErrorText(QStringLiteral("T"), QStringLiteral("D"));
    QVERIFY(question.startsWith(QStringLiteral("T\r\nD\r\n\r\n选择“是”：将退出程序，同时可查看该错误的相关解决方法；\r\n")));
    QVERIFY(question.endsWith(ContactBlock()));
    QVERIFY(ContactBlock().startsWith(QStringLiteral("\r\n\r\n")));
    QCOMPARE(NoticeErrorText(QStringLiteral("T"), QStringLiteral("D")),
             QStringLiteral("T\r\nD\r\n\r\n请重新打开软件，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock());
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"

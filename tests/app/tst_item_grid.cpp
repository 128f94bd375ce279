#include "app/description_browser.h"
#include "app/grid_views.h"
#include "app/item_grid_level.h"
#include "app/item_grid_model.h"
#include "app_fixture.h"
#include "base/ansi_text.h"
#include "store/item_queries.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QSqlQuery>
#include <QTableView>
#include <QTextDocument>
#include <QtTest>

class TestItemGrid : public QObject
{
    Q_OBJECT

private:
    static QStringList headers(const ItemGridLevel &level)
    {
        QStringList names;
        for (int c = 0; c < level.model()->columnCount(); ++c)
            names << level.model()->headerData(c, Qt::Horizontal).toString();
        return names;
    }
    static QStringList shownNames(const ItemGridLevel &level)
    {
        QStringList names;
        const int column = level.def().indexOf(level.def().nameColumn);
        for (int r = 0; r < level.model()->rowCount(); ++r)
            names << level.model()->index(r, column).data().toString();
        return names;
    }
    static ItemQuery baseQuery(qint64 cID, const QVariant &locate = 0)
    {
        return {QStringLiteral("Select * from BaseData Where cID =%1 Order by bID").arg(cID), QStringLiteral("bID"),
                locate, true};
    }

private slots:
    void viewsShowTheirColumnsInOrder_data();
    void viewsShowTheirColumnsInOrder();
    void largeCategoryIsReadLazily();
    void openLocatesAndRereadKeepsTheRow();
    void headerClickSortsAndKeepsCurrentRow();
    void tickCellIsWrittenAtOnceToItsTableOnly();
    void onlyTaobaoDescriptionIsEditable();
    void footerCountsShownRows();
    void pictureCellsShowStoredPicture();
    void groupingShowsGroupRows();
    void selectionColours();
    void descriptionPaneShowsLocalFilesOnly();
};

void TestItemGrid::viewsShowTheirColumnsInOrder_data()
{
    QTest::addColumn<int>("viewType");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("firstColumns");
    QTest::addColumn<QList<int>>("firstWidths");
    QTest::addColumn<QString>("lastColumn");
    QTest::addColumn<int>("lastWidth");
    QTest::newRow("generic") << 1 << 30
                             << QStringList{QStringLiteral("选择"), QStringLiteral("商品名称"), QStringLiteral("商品数量"),
                                            QStringLiteral("商品价格"), QStringLiteral("图片1")}
                             << QList<int>{50, 400, 100, 100, 100} << QStringLiteral("cID") << 50;
    QTest::newRow("Taobao") << 2 << 47
                            << QStringList{QStringLiteral("选择"), QStringLiteral("宝贝名称"), QStringLiteral("宝贝类目"),
                                           QStringLiteral("店铺类目"), QStringLiteral("新旧程度")}
                            << QList<int>{50, 400, 100, 100, 100} << QStringLiteral("ID") << 100;
    QTest::newRow("Paipai") << 3 << 46
                            << QStringList{QStringLiteral("选择"), QStringLiteral("id"), QStringLiteral("商品名称"),
                                           QStringLiteral("出售方式"), QStringLiteral("商品类目")}
                            << QList<int>{50, 25, 400, 100, 100} << QStringLiteral("cID") << 50;
}

void TestItemGrid::viewsShowTheirColumnsInOrder()
{
    QFETCH(int, viewType);
    QFETCH(int, columns);
    QFETCH(QStringList, firstColumns);
    QFETCH(QList<int>, firstWidths);
    QFETCH(QString, lastColumn);
    QFETCH(int, lastWidth);
    StoreFixture store;
    const GridViewDef &def = viewType == 1 ? BaseGridView() : viewType == 2 ? BabyGridView() : PPGridView();
    ItemGridLevel level(store.dm, def, store.home().imagesDir(), QColor());
    const QStringList names = headers(level);
    QCOMPARE(names.size(), columns);
    QCOMPARE(names.mid(0, firstColumns.size()), firstColumns);
    for (int c = 0; c < firstWidths.size(); ++c)
        QCOMPARE(level.view()->columnWidth(c), firstWidths[c]);
    QCOMPARE(names.last(), lastColumn);
    QCOMPARE(level.view()->columnWidth(columns - 1), lastWidth);
    // every shown column exists in the table: reading a row must not fail
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 bID = store.item(c, QStringLiteral("x"), true, true);
    const QString table = def.table;
    level.openQuery({QStringLiteral("select * from %1 where cID=%2").arg(table).arg(c), def.key, 0, true});
    QCOMPARE(level.model()->rowCount(), 1);
    QCOMPARE(level.model()->value(0, QStringLiteral("bID")).toLongLong(), bID);
    QCOMPARE(level.model()->value(0, def.nameColumn).toString(), QStringLiteral("x"));
}

void TestItemGrid::largeCategoryIsReadLazily()
{
    StoreFixture store;
    const qint64 big = store.category(QStringLiteral("big"));
    const qint64 other = store.category(QStringLiteral("other"));
    constexpr int Rows = 100000;
    store.dm.beginWork();
    {
        QSqlQuery insert(store.dm.Adc());
        insert.prepare(QStringLiteral("insert into BaseData(商品名称,cID,商品描述) values(?,?,?)"));
        for (int i = 0; i < Rows; ++i) {
            insert.addBindValue(QStringLiteral("item %1").arg(i));
            insert.addBindValue(i % 1000 == 999 ? other : big);
            insert.addBindValue(QString(200, QLatin1Char('d')));
            QVERIFY(insert.exec());
        }
    }
    QVERIFY(store.dm.commitWork());

    ItemGridLevel level(store.dm, BaseGridView(), store.home().imagesDir(), QColor());
    level.resize(800, 600);
    QElapsedTimer timer;
    timer.start();
    level.openQuery(baseQuery(big));
    const QString first = level.model()->index(0, 1).data().toString();
    qInfo("%d rows: first row shown after %lld ms", level.model()->rowCount(), timer.elapsed());
    QCOMPARE(first, QStringLiteral("item 0"));
    QCOMPARE(level.model()->rowCount(), Rows - Rows / 1000);

    // walking through every row keeps only a bounded window of rows in memory
    for (int row = 0; row < level.model()->rowCount(); row += 97)
        QVERIFY(!level.model()->index(row, 1).data().toString().isEmpty());
    QVERIFY(level.model()->cachedRowCount() <= ItemGridModel::PageSize * ItemGridModel::CachedPages);
    const int last = level.model()->rowCount() - 1;
    QCOMPARE(level.model()->index(last, 1).data().toString(), QStringLiteral("item %1").arg(Rows - 2)); // the last row went to "other"
}

void TestItemGrid::openLocatesAndRereadKeepsTheRow()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    QVector<qint64> ids;
    for (int i = 0; i < 5; ++i)
        ids << store.item(c, QStringLiteral("n%1").arg(i));
    ItemGridLevel level(store.dm, BaseGridView(), store.home().imagesDir(), QColor());
    QSignalSpy rowChanges(&level, &ItemGridLevel::currentRowChanged);

    level.openQuery(baseQuery(c, ids[3]));
    QCOMPARE(level.currentKey(), ids[3]);
    level.openQuery(baseQuery(c, 0)); // a locate value that matches nothing stands on the first row
    QCOMPARE(level.currentRow(), 0);
    QVERIFY(!rowChanges.isEmpty());

    level.setCurrentRow(2);
    level.view()->selectionModel()->select(level.model()->index(4, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    store.dm.exec(QStringLiteral("update BaseData set 商品名称='changed' where bID=?"), {ids[2]});
    level.reread();
    QCOMPARE(level.currentKey(), ids[2]);
    QCOMPARE(level.currentValue(QStringLiteral("商品名称")).toString(), QStringLiteral("changed"));
    QCOMPARE(level.selectedRows().size(), 2); // same rows: the selection stays

    store.dm.exec(QStringLiteral("delete from BaseData where bID=?"), {ids[2]});
    level.reread();
    QCOMPARE(level.model()->rowCount(), 4);
    QCOMPARE(level.currentRow(), 0); // the row is gone: back to the first

    level.openQuery(ItemQuery());
    QCOMPARE(level.model()->rowCount(), 0);
    QCOMPARE(level.currentRow(), -1);
}

void TestItemGrid::headerClickSortsAndKeepsCurrentRow()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    for (const char *name : {"e", "b", "d", "a", "c"})
        store.item(c, QString::fromLatin1(name));
    store.dm.exec(QStringLiteral("update BaseData set 选择=-1 where 商品名称 in ('b','d')"));
    ItemGridLevel level(store.dm, BaseGridView(), store.home().imagesDir(), QColor());
    level.resize(900, 400);
    level.show();
    level.openQuery(baseQuery(c));
    level.setCurrentRow(2); // "d"

    QHeaderView *header = level.view()->horizontalHeader();
    const auto clickHeader = [&](int section) {
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    clickHeader(1);
    QCOMPARE(shownNames(level), (QStringList{"a", "b", "c", "d", "e"}));
    QCOMPARE(level.currentValue(QStringLiteral("商品名称")).toString(), QStringLiteral("d"));
    clickHeader(1);
    QCOMPARE(shownNames(level), (QStringList{"e", "d", "c", "b", "a"}));
    QCOMPARE(level.currentValue(QStringLiteral("商品名称")).toString(), QStringLiteral("d"));
    QCOMPARE(store.dm.scalar(QStringLiteral("select group_concat(商品名称) from (select 商品名称 from BaseData where 选择=-1 order by 1)")).toString(),
             QStringLiteral("b,d"));
    // a re-read keeps the order chosen by the header
    level.reread();
    QCOMPARE(shownNames(level).first(), QStringLiteral("e"));
}

void TestItemGrid::tickCellIsWrittenAtOnceToItsTableOnly()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 bID = store.item(c, QStringLiteral("x"), true, true);
    ItemGridLevel level(store.dm, BaseGridView(), store.home().imagesDir(), QColor());
    level.openQuery(baseQuery(c));
    const QModelIndex tick = level.model()->index(0, 0);
    QVERIFY(tick.flags() & Qt::ItemIsUserCheckable);
    QVERIFY(!(tick.flags() & Qt::ItemIsEditable));
    QCOMPARE(tick.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(level.model()->setData(tick, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(store.tick(QStringLiteral("BaseData"), bID), -1);
    QCOMPARE(store.tick(QStringLiteral("BabyData"), bID), 0);
    QCOMPARE(store.tick(QStringLiteral("PPData"), bID), 0);
    QCOMPARE(tick.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(level.model()->setData(tick, Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(store.tick(QStringLiteral("BaseData"), bID), 0);
    // other columns of the generic view are read-only
    QVERIFY(!level.model()->setData(level.model()->index(0, 1), QStringLiteral("y")));
}

void TestItemGrid::onlyTaobaoDescriptionIsEditable()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 bID = store.item(c, QStringLiteral("x"), true, false);
    ItemGridLevel baby(store.dm, BabyGridView(), store.home().imagesDir(), QColor());
    baby.openQuery({QStringLiteral("select * from BabyData Where cID =%1 Order by ID").arg(c), QStringLiteral("ID"), 0, true});
    const QModelIndex description = baby.model()->index(0, BabyGridView().indexOf(QStringLiteral("宝贝描述")));
    QVERIFY(description.flags() & Qt::ItemIsEditable);
    QVERIFY(baby.model()->setData(description, QStringLiteral("/d/new.htm")));
    QCOMPARE(store.dm.scalar(QStringLiteral("select 宝贝描述 from BabyData where bID=?"), {bID}).toString(),
             QStringLiteral("/d/new.htm"));
    QVERIFY(!(baby.model()->index(0, 1).flags() & Qt::ItemIsEditable));

    ItemGridLevel base(store.dm, BaseGridView(), store.home().imagesDir(), QColor());
    base.openQuery(baseQuery(c));
    QVERIFY(!(base.model()->index(0, BaseGridView().indexOf(QStringLiteral("商品描述"))).flags() & Qt::ItemIsEditable));
}

void TestItemGrid::footerCountsShownRows()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 d = store.category(QStringLiteral("d"));
    for (int i = 0; i < 3; ++i)
        store.item(c, QStringLiteral("x"));
    store.item(d, QStringLiteral("y"));
    store.dm.exec(QStringLiteral("update BaseData set 选择=-1"));
    ItemGridLevel level(store.dm, PPGridView(), store.home().imagesDir(), QColor());
    QHeaderView *footer = level.footer();
    const int nameColumn = PPGridView().indexOf(QStringLiteral("商品名称"));
    QCOMPARE(footer->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("合计:"));
    QCOMPARE(footer->model()->headerData(nameColumn, Qt::Horizontal).toString(), QStringLiteral("0"));
    for (int i = 0; i < 3; ++i)
        store.ppRow(c, QVariant(), QStringLiteral("p"));
    level.openQuery({QStringLiteral("select * from PPData Where cID =%1 Order by ID").arg(c), QStringLiteral("ID"), 0, true});
    QCOMPARE(footer->model()->headerData(nameColumn, Qt::Horizontal).toString(), QStringLiteral("3"));
    store.dm.exec(QStringLiteral("delete from PPData where pID=(select min(pID) from PPData)"));
    level.reread();
    QCOMPARE(footer->model()->headerData(nameColumn, Qt::Horizontal).toString(), QStringLiteral("2"));
    // the footer follows the header's widths
    level.view()->setColumnWidth(nameColumn, 123);
    QCOMPARE(footer->sectionSize(nameColumn), 123);
}

void TestItemGrid::pictureCellsShowStoredPicture()
{
    StoreFixture store;
    QDir().mkpath(store.home().imagesDir());
    QImage picture(640, 320, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(store.home().imagesDir() + QStringLiteral("/abc.jpg"), "JPG"));
    const qint64 c = store.category(QStringLiteral("c"));
    store.item(c, QStringLiteral("x"));
    store.dm.exec(QStringLiteral("update BaseData set 图片1='abc', 图片2='missing', 图片3='C:\\pics\\abc'"));
    ItemGridLevel level(store.dm, BaseGridView(), store.home().imagesDir(), QColor());
    level.openQuery(baseQuery(c));
    const auto tip = [&](const char *column) {
        return level.model()->index(0, BaseGridView().indexOf(QString::fromUtf8(column))).data(Qt::ToolTipRole).toString();
    };
    QVERIFY(tip("图片1").contains(QStringLiteral("abc.jpg")));
    QVERIFY(tip("图片1").contains(QStringLiteral("width=\"320\" height=\"160\"")));
    QVERIFY(tip("图片2").isEmpty());
    QVERIFY(tip("图片3").contains(QStringLiteral("abc.jpg"))); // a Windows path names the same picture
    QVERIFY(tip("图片4").isEmpty());
    QVERIFY(tip("商品名称").isEmpty());
}

void TestItemGrid::groupingShowsGroupRows()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    QVector<qint64> ids;
    const QList<QVariant> states{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b"), QVariant(), QStringLiteral("a")};
    for (int i = 0; i < states.size(); ++i) {
        ids << store.item(c, QStringLiteral("n%1").arg(i));
        store.dm.exec(QStringLiteral("update BaseData set 新旧程度=? where bID=?"), {states[i], ids.last()});
    }
    ItemGridLevel level(store.dm, BaseGridView(), QString(), QColor());
    ItemGridModel *model = level.model();
    level.openQuery(baseQuery(c));
    level.setCurrentRow(2); // n2, group b
    const int column = BaseGridView().indexOf(QStringLiteral("新旧程度"));
    level.groupBy(column);

    // groups in value order (empty first), each group row followed by its items
    QCOMPARE(model->rowCount(), 3 + 5);
    QCOMPARE(model->groupRows(), (QVector<int>{0, 2, 5}));
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("- 新旧程度 : a (2)"));
    QCOMPARE(model->index(3, 1).data().toString(), QStringLiteral("n1"));
    QCOMPARE(model->index(4, 1).data().toString(), QStringLiteral("n4"));
    QCOMPARE(model->index(7, 1).data().toString(), QStringLiteral("n2"));
    QCOMPARE(level.currentKey(), ids[2]);
    QCOMPARE(level.view()->columnSpan(2, 0), model->columnCount());
    QCOMPARE(model->itemCount(), 5);
    QCOMPARE(level.footer()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("5"));

    // group rows stand for no item: selecting one with an item row acts on the item only
    QCOMPARE(model->keysOf({2, 3}), QVector<qint64>{ids[1]});
    QVERIFY(!model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(model->setData(model->index(4, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(store.tick(QStringLiteral("BaseData"), ids[4]), -1);

    // a click on a group row folds it up, and again opens it
    QTest::mouseClick(level.view()->viewport(), Qt::LeftButton, {}, level.view()->visualRect(model->index(2, 0)).center());
    QCOMPARE(model->rowCount(), 3 + 3);
    QCOMPARE(level.currentRow(), 2);
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("+ 新旧程度 : a (2)"));
    QCOMPARE(model->rowOfKey(ids[1]), 2);
    QCOMPARE(model->index(4, 1).data().toString(), QStringLiteral("n0"));
    level.reread(); // folded groups stay folded
    QCOMPARE(model->rowCount(), 6);
    model->toggleGroup(2);
    QCOMPARE(model->rowCount(), 8);

    level.setCurrentRow(model->rowOfKey(ids[2]));
    level.groupBy(-1);
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("n0"));
    QCOMPARE(level.currentKey(), ids[2]);
}

void TestItemGrid::selectionColours()
{
    StoreFixture store;
    ItemGridLevel base(store.dm, BaseGridView(), QString(), QColor(0, 128, 0));
    ItemGridLevel pp(store.dm, PPGridView(), QString(), QColor(255, 127, 255));
    QCOMPARE(base.view()->palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0, 128, 0));
    QCOMPARE(pp.view()->palette().color(QPalette::Active, QPalette::Highlight), QColor(255, 127, 255));
}

void TestItemGrid::descriptionPaneShowsLocalFilesOnly()
{
    StoreFixture store;
    const QString desc = store.home().descDir();
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(QDir().mkpath(desc));
    QVERIFY(picture.save(desc + QStringLiteral("/p.png"), "PNG"));
    const QString html = QStringLiteral("<p>纯棉连衣裙</p><img src=\"p.png\"><img src=\"http://example.com/x.png\">");
    // the Windows tools write their description files in GBK
    QVERIFY(AnsiText::writeFile(desc + QStringLiteral("/{A}.htm"), html));
    QVERIFY(!AnsiText::isValidUtf8(TestFiles::read(desc + QStringLiteral("/{A}.htm"))));

    DescriptionBrowser browser;
    browser.setDescriptionStore(desc);
    browser.showFile(desc + QStringLiteral("/{A}.htm"));
    QVERIFY(browser.toPlainText().contains(QStringLiteral("纯棉连衣裙")));
    QVERIFY(browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p.png"))).isValid());
    QVERIFY(!browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("http://example.com/x.png"))).isValid());
    QVERIFY(!browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("//host/share/x.png"))).isValid());
    QVERIFY(!browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("file:///dev/zero"))).isValid());
    QVERIFY(!browser.loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("p.png"))).isValid());

    browser.showFile(QStringLiteral("{A}.htm")); // a bare file name is looked up in the description store
    QVERIFY(browser.toPlainText().contains(QStringLiteral("纯棉连衣裙")));
    browser.showFile(QStringLiteral("/dev/zero")); // never a device
    QVERIFY(browser.toPlainText().isEmpty());
    browser.showFile(desc + QStringLiteral("/{A}.htm"));
    browser.showFile(QString());
    QVERIFY(browser.toPlainText().isEmpty());
}

QTEST_MAIN(TestItemGrid)
#include "tst_item_grid.moc"

// The main window over a home with the example shop files imported.
#include "app/category_tree.h"
#include "app/description_browser.h"
#include "app/item_grid_level.h"
#include "app/item_grid_model.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app_fixture.h"
#include "import/single_import.h"

#include <QAction>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

class TestExamplesWindow : public QObject
{
    Q_OBJECT

private:
    static qint64 import(StoreFixture &store, const QString &file, int format)
    {
        SingleImportOptions options;
        options.filePath = QStringLiteral(ROWSHIFT_EXAMPLES "/") + file;
        options.formatCode = format;
        options.importPictures = true;
        options.pictureDir = options.filePath.chopped(4);
        qint64 target = 0;
        QString error;
        if (!ImportOneFile(store.dm, store.home(), options, nullptr, target, error))
            qWarning("Import of %s failed: %s", qUtf8Printable(file), qUtf8Printable(error));
        return target;
    }

private slots:
    void importedExamplesShowBrowseTickAndDelete();
};

void TestExamplesWindow::importedExamplesShowBrowseTickAndDelete()
{
    StoreFixture store;
    const qint64 dress = import(store, QStringLiteral("taobao4/女装.csv"), 1);
    const qint64 digital = import(store, QStringLiteral("paipai/数码.csv"), 3);
    QVERIFY(dress > 0 && digital > 0);

    TDm dm;
    TMainFrm frm(dm, store.home());
    QVERIFY(frm.Initialize());
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    auto *tree = frm.findChild<QTreeWidget *>(QStringLiteral("tvwCat"));
    QCOMPARE(tree->topLevelItemCount(), 2);
    QVERIFY(tree->topLevelItem(0)->text(0).startsWith(QStringLiteral("女装 | ")));
    QCOMPARE(frm.SelectedCategory()->cID, dress);

    ItemGridLevel *base = frm.Level(1);
    QCOMPARE(frm.ActiveLevel(), base);
    QCOMPARE(base->model()->rowCount(), 3);
    auto *pane = frm.findChild<DescriptionBrowser *>(QStringLiteral("WebBrowser"));
    QVERIFY2(!pane->toPlainText().trimmed().isEmpty(), "the first item's description shows");
    const int picture = base->def().indexOf(QStringLiteral("图片1"));
    QVERIFY(base->model()->index(0, picture).data(Qt::ToolTipRole).toString().contains(QStringLiteral("<img")));

    // the Taobao rows exist already; the Paipai form is made on first use
    frm.command(QStringLiteral("actBrowseTB"))->trigger();
    QCOMPARE(frm.ActiveLevel()->model()->rowCount(), 3);
    QCOMPARE(store.count(QStringLiteral("PPData"), dress), 0);
    frm.command(QStringLiteral("actBrowsePP"))->trigger();
    QCOMPARE(store.count(QStringLiteral("PPData"), dress), 3);
    QCOMPARE(frm.ActiveLevel()->model()->rowCount(), 3);

    QVERIFY(FindCategoryNode(tree, digital));
    QCOMPARE(frm.ActiveLevel()->model()->rowCount(), 2); // the Paipai file's own rows
    frm.command(QStringLiteral("actBrowseTB"))->trigger();
    QCOMPARE(store.count(QStringLiteral("BabyData"), digital), 2);

    // tick everything in the Taobao view, then delete the first item
    frm.command(QStringLiteral("actSelectAll"))->trigger();
    frm.command(QStringLiteral("actCheck"))->trigger();
    for (const char *table : {"BaseData", "BabyData", "PPData"})
        QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from %1 where cID=? and 选择=-1").arg(QLatin1String(table)),
                                 {digital})
                     .toInt(),
                 2);
    frm.ActiveLevel()->setCurrentRow(0);
    MessageBoxes::Script script;
    script.answer(QMessageBox::Yes);
    frm.findChild<QAction *>(QStringLiteral("btnDelete"))->trigger();
    for (const char *table : {"BaseData", "BabyData", "PPData"})
        QCOMPARE(store.count(QString::fromLatin1(table), digital), 1);
    QCOMPARE(store.count(QStringLiteral("BaseData"), dress), 3);

    frm.command(QStringLiteral("actExit"))->trigger();
    QVERIFY(!frm.isVisible());
}

QTEST_MAIN(TestExamplesWindow)
#include "tst_examples_window.moc"

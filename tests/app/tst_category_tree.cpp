#include "app/category_tree.h"
#include "app_fixture.h"
#include "store/data_module.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QtTest>

class TestCategoryTree : public QObject
{
    Q_OBJECT

private:
    static QStringList texts(const QList<QTreeWidgetItem *> &nodes)
    {
        QStringList result;
        for (QTreeWidgetItem *node : nodes)
            result << node->text(0);
        return result;
    }
    static QStringList children(QTreeWidgetItem *node)
    {
        QList<QTreeWidgetItem *> nodes;
        for (int i = 0; i < node->childCount(); ++i)
            nodes << node->child(i);
        return texts(nodes);
    }
    static QStringList topLevel(QTreeWidget &tree)
    {
        QList<QTreeWidgetItem *> nodes;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            nodes << tree.topLevelItem(i);
        return texts(nodes);
    }

private slots:
    void treeHoldsVisibleCategoriesInIdOrder();
    void readinessFlagGuardsProgramSelections();
    void addRenameAndDisposeNodes();
    void comboListsVisibleCategories();
    void thousandCategoriesBuildAtOnce();
};

void TestCategoryTree::treeHoldsVisibleCategoriesInIdOrder()
{
    StoreFixture store;
    const qint64 a = store.category(QStringLiteral("A"));
    const qint64 hidden = store.category(QStringLiteral("H"), 0, false);
    store.category(QStringLiteral("under hidden"), hidden);
    const qint64 a1 = store.category(QStringLiteral("A1"), a);
    store.category(QStringLiteral("A2"), a);
    const qint64 a1a = store.category(QStringLiteral("A1a"), a1, true, QStringLiteral("/x/it's.csv"));
    store.category(QStringLiteral("C"));
    store.dm.exec(QStringLiteral("update Category set tID=null where cName='C'"));

    QTreeWidget tree;
    bool ready = true;
    QCOMPARE(FillCategoryTree(store.dm, &tree, ready), a);
    QVERIFY(ready);
    QCOMPARE(topLevel(tree), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
    QTreeWidgetItem *nodeA = tree.topLevelItem(0);
    QCOMPARE(children(nodeA), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    QTreeWidgetItem *nodeA1a = nodeA->child(0)->child(0);
    QCOMPARE(nodeA1a->text(0), QStringLiteral("A1a | /x/it's.csv"));
    const TCategory *record = CategoryOf(nodeA1a);
    QVERIFY(record);
    QCOMPARE(record->cID, a1a);
    QCOMPARE(record->cImPath, QStringLiteral("/x/it's.csv"));
    QCOMPARE(record->ancestors, (QVector<qint64>{0, a, a1}));
    QCOMPARE(record->tID, 1);
    QCOMPARE(CategoryOf(tree.topLevelItem(1))->tID, 0); // an empty view type reads as 0
    QVERIFY(nodeA->isExpanded() && nodeA->child(0)->isExpanded());
    QVERIFY(!CategoryNodeById(&tree, hidden));

    // an empty table gives an empty tree and no first root
    StoreFixture empty;
    QCOMPARE(FillCategoryTree(empty.dm, &tree, ready), 0);
    QCOMPARE(tree.topLevelItemCount(), 0);
}

void TestCategoryTree::readinessFlagGuardsProgramSelections()
{
    StoreFixture store;
    const qint64 a = store.category(QStringLiteral("A"));
    const qint64 b = store.category(QStringLiteral("B"));
    const qint64 b1 = store.category(QStringLiteral("B1"), b);
    QTreeWidget tree;
    bool ready = true;
    QList<bool> readyAtChange;
    connect(&tree, &QTreeWidget::currentItemChanged, this, [&] { readyAtChange << ready; });

    FillCategoryTree(store.dm, &tree, ready);
    readyAtChange.clear();
    SelectCategoryById(b1, &tree, ready);
    QCOMPARE(CategoryOf(tree.currentItem())->cID, b1);
    QCOMPARE(readyAtChange, QList<bool>{false});
    QVERIFY(ready);

    readyAtChange.clear();
    QVERIFY(FindCategoryNode(&tree, a));
    QCOMPARE(CategoryOf(tree.currentItem())->cID, a);
    QCOMPARE(readyAtChange, QList<bool>{true}); // this selection loads items
    QVERIFY(!FindCategoryNode(&tree, 999));
    QCOMPARE(CategoryOf(tree.currentItem())->cID, a);

    readyAtChange.clear();
    FillCategoryTree(store.dm, &tree, ready); // the rebuild's own selection changes load nothing
    EmptyCategoryTree(&tree, ready);
    QVERIFY(!readyAtChange.contains(true));
    QCOMPARE(tree.topLevelItemCount(), 0);
    QVERIFY(ready);
}

void TestCategoryTree::addRenameAndDisposeNodes()
{
    StoreFixture store;
    const qint64 imported = store.category(QStringLiteral("old"), 0, true, QStringLiteral("/shop/old.csv"));
    QTreeWidget tree;
    bool ready = true;
    FillCategoryTree(store.dm, &tree, ready);
    QTreeWidgetItem *root = tree.topLevelItem(0);
    tree.setCurrentItem(root);

    const qint64 top = AddCategoryNode(store.dm, QStringLiteral("top"), &tree, nullptr);
    const qint64 child = AddCategoryNode(store.dm, QStringLiteral("child"), &tree, root);
    QCOMPARE(topLevel(tree), (QStringList{QStringLiteral("old | /shop/old.csv"), QStringLiteral("top")}));
    QCOMPARE(children(root), QStringList{QStringLiteral("child")});
    QVERIFY(root->isExpanded());
    QCOMPARE(tree.currentItem(), root); // a new node is not selected
    CategoryRow row;
    QVERIFY(ReadCategory(store.dm, child, row));
    QCOMPARE(row.pID, imported);
    QCOMPARE(row.tID, 1);
    QCOMPARE(store.dm.scalar(QStringLiteral("select isVisible from Category where cID=?"), {top}).toInt(), -1);

    // renaming keeps the import path, so a later import of the same path still finds the category
    RenameCategoryNode(store.dm, imported, QStringLiteral("new"), &tree);
    QCOMPARE(root->text(0), QStringLiteral("new | /shop/old.csv"));
    QCOMPARE(CategoryOf(root)->cName, QStringLiteral("new"));
    QCOMPARE(FindCategoryByPath(store.dm, QStringLiteral("/shop/old.csv")), imported);
    QVERIFY(ReadCategory(store.dm, imported, row));
    QCOMPARE(row.cName, QStringLiteral("new"));

    AddCategoryNode(store.dm, QStringLiteral("grandchild"), &tree, root->child(0));
    DisposeChildNodes(root);
    QCOMPARE(root->childCount(), 0);
    QCOMPARE(topLevel(tree).size(), 2);
}

void TestCategoryTree::comboListsVisibleCategories()
{
    StoreFixture store;
    QComboBox combo;
    FillCategoryCombo(store.dm, &combo, true, false);
    QCOMPARE(combo.count(), 1);
    QCOMPARE(combo.itemText(0), QStringLiteral("全部分类"));
    QCOMPARE(ComboCategory(&combo, 0).cID, 0);

    const qint64 root = store.category(QStringLiteral("R"), 0, true, QStringLiteral("/a/R.csv"));
    const qint64 hidden = store.category(QStringLiteral("H"), 0, false);
    const qint64 underHidden = store.category(QStringLiteral("V"), hidden);
    combo.clear();
    FillCategoryCombo(store.dm, &combo, false, false);
    QCOMPARE(combo.count(), 2); // a visible category below a hidden one is listed: the list is no tree
    QCOMPARE(combo.itemText(0), QStringLiteral("R | /a/R.csv"));
    const TObjCat first = ComboCategory(&combo, 0);
    QCOMPARE(first.cID, root);
    QCOMPARE(first.cImPath, QStringLiteral("/a/R.csv"));
    QCOMPARE(ComboCategory(&combo, 1).cID, underHidden);

    FillCategoryCombo(store.dm, &combo, true, true); // appended after the existing entries
    QCOMPARE(combo.count(), 4);
    QCOMPARE(ComboCategory(&combo, 2).cID, root);
    QCOMPARE(combo.itemText(3), QStringLiteral("全部分类"));
    QCOMPARE(ComboCategory(&combo, 9).cID, 0);
}

void TestCategoryTree::thousandCategoriesBuildAtOnce()
{
    StoreFixture store;
    store.dm.beginWork();
    for (int r = 0; r < 10; ++r) {
        const qint64 root = store.category(QStringLiteral("root %1").arg(r));
        for (int c = 0; c < 9; ++c) {
            const qint64 child = store.category(QStringLiteral("child %1.%2").arg(r).arg(c), root);
            for (int g = 0; g < 10; ++g)
                store.category(QStringLiteral("leaf %1.%2.%3").arg(r).arg(c).arg(g), child);
        }
    }
    QVERIFY(store.dm.commitWork());
    QTreeWidget tree;
    bool ready = true;
    QElapsedTimer timer;
    timer.start();
    FillCategoryTree(store.dm, &tree, ready);
    qInfo("1000 categories: tree built in %lld ms", timer.elapsed());
    int nodes = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        ++nodes;
    QCOMPARE(nodes, 1000);
}

QTEST_MAIN(TestCategoryTree)
#include "tst_category_tree.moc"

#include "app/TEditCatFrm.h"
#include "app/category_tree.h"
#include "app/description_browser.h"
#include "app/group_by_box.h"
#include "app/help_links.h"
#include "app/item_grid_level.h"
#include "app/item_grid_model.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/program_entry.h"
#include "app_fixture.h"
#include "base/ansi_text.h"
#include "store/category_store.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A main window over a store; the window opens its own connection.
class Window
{
public:
    explicit Window(const Home &home, std::unique_ptr<Settings> settings = nullptr)
        : frm(dm, home, std::move(settings))
    {
    }
    TDm dm;
    TMainFrm frm;

    bool start()
    {
        if (!frm.Initialize())
            return false;
        frm.show();
        return QTest::qWaitForWindowExposed(&frm);
    }
    QAction *action(const char *name) const { return frm.findChild<QAction *>(QString::fromLatin1(name)); }
    void trigger(const char *name) const
    {
        QAction *a = action(name);
        QVERIFY2(a, name);
        a->trigger();
    }
    QTreeWidget *tree() const { return frm.findChild<QTreeWidget *>(QStringLiteral("tvwCat")); }
    ItemGridLevel *level(const char *name) const { return frm.findChild<ItemGridLevel *>(QString::fromLatin1(name)); }
    ItemGridLevel *active() const { return frm.ActiveLevel(); }
    void selectCategory(qint64 cID) const { QVERIFY(FindCategoryNode(tree(), cID)); }
    // Selects rows of the active view, as a user does with the pointer.
    void selectRows(const QList<int> &rows) const
    {
        QTableView *view = active()->view();
        view->clearSelection();
        for (int row : rows)
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList shownNames() const
    {
        QStringList names;
        const ItemGridLevel *l = active();
        const int column = l->def().indexOf(l->def().nameColumn);
        for (int r = 0; r < l->model()->rowCount(); ++r)
            names << l->model()->index(r, column).data().toString();
        return names;
    }
};

QStringList entries(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *a : actions)
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

// A settings folder whose list file AddressList.txt exists but cannot be read.
class UnreadableListSettings : public Settings
{
public:
    using Settings::Settings;

protected:
    bool openForReading(QFile &file) override
    {
        if (file.fileName().endsWith(QStringLiteral("AddressList.txt")))
            return false;
        return Settings::openForReading(file);
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startsOnAnEmptyHome();
    void storeFailuresEndStartup_data();
    void storeFailuresEndStartup();
    void unreadableListFileEndsStartup();
    void creationFailuresOfferHelp();
    void unreadableTreeLeavesWindowOpen();
    void frameHoldsMenusBarsAndPanes();
    void sharedKeysGoToTheActingCommand_data();
    void sharedKeysGoToTheActingCommand();
    void commandKeyWinsOverMenuMnemonic();
    void showsTreeAndFirstRootCategory();
    void tickCommandsReachEveryForm();
    void failedLinkChangesNoForm();
    void largeSelectionReachesEveryForm();
    void deleteRemovesEveryForm();
    void commandsActOnTheShownTable();
    void browseConvertsOnce();
    void addCategories();
    void renameAndCopyCategories();
    void deleteAndClearCategories();
    void droppedHeaderGroupsTheActiveView();
    void helpCommandsOpenPages();
    void minimiseRestoreAndClose();
};

void TestMainWindow::startsOnAnEmptyHome()
{
    TempHome home;
    MessageBoxes::Script script;
    Window w(home.home());
    QVERIFY(w.start());
    QVERIFY(script.shown().isEmpty());
    QVERIFY(QFile::exists(home.home().databasePath()));
    QStringList expected;
    QVector<bool> present;
    QString error;
    QVERIFY(ExpectedTables(expected, error) && FindTables(w.dm, expected, present, error));
    QCOMPARE(present, QVector<bool>(9, true));
    QCOMPARE(w.tree()->topLevelItemCount(), 0);
    QVERIFY(!w.level("cxgrdlvl_Base")->model()->isOpen()); // no item query is opened
    QCOMPARE(w.frm.windowTitle(), QStringLiteral("岚石通 V2.01"));
    QCOMPARE(w.frm.size(), QSize(1000, 700));
    QVERIFY(w.frm.findChild<QLabel *>(QStringLiteral("StatusPanel2"))->text().startsWith(QStringLiteral("登陆时间：")));
    // the commands that need a category do nothing without one
    w.trigger("ActCatEdit");
    w.trigger("actBrowseTB");
    w.trigger("actCanAllCheck");
    QCOMPARE(script.unhandledDialogs(), 0);
    QCOMPARE(w.active(), w.level("cxgrdlvl_Base"));
}

void TestMainWindow::storeFailuresEndStartup_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("yes");
    QTest::newRow("damaged database") << "junk" << QStringLiteral("打开数据库失败，错误信息：") << true;
    QTest::newRow("database is a folder") << "folder" << QStringLiteral("打开数据库失败，错误信息：") << false;
    QTest::newRow("home under a file") << "home under file" << QStringLiteral("创建数据库失败，错误信息：") << true;
}

void TestMainWindow::storeFailuresEndStartup()
{
    QFETCH(QString, damage);
    QFETCH(QString, title);
    QFETCH(bool, yes);
    TempHome temp;
    Home home = temp.home();
    if (damage == QLatin1String("junk"))
        QVERIFY(TestFiles::write(home.databasePath(), QByteArray(4096, 'x')));
    else if (damage == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(home.databasePath()));
    else {
        QVERIFY(TestFiles::write(temp.path(QStringLiteral("file")), "x"));
        home = Home(temp.path(QStringLiteral("file/home")));
    }
    PageRecorder pages;
    MessageBoxes::Script script;
    script.answer(yes ? QMessageBox::Yes : QMessageBox::No);
    Window w(home);
    QVERIFY(!w.frm.Initialize());
    QVERIFY(!w.frm.isVisible());
    QCOMPARE(script.shown().size(), 1);
    const MessageBoxes::Shown &shown = script.shown().first();
    QCOMPARE(shown.caption, TMainFrm::Caption());
    QCOMPARE(shown.icon, QMessageBox::Question);
    QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(shown.text.startsWith(title + QStringLiteral("\r\n")), qPrintable(shown.text));
    QVERIFY(shown.text.endsWith(ContactBlock()));
    QCOMPARE(pages.pages, yes ? QList<QUrl>{QUrl(QStringLiteral("https://rowshift.example.org/help/Grabnest/help/UnRegisterOLEDB.asp"))}
                              : QList<QUrl>{});
}

void TestMainWindow::unreadableListFileEndsStartup()
{
    TempHome home;
    QVERIFY(TestFiles::write(home.home().settingsDir() + QStringLiteral("/AddressList.txt"), "北京\r\n"));
    MessageBoxes::Script script;
    Window w(home.home(), std::make_unique<UnreadableListSettings>(home.home().settingsDir()));
    QVERIFY(!w.frm.Initialize());
    QVERIFY(!w.frm.isVisible());
    QCOMPARE(script.shown().size(), 1);
    QCOMPARE(script.shown().first().icon, QMessageBox::Critical);
    QCOMPARE(script.shown().first().text,
             QStringLiteral("初始化参数失败，请重新打开软件，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock());

    // the same folder read normally starts
    MessageBoxes::Script quiet;
    Window readable(home.home());
    QVERIFY(readable.frm.Initialize());
    QCOMPARE(readable.frm.settings().list(QStringLiteral("AddressList.txt")), QStringList{QStringLiteral("北京")});
}

void TestMainWindow::creationFailuresOfferHelp()
{
    PageRecorder pages;
    MessageBoxes::Script script;
    script.answer(QMessageBox::Yes);
    ReportCreationFailure({QStringLiteral("Error creating object"), true});
    ReportCreationFailure({QStringLiteral("out of memory"), false});
    QCOMPARE(script.shown().size(), 2);
    QCOMPARE(script.shown()[0].caption, QStringLiteral("岚石通"));
    QCOMPARE(script.shown()[0].text,
             QuestionErrorText(QStringLiteral("创建主程序窗口失败，软件运行所需的数据库驱动安装错误，错误信息："),
                               QStringLiteral("Error creating object")));
    QCOMPARE(script.shown()[1].icon, QMessageBox::Information);
    QCOMPARE(script.shown()[1].text,
             NoticeErrorText(QStringLiteral("创建主程序窗口失败，错误信息："), QStringLiteral("out of memory")));
    QCOMPARE(pages.pages, QList<QUrl>{QUrl(QStringLiteral("https://rowshift.example.org/help/Grabnest/help/MDACError.asp"))});
}

void TestMainWindow::unreadableTreeLeavesWindowOpen()
{
    StoreFixture store;
    store.dm.exec(QStringLiteral("drop table Category"));
    store.dm.exec(QStringLiteral("create table Category(cID integer primary key, cName text)")); // no isVisible
    MessageBoxes::Script script;
    Window w(store.home());
    QVERIFY(w.start());
    QCOMPARE(script.shown().size(), 1);
    QCOMPARE(script.shown().first().icon, QMessageBox::Information);
    QVERIFY(script.shown().first().text.startsWith(QStringLiteral("打开界面数据失败，原因：")));
    QCOMPARE(w.tree()->topLevelItemCount(), 0);
    QVERIFY(w.frm.isVisible());
}

void TestMainWindow::frameHoldsMenusBarsAndPanes()
{
    StoreFixture store;
    Window w(store.home());
    QVERIFY(w.start());
    QStringList titles;
    for (QAction *title : w.frm.menuBar()->actions())
        if (title->isVisible())
            titles << title->text();
    QCOMPARE(titles, (QStringList{QStringLiteral("系统(&S)"), QStringLiteral("操作(&O)"), QStringLiteral("编辑(&E)"),
                                  QStringLiteral("视图(&V)"), QStringLiteral("帮助(&H)")}));
    QCOMPARE(entries(w.action("actRedact")->menu()->actions()),
             (QStringList{QStringLiteral("全选(&A)"), QStringLiteral("-"), QStringLiteral("勾选(&O)"),
                          QStringLiteral("取消勾选(&U)"), QStringLiteral("反向勾选(&U)"), QStringLiteral("取消所有勾选(&I)")}));
    QCOMPARE(entries(w.action("actMenuHelp")->menu()->actions()),
             (QStringList{QStringLiteral("使用帮助(&H)"), QStringLiteral("软件升级(&C)"), QStringLiteral("-"),
                          QStringLiteral("访问岚石网站"), QStringLiteral("-"), QStringLiteral("关于(&A)...")}));
    QVERIFY(!w.action("actImportYA")->isEnabled());
    QVERIFY(!w.action("actBrowseYA")->isEnabled());
    QVERIFY(!w.frm.findChild<QAction *>(QStringLiteral("btnImportYA"))->isEnabled());
    QCOMPARE(w.action("actTool")->menu()->actions(), QList<QAction *>{w.action("ActOption")});

    const auto barTexts = [&](const char *name) {
        QStringList texts;
        for (QAction *a : w.frm.findChild<QToolBar *>(QString::fromLatin1(name))->actions()) {
            QWidget *widget = w.frm.findChild<QToolBar *>(QString::fromLatin1(name))->widgetForAction(a);
            const auto *label = qobject_cast<QLabel *>(widget);
            texts << (label ? label->text() : a->text());
        }
        return texts;
    };
    QCOMPARE(barTexts("Standard"), (QStringList{QStringLiteral("导入文件"), QStringLiteral("淘宝助理"),
                                                QStringLiteral("拍拍助理"), QStringLiteral("有啊助理")}));
    QCOMPARE(barTexts("Other"),
             (QStringList{QStringLiteral("&D导出数据"), QStringLiteral("&R刷新数据"), QStringLiteral("&D删除")}));
    QCOMPARE(barTexts("Browse"), (QStringList{QStringLiteral("浏览数据"), QStringLiteral("淘宝(&L)"), QStringLiteral("拍拍(&R)"),
                                              QStringLiteral("有啊(&Y)"), QStringLiteral("通用(&U)")}));
    QCOMPARE(barTexts("System"), (QStringList{QStringLiteral("&M最小化"), QStringLiteral("&X退出")}));
    const QStringList categoryCommands{QStringLiteral("添加(&A)"), QStringLiteral("修改(&E)"), QStringLiteral("添加子分类(&Z)"),
                                       QStringLiteral("复制(&C)"), QStringLiteral("删除(&D)"), QStringLiteral("清空数据(&Q)")};
    QStringList categoryButtons;
    for (QToolButton *button : w.frm.findChild<QWidget *>(QStringLiteral("CategoryBar"))->findChildren<QToolButton *>())
        categoryButtons << button->defaultAction()->text();
    QCOMPARE(categoryButtons, categoryCommands);
    QCOMPARE(entries(w.frm.findChild<QMenu *>(QStringLiteral("pmCat"))->actions()), categoryCommands);
    QCOMPARE(entries(w.frm.findChild<QMenu *>(QStringLiteral("pmGrid"))->actions()),
             (QStringList{QStringLiteral("全选(&A)"), QStringLiteral("-"), QStringLiteral("勾选(&O)"), QStringLiteral("反向勾选(&U)"),
                          QStringLiteral("取消勾选(&U)"), QStringLiteral("取消所有勾选(&I)")}));
    QCOMPARE(w.action("actCatAdd")->toolTip(), QStringLiteral("添加分类"));

    auto *grid = w.frm.findChild<QStackedWidget *>(QStringLiteral("cxGrid"));
    QVERIFY(grid);
    for (const char *view : {"cxgrdbtblvw_Base", "cxgrdbtblvw_Baby", "cxgrdbtblvw_PP", "cxgrdbtblvw_YA"})
        QVERIFY2(grid->findChild<QTableView *>(QString::fromLatin1(view)), view);
    QCOMPARE(grid->currentWidget()->objectName(), QStringLiteral("cxgrdlvl_Base"));
    QVERIFY(w.frm.findChild<DescriptionBrowser *>(QStringLiteral("WebBrowser")));
    QCOMPARE(w.frm.findChild<QLabel *>(QStringLiteral("GroupByHint"))->text(), QStringLiteral("拖动某个列标题到此处即可按该列分组"));
    QCOMPARE(w.tree()->indentation(), 27);
    QCOMPARE(w.frm.findChild<QLabel *>(QStringLiteral("StatusPanel1"))->width(), 400);
    QCOMPARE(w.frm.findChild<QLabel *>(QStringLiteral("StatusPanel2"))->width(), 195);
}

void TestMainWindow::sharedKeysGoToTheActingCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    const auto row = [](const char *command, const char *caption, const char *key) {
        QTest::newRow(command) << QString::fromLatin1(command) << QString::fromUtf8(caption) << QString::fromLatin1(key);
    };
    row("actSelectAll", "全选(&A)", "Ctrl+A");
    row("actWinSelAll", "全选(&A)", "");
    row("actImportTB", "导入淘宝CSV文件(&B)", "Ctrl+B");
    row("ActDbBak", "备份数据库(&B)", "");
    row("ActSetDb", "数据库配置(&S)", "Ctrl+S");
    row("actImportYA", "导入有啊CSV文件(&Y)", "");
    row("actCheck", "勾选(&O)", "Ctrl+O");
    row("ActOption", "选项(&O)", "");
    row("actBrowseTB", "浏览淘宝数据(&L)", "Ctrl+L");
    row("actClearDIM", "清空信息(&L)", "");
    row("actBrowsePP", "浏览拍拍数据(&R)", "Ctrl+R");
    row("ActSysExit", "退出(&X)", "Ctrl+X");
    row("actWinCut", "剪切(&X)", "");
    row("actCanCheck", "取消勾选(&U)", "Ctrl+U");
    row("actBrowseBase", "浏览通用数据格式(&U)", "");
    row("actRevCheck", "反向勾选(&U)", "Space");
    row("actCheckDelete", "删除勾选的数据(&K)", "Ctrl+K");
    row("ActCatEdit", "修改(&E)", "Alt+E");
    row("actImportES", "导入EcShop数据文件(&E)", "Ctrl+E");
    row("actExportDIM", "导出信息(&E)", "");
}

void TestMainWindow::sharedKeysGoToTheActingCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, caption);
    QFETCH(QString, key);
    TempHome home;
    TDm dm;
    TMainFrm frm(dm, home.home());
    QAction *action = frm.findChild<QAction *>(command);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), QKeySequence(key));
}

void TestMainWindow::commandKeyWinsOverMenuMnemonic()
{
    StoreFixture store;
    store.category(QStringLiteral("A"));
    MessageBoxes::Script script;
    QString caption;
    script.onDialog([&](QDialog &dialog) { caption = dialog.windowTitle(); });
    Window w(store.home());
    QVERIFY(w.start());
    w.frm.activateWindow();
    w.tree()->setFocus();
    QTest::keyClick(w.tree(), Qt::Key_E, Qt::AltModifier);
    QCOMPARE(caption, QStringLiteral("修改数据分类"));
    QVERIFY(!w.action("actRedact")->menu()->isVisible());
}

void TestMainWindow::showsTreeAndFirstRootCategory()
{
    StoreFixture store;
    const qint64 first = store.category(QStringLiteral("女装"), 0, true, QStringLiteral("/shop/女装.csv"));
    const qint64 hidden = store.category(QStringLiteral("half import"), 0, false);
    store.category(QStringLiteral("below hidden"), hidden);
    const qint64 child = store.category(QStringLiteral("裙子"), first);
    store.category(QStringLiteral("男鞋"));
    store.item(child, QStringLiteral("child item"));
    QVERIFY(QDir().mkpath(store.home().descDir()));
    const QString desc = store.home().descDir() + QStringLiteral("/{D}.htm");
    QVERIFY(AnsiText::writeFile(desc, QStringLiteral("<p>描述一</p>")));
    const qint64 a = store.item(first, QStringLiteral("连衣裙"));
    store.item(first, QStringLiteral("半身裙"));
    store.dm.exec(QStringLiteral("update BaseData set 商品描述=? where bID=?"), {desc, a});

    Window w(store.home());
    QVERIFY(w.start());
    QCOMPARE(w.tree()->topLevelItemCount(), 2);
    QCOMPARE(w.tree()->topLevelItem(0)->text(0), QStringLiteral("女装 | /shop/女装.csv"));
    QCOMPARE(w.tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("裙子"));
    QCOMPARE(w.frm.SelectedCategory()->cID, first);
    QCOMPARE(w.shownNames(), (QStringList{QStringLiteral("连衣裙"), QStringLiteral("半身裙")}));
    QCOMPARE(w.active()->footer()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("2"));
    auto *pane = w.frm.findChild<DescriptionBrowser *>(QStringLiteral("WebBrowser"));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("描述一")));
    w.active()->setCurrentRow(1);
    QVERIFY(pane->toPlainText().isEmpty()); // the second item has no description file

    w.tree()->setCurrentItem(w.tree()->topLevelItem(0)->child(0));
    QCOMPARE(w.shownNames(), QStringList{QStringLiteral("child item")});
    // the refresh re-reads the database and stays on the current row
    store.item(child, QStringLiteral("new item"));
    w.active()->setCurrentRow(0);
    w.trigger("actRefreshData");
    QCOMPARE(w.shownNames(), (QStringList{QStringLiteral("child item"), QStringLiteral("new item")}));
    QCOMPARE(w.active()->currentRow(), 0);
}

void TestMainWindow::tickCommandsReachEveryForm()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 child = store.category(QStringLiteral("child"), c);
    QVector<qint64> ids;
    for (int i = 0; i < 3; ++i)
        ids << store.item(c, QStringLiteral("item %1").arg(i), true, true);
    const qint64 childItem = store.item(child, QStringLiteral("child item"), true, true);
    store.dm.exec(QStringLiteral("update BaseData set 选择=-1 where bID=?"), {childItem});
    const QStringList tables{QStringLiteral("BaseData"), QStringLiteral("BabyData"), QStringLiteral("PPData")};
    const auto ticks = [&](qint64 bID) {
        QList<int> values;
        for (const QString &table : tables)
            values << store.tick(table, bID);
        return values;
    };
    const QList<int> ticked{-1, -1, -1};
    const QList<int> unticked{0, 0, 0};

    Window w(store.home());
    QVERIFY(w.start());
    w.selectRows({0, 2});
    w.trigger("actCheck");
    QCOMPARE(ticks(ids[0]), ticked);
    QCOMPARE(ticks(ids[1]), unticked);
    QCOMPARE(ticks(ids[2]), ticked);
    w.trigger("actCheck"); // ticking twice leaves every form ticked
    QCOMPARE(ticks(ids[0]), ticked);
    QCOMPARE(w.active()->selectedRows().size(), 2);

    w.selectRows({1, 2});
    w.trigger("actRevCheck");
    QCOMPARE(ticks(ids[1]), ticked);
    QCOMPARE(ticks(ids[2]), unticked);
    w.trigger("actRevCheck"); // reversing twice restores every form
    QCOMPARE(ticks(ids[1]), unticked);
    QCOMPARE(ticks(ids[2]), ticked);
    QCOMPARE(w.active()->model()->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

    w.trigger("actCanCheck");
    QCOMPARE(ticks(ids[2]), unticked);
    QCOMPARE(ticks(ids[0]), ticked);

    w.trigger("actSelectAll");
    QCOMPARE(w.active()->selectedRows().size(), 3);
    w.trigger("actCheck");
    w.trigger("actCanAllCheck");
    for (qint64 id : ids)
        QCOMPARE(ticks(id), unticked);
    QCOMPARE(ticks(childItem), (QList<int>{-1, 0, 0})); // the child category keeps its ticks

    // a row without bID has no other forms: the rest are still linked
    const qint64 loose = store.babyRow(c, QVariant(), QStringLiteral("loose"));
    w.trigger("actBrowseTB");
    QCOMPARE(w.shownNames().size(), 3); // no conversion: the view shows what its query read last
    w.trigger("actRefreshData");
    QCOMPARE(w.shownNames().size(), 4);
    w.trigger("actSelectAll");
    w.trigger("actCheck");
    QCOMPARE(store.dm.scalar(QStringLiteral("select 选择 from BabyData where ID=?"), {loose}).toInt(), -1);
    for (qint64 id : ids)
        QCOMPARE(ticks(id), ticked);

    // with no row selected nothing changes
    w.active()->view()->clearSelection();
    w.trigger("actCanCheck");
    QCOMPARE(ticks(ids[0]), ticked);
}

void TestMainWindow::failedLinkChangesNoForm()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 id = store.item(c, QStringLiteral("x"), true, true);
    store.dm.exec(QStringLiteral("create trigger refuse before update on PPData begin select raise(abort, 'locked'); end"));
    Window w(store.home());
    QVERIFY(w.start());
    MessageBoxes::Script script;
    w.selectRows({0});
    w.trigger("actCheck");
    // the item keeps one tick in all its forms; the reason is kept, not shown
    QCOMPARE(store.tick(QStringLiteral("BaseData"), id), 0);
    QCOMPARE(store.tick(QStringLiteral("BabyData"), id), 0);
    QVERIFY(w.frm.LastError().contains(QStringLiteral("locked")));
    QVERIFY(script.shown().isEmpty());
    QCOMPARE(w.active()->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

void TestMainWindow::largeSelectionReachesEveryForm()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("big"));
    constexpr int Items = 25000; // more than one linked statement's worth
    store.dm.beginWork();
    {
        QSqlQuery insert(store.dm.Adc());
        insert.prepare(QStringLiteral("insert into BaseData(商品名称,cID) values(?,?)"));
        for (int i = 0; i < Items; ++i) {
            insert.addBindValue(QStringLiteral("item %1").arg(i));
            insert.addBindValue(c);
            QVERIFY(insert.exec());
        }
    }
    store.dm.exec(QStringLiteral("insert into BabyData(宝贝名称,cID,bID) select 商品名称,cID,bID from BaseData"));
    store.dm.exec(QStringLiteral("insert into PPData(商品名称,cID,bID) select 商品名称,cID,bID from BaseData"));
    QVERIFY(store.dm.commitWork());
    Window w(store.home());
    QVERIFY(w.start());
    w.trigger("actSelectAll");
    w.trigger("actCheck");
    for (const char *table : {"BaseData", "BabyData", "PPData"})
        QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from %1 where 选择=-1").arg(QLatin1String(table))).toInt(),
                 Items);
    MessageBoxes::Script script;
    script.answer(QMessageBox::Yes);
    w.frm.findChild<QAction *>(QStringLiteral("btnDelete"))->trigger();
    for (const char *table : {"BaseData", "BabyData", "PPData"})
        QCOMPARE(store.count(QString::fromLatin1(table), c), 0);
    QVERIFY(w.frm.LastError().isEmpty());
}

void TestMainWindow::deleteRemovesEveryForm()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    QVector<qint64> ids;
    for (int i = 0; i < 3; ++i)
        ids << store.item(c, QStringLiteral("item %1").arg(i), true, true);
    Window w(store.home());
    QVERIFY(w.start());
    w.trigger("actBrowseTB");
    QCOMPARE(w.active(), w.level("cxgrdlvl_Baby"));
    QCOMPARE(w.shownNames().size(), 3);
    auto *deleteRows = w.frm.findChild<QAction *>(QStringLiteral("btnDelete"));

    MessageBoxes::Script script;
    w.selectRows({1});
    script.answer(QMessageBox::No);
    deleteRows->trigger();
    QCOMPARE(script.shown().size(), 1);
    QCOMPARE(script.shown().first().text, QStringLiteral("您确定要删除选中的数据吗？"));
    QCOMPARE(script.shown().first().icon, QMessageBox::Information);
    QCOMPARE(store.count(QStringLiteral("BabyData"), c), 3);

    script.answer(QMessageBox::Yes);
    deleteRows->trigger();
    for (const char *table : {"BaseData", "BabyData", "PPData"})
        QCOMPARE(store.count(QString::fromLatin1(table), c), 2);
    QCOMPARE(store.tick(QStringLiteral("BaseData"), ids[1]), -2);
    QCOMPARE(w.shownNames(), (QStringList{QStringLiteral("item 0"), QStringLiteral("item 2")}));
    w.trigger("actBrowseBase");
    QCOMPARE(w.shownNames(), (QStringList{QStringLiteral("item 0"), QStringLiteral("item 2")}));

    // without a selected row the question is still asked, and nothing is deleted
    w.active()->view()->clearSelection();
    script.answer(QMessageBox::Yes);
    deleteRows->trigger();
    QCOMPARE(script.shown().size(), 3);
    QCOMPARE(store.count(QStringLiteral("BaseData"), c), 2);
}

void TestMainWindow::commandsActOnTheShownTable()
{
    // After browsing one category as Taobao items, another category (view type 1) is shown
    // in the Taobao view: deleting there removes the item from every table, the generic one too.
    StoreFixture store;
    const qint64 a = store.category(QStringLiteral("a"));
    const qint64 b = store.category(QStringLiteral("b"));
    store.item(a, QStringLiteral("a item"), true, true);
    const qint64 bItem = store.item(b, QStringLiteral("b item"), true, true);
    Window w(store.home());
    QVERIFY(w.start());
    w.trigger("actBrowseTB");
    w.selectCategory(b);
    QCOMPARE(w.frm.SelectedCategory()->tID, 1);
    QCOMPARE(w.shownNames(), QStringList{QStringLiteral("b item")});
    MessageBoxes::Script script;
    script.answer(QMessageBox::Yes);
    w.selectRows({0});
    w.frm.findChild<QAction *>(QStringLiteral("btnDelete"))->trigger();
    for (const char *table : {"BaseData", "BabyData", "PPData"})
        QCOMPARE(store.count(QString::fromLatin1(table), b), 0);
    QCOMPARE(store.tick(QStringLiteral("BaseData"), bItem), -2);
    QCOMPARE(store.count(QStringLiteral("BaseData"), a), 1);
}

void TestMainWindow::browseConvertsOnce()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    const qint64 empty = store.category(QStringLiteral("empty"));
    store.item(c, QStringLiteral("one"));
    store.item(c, QStringLiteral("two"));
    QVERIFY(QDir().mkpath(store.home().descDir()));
    const QString desc = store.home().descDir() + QStringLiteral("/{T}.htm");
    QVERIFY(AnsiText::writeFile(desc, QStringLiteral("<p>淘宝描述</p>")));
    store.dm.exec(QStringLiteral("update BaseData set 商品描述=?"), {desc});

    Window w(store.home());
    QVERIFY(w.start());
    auto *pane = w.frm.findChild<DescriptionBrowser *>(QStringLiteral("WebBrowser"));
    w.trigger("actBrowseTB");
    QCOMPARE(w.active(), w.level("cxgrdlvl_Baby"));
    QCOMPARE(w.frm.SelectedCategory()->tID, 2);
    QCOMPARE(store.count(QStringLiteral("BabyData"), c), 2);
    QCOMPARE(w.shownNames(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("淘宝描述")));
    // the native rows carry their item's bID
    QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from BabyData b join BaseData g on g.bID=b.bID")).toInt(), 2);

    // later generic rows do not reach a category already shown as Taobao items
    store.item(c, QStringLiteral("three"));
    w.trigger("actBrowseBase");
    QCOMPARE(w.shownNames().size(), 2); // the grid shows what the queries read last
    w.trigger("actRefreshData");
    QCOMPARE(w.shownNames().size(), 3);
    w.trigger("actBrowseTB");
    QCOMPARE(store.count(QStringLiteral("BabyData"), c), 2);

    w.trigger("actBrowsePP");
    QCOMPARE(w.active(), w.level("cxgrdlvl_PP"));
    QCOMPARE(store.count(QStringLiteral("PPData"), c), 3);
    QCOMPARE(w.shownNames().size(), 3);

    // an empty category converts nothing; once it has generic rows, the next browse converts them
    w.selectCategory(empty);
    QCOMPARE(w.active(), w.level("cxgrdlvl_PP")); // the active view belongs to the window
    w.trigger("actBrowseTB");
    QCOMPARE(w.shownNames(), QStringList());
    store.item(empty, QStringLiteral("late"));
    w.trigger("actBrowseTB");
    QCOMPARE(w.shownNames(), QStringList{QStringLiteral("late")});
}

void TestMainWindow::addCategories()
{
    StoreFixture store;
    const qint64 top = store.category(QStringLiteral("top"));
    const qint64 second = store.category(QStringLiteral("second"), top);
    const qint64 third = store.category(QStringLiteral("third"), second);
    Window w(store.home());
    QVERIFY(w.start());
    MessageBoxes::Script script;
    const auto name = [](const QString &text) {
        return [text](QDialog &dialog) {
            auto &form = static_cast<TEditCatFrm &>(dialog);
            form.edtName->setText(text);
            form.btnOK->click();
        };
    };

    // with a second-level category selected, a new category joins it under the same parent
    w.selectCategory(second);
    script.onDialog(name(QStringLiteral("  sibling  ")));
    w.trigger("actCatAdd");
    QTreeWidgetItem *topNode = w.tree()->topLevelItem(0);
    QCOMPARE(topNode->childCount(), 2);
    QCOMPARE(topNode->child(1)->text(0), QStringLiteral("sibling"));
    QCOMPARE(CategoryOf(w.tree()->currentItem())->cID, second); // the new node is not selected

    // with a top-level category selected, it goes to the end of the top level
    w.selectCategory(top);
    script.onDialog(name(QStringLiteral("another top")));
    w.trigger("actCatAdd");
    QCOMPARE(w.tree()->topLevelItem(1)->text(0), QStringLiteral("another top"));

    // a name of blanks is refused and the dialog stays open until a name is given
    QString firstCaption;
    bool acceptedBlank = true;
    script.onDialog([&](QDialog &dialog) {
        auto &form = static_cast<TEditCatFrm &>(dialog);
        firstCaption = form.windowTitle();
        form.edtName->setText(QStringLiteral("   "));
        form.btnOK->click();
        acceptedBlank = form.result() == QDialog::Accepted;
        form.edtName->setText(QStringLiteral("child of second"));
        form.btnOK->click();
    });
    script.clear();
    w.selectCategory(second);
    w.trigger("ActCatChild");
    QVERIFY(!acceptedBlank);
    QCOMPARE(firstCaption, QStringLiteral("添加子分类"));
    QCOMPARE(script.texts(), QStringList{QStringLiteral("分类名称不能为空...")});
    QCOMPARE(w.frm.SelectedCategory()->cID, second);
    QCOMPARE(w.tree()->currentItem()->childCount(), 2);
    QVERIFY(w.tree()->currentItem()->isExpanded());

    // three levels at most
    script.clear();
    w.selectCategory(third);
    w.trigger("ActCatChild");
    QCOMPARE(script.texts(), QStringList{QStringLiteral("很抱歉，只能添加两层子分类！")});
    QCOMPARE(script.unhandledDialogs(), 0);

    // cancelling adds nothing
    script.onDialog([](QDialog &dialog) { static_cast<TEditCatFrm &>(dialog).btnCancel->click(); });
    w.trigger("actCatAdd");
    const qint64 rows = store.dm.scalar(QStringLiteral("select count(*) from Category")).toLongLong();
    QCOMPARE(rows, 6);
    QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from Category where cName='sibling' and pID=? and isVisible=-1 "
                                            "and tID=1 and cImPath=''"),
                             {top})
                 .toInt(),
             1);

    // a failing store shows the command's error title and leaves the tree as it was
    store.dm.exec(QStringLiteral("create trigger refuse before insert on Category begin select raise(abort, 'disk full'); end"));
    script.clear();
    script.onDialog(name(QStringLiteral("never")));
    w.trigger("actCatAdd");
    w.trigger("ActCatCopy");
    QCOMPARE(script.texts().size(), 2);
    QVERIFY(script.texts()[0].startsWith(QStringLiteral("添加数据分类失败，原因：")));
    QVERIFY(script.texts()[1].startsWith(QStringLiteral("复制数据分类失败，原因：")));
    QVERIFY(script.texts()[1].endsWith(QStringLiteral("disk full")));
    QCOMPARE(script.shown().first().icon, QMessageBox::Information);
    QCOMPARE(w.tree()->topLevelItemCount(), 2);
    QCOMPARE(w.tree()->currentItem()->childCount(), 0);
}

void TestMainWindow::renameAndCopyCategories()
{
    StoreFixture store;
    const qint64 imported = store.category(QStringLiteral("女装"), 0, true, QStringLiteral("/shop/女装.csv"));
    store.category(QStringLiteral("child"), imported);
    store.item(imported, QStringLiteral("x"), true, false);
    Window w(store.home());
    QVERIFY(w.start());
    MessageBoxes::Script script;
    QString shownPath;
    script.onDialog([&](QDialog &dialog) {
        auto &form = static_cast<TEditCatFrm &>(dialog);
        shownPath = form.edtUrl->text();
        QVERIFY(form.edtUrl->isReadOnly());
        QCOMPARE(form.edtName->text(), QStringLiteral("女装"));
        form.edtName->setText(QStringLiteral(" 裙装 "));
        form.btnOK->click();
    });
    w.trigger("ActCatEdit");
    QCOMPARE(shownPath, QStringLiteral("/shop/女装.csv"));
    QCOMPARE(w.tree()->currentItem()->text(0), QStringLiteral("裙装 | /shop/女装.csv"));
    CategoryRow row;
    QVERIFY(ReadCategory(store.dm, imported, row));
    QCOMPARE(row.cName, QStringLiteral("裙装"));
    QCOMPARE(row.cImPath, QStringLiteral("/shop/女装.csv"));

    w.trigger("actBrowseTB");
    w.trigger("ActCatCopy");
    QCOMPARE(w.tree()->topLevelItemCount(), 2);
    QTreeWidgetItem *copyNode = w.tree()->topLevelItem(1);
    QCOMPARE(copyNode->text(0), QStringLiteral("裙装 | /shop/女装.csv"));
    QCOMPARE(copyNode->childCount(), 0);
    const TCategory *copy = CategoryOf(copyNode);
    QCOMPARE(copy->tID, 2);
    QCOMPARE(store.count(QStringLiteral("BaseData"), copy->cID), 0);
    w.tree()->setCurrentItem(copyNode);
    QCOMPARE(w.shownNames(), QStringList());
    // the copy is a visible top-level row, so it survives the next rebuild
    w.frm.LoadCategoryView();
    QCOMPARE(w.tree()->topLevelItemCount(), 2);
}

void TestMainWindow::deleteAndClearCategories()
{
    StoreFixture store;
    const qint64 top = store.category(QStringLiteral("top"));
    const qint64 child = store.category(QStringLiteral("child"), top);
    const qint64 hidden = store.category(QStringLiteral("hidden"), child, false);
    const qint64 other = store.category(QStringLiteral("other"));
    const qint64 topItem = store.item(top, QStringLiteral("t"), true, true);
    store.item(child, QStringLiteral("c"), true, true);
    store.item(hidden, QStringLiteral("h"), true, true);
    store.item(other, QStringLiteral("o"), true, true);
    Window w(store.home());
    QVERIFY(w.start());
    MessageBoxes::Script script;

    // clearing empties the category's own rows; its children keep theirs
    script.answer(QMessageBox::Yes);
    w.trigger("ActCatClear");
    QCOMPARE(script.shown().first().caption, QStringLiteral("提示"));
    QCOMPARE(script.shown().first().text, QStringLiteral("是否清中选中的分类的所有数据？"));
    QCOMPARE(script.shown().first().icon, QMessageBox::Question);
    for (const char *table : {"BaseData", "BabyData", "PPData"}) {
        QCOMPARE(store.count(QString::fromLatin1(table), top), 0);
        QCOMPARE(store.count(QString::fromLatin1(table), child), 1);
    }
    QCOMPARE(store.tick(QStringLiteral("BaseData"), topItem), -2);
    QCOMPARE(w.shownNames(), QStringList());
    QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from Category")).toInt(), 4);

    // answering No deletes nothing
    script.clear();
    script.answer(QMessageBox::No);
    w.trigger("ActCatDel");
    QCOMPARE(script.texts(), QStringList{QStringLiteral("是否删除选中的数据分类？")});
    QCOMPARE(w.tree()->topLevelItemCount(), 2);

    // deleting takes the whole subtree, hidden categories and every item form included
    script.answer(QMessageBox::Yes);
    w.trigger("ActCatDel");
    QCOMPARE(w.tree()->topLevelItemCount(), 1);
    QCOMPARE(store.dm.scalar(QStringLiteral("select group_concat(cName) from Category")).toString(), QStringLiteral("other"));
    for (const char *table : {"BaseData", "BabyData", "PPData"}) {
        for (qint64 cID : {top, child, hidden})
            QCOMPARE(store.count(QString::fromLatin1(table), cID), 0);
        QCOMPARE(store.count(QString::fromLatin1(table), other), 1);
    }
    // the tree moved on to the remaining category and shows its items
    QCOMPARE(w.frm.SelectedCategory()->cID, other);
    QCOMPARE(w.shownNames(), QStringList{QStringLiteral("o")});
}

void TestMainWindow::droppedHeaderGroupsTheActiveView()
{
    StoreFixture store;
    const qint64 c = store.category(QStringLiteral("c"));
    for (const char *name : {"x", "y", "x"})
        store.item(c, QString::fromLatin1(name), true, false);
    Window w(store.home());
    QVERIFY(w.start());
    auto *box = w.frm.findChild<GroupByBox *>(QStringLiteral("GroupByBox"));
    auto *hint = box->findChild<QLabel *>(QStringLiteral("GroupByHint"));
    auto *ungroup = box->findChild<QPushButton *>(QStringLiteral("btnUngroup"));
    const auto drop = [&](const QString &level, int column) {
        std::unique_ptr<QMimeData> mime(GroupByBox::columnMime(level, column));
        QDragEnterEvent enter(box->rect().center(), Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(box->rect().center()), Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &dropped);
    };

    drop(QStringLiteral("cxgrdlvl_Base"), 1);
    QCOMPARE(w.active()->model()->groupColumn(), 1);
    QCOMPARE(w.active()->model()->rowCount(), 2 + 3);
    QVERIFY(hint->isHidden() && !ungroup->isHidden());
    QVERIFY(ungroup->text().startsWith(QStringLiteral("商品名称")));

    // the tick command skips the group rows of the selection
    w.selectRows({0, 1, 2});
    w.trigger("actCheck");
    QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from BaseData where 选择=-1")).toInt(), 2);
    QCOMPARE(store.dm.scalar(QStringLiteral("select count(*) from BabyData where 选择=-1")).toInt(), 2);

    // each view has its own grouping; a header of another view changes nothing here
    w.trigger("actBrowseTB");
    QVERIFY(!hint->isHidden());
    drop(QStringLiteral("cxgrdlvl_Base"), 2);
    QCOMPARE(w.active()->model()->groupColumn(), -1);
    w.trigger("actBrowseBase");
    QVERIFY(hint->isHidden());
    ungroup->click();
    QCOMPARE(w.active()->model()->groupColumn(), -1);
    QCOMPARE(w.active()->model()->rowCount(), 3);
    QVERIFY(!hint->isHidden());
}

void TestMainWindow::helpCommandsOpenPages()
{
    TempHome home;
    TDm dm;
    TMainFrm frm(dm, home.home());
    PageRecorder pages;
    for (const char *name : {"ActHelp", "ActUpdate", "ActWebsite", "ActAbout"})
        frm.findChild<QAction *>(QString::fromLatin1(name))->trigger();
    QCOMPARE(pages.pages,
             (QList<QUrl>{QUrl(QStringLiteral("https://rowshift.example.org/help/Rowshift/help/Rowshift_help.asp")),
                          QUrl(QStringLiteral("https://rowshift.example.org/help/Rowshift/help/Rowshift_update.asp")),
                          QUrl(QStringLiteral("https://rowshift.example.org/help/")),
                          QUrl(QStringLiteral("https://rowshift.example.org/help/Rowshift/help/Rowshift_about.asp"))}));
    QVERIFY(HelpBaseAddress().endsWith(QLatin1Char('/')));
}

void TestMainWindow::minimiseRestoreAndClose()
{
    StoreFixture store;
    store.category(QStringLiteral("c"));
    Window w(store.home());
    QVERIFY(w.start());
    auto *tray = w.frm.findChild<QSystemTrayIcon *>(QStringLiteral("RzTrayIcon"));
    QVERIFY(tray);
    QCOMPARE(tray->toolTip(), TMainFrm::Caption());
    QVERIFY(!tray->isVisible()); // hidden until the window is first minimised
    auto *menu = w.frm.findChild<QMenu *>(QStringLiteral("IconPM"));
    QCOMPARE(entries(menu->actions()), (QStringList{QStringLiteral("显示主界面"), QStringLiteral("退出(&X)")}));

    w.trigger("actMini");
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QVERIFY(tray->isVisible() && !w.frm.isVisible());
    else
        QTRY_VERIFY(w.frm.isMinimized()); // no notification area (offscreen): an ordinary minimise
    w.frm.findChild<QAction *>(QStringLiteral("mnuShowMain"))->trigger();
    QTRY_VERIFY(w.frm.isVisible() && !w.frm.isMinimized());

    w.trigger("actExit");
    QVERIFY(!w.frm.isVisible());
    QVERIFY(!w.dm.Adc().isOpen()); // closing disconnects the store
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

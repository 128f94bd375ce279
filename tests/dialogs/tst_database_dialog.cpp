// The database connection dialog: its two sources, saving them, and switching the program's database.
#include "app/ConnectionStringEditor.h"
#include "app/TSetDBFrm.h"
#include "app/category_tree.h"
#include "app/connection_source.h"
#include "app/dialog_widgets.h"
#include "app/file_dialogs.h"
#include "dialog_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kAskReconnect = QStringLiteral("重新连接将会刷新主界面数据，是否继续？");
const QString kConnected = QStringLiteral("数据库连接成功，界面数据将重新打开！");

QStringList treeTexts(QTreeWidget *tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(0);
    return texts;
}

qint64 categoriesSeenBy(TDm &dm)
{
    return dm.scalar(QStringLiteral("select count(*) from Category")).toLongLong();
}

} // namespace

class TestDatabaseDialog : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheDefaults();
    void savesTheChosenSource();
    void connectsToAnotherDatabaseFile();
    void connectsThroughAConnectionString();
    void failedConnectionKeepsTheOpenOne_data();
    void failedConnectionKeepsTheOpenOne();
    void answeringNoChangesNothing();
};

void TestDatabaseDialog::opensWithTheDefaults()
{
    Desk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("数据库配置"));
        QCOMPARE(dlg.mode(), 1);
        QVERIFY(dlg.rbConnStr->isChecked());
        QCOMPARE(dlg.btnConnStr->text(), QStringLiteral("Driver=QSQLITE;Database=Data.db"));
        QVERIFY(dlg.btnConnStr->isEnabled());
        QCOMPARE(dlg.btnConnFile->text(), QString());
        QVERIFY(!dlg.btnConnFile->isEnabled());
        dlg.cxButton3->click();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(boxes.pendingDialogs(), 0);
    QVERIFY(boxes.texts().isEmpty());
}

void TestDatabaseDialog::savesTheChosenSource()
{
    Desk desk;
    QVERIFY(desk.start());
    const QString other = desk.home(QStringLiteral("备份/Data.db"));
    MessageBoxes::Script boxes;
    FileDialogs::Script files;
    files.answer(other);
    files.answer(QString()); // the second pick is cancelled
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        dlg.rbConnFile->setChecked(true);
        QVERIFY(dlg.btnConnFile->isEnabled());
        QVERIFY(!dlg.btnConnStr->isEnabled());
        dlg.btnConnFile->clickButton();
        dlg.btnConnFile->clickButton();
        QCOMPARE(dlg.btnConnFile->text(), QStringLiteral("FILE NAME=") + QDir::toNativeSeparators(other));
        dlg.cxButton1->click();
        dlg.cxButton3->click(); // cancel after saving: the saved source stays
    });
    desk.trigger("ActSetDb");
    QCOMPARE(boxes.texts(), QStringList{QStringLiteral("保存配置成功！")});
    QVERIFY(TestFiles::read(desk.home(QStringLiteral("settings/settings.ini"))).contains("ConnSelect=0"));

    QVERIFY(desk.restart());
    QString stringSource;
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        QVERIFY(dlg.rbConnFile->isChecked());
        QVERIFY(dlg.btnConnFile->isEnabled());
        QVERIFY(!dlg.btnConnStr->isEnabled());
        QCOMPARE(dlg.btnConnFile->text(), QStringLiteral("FILE NAME=") + QDir::toNativeSeparators(other));
        dlg.rbConnStr->setChecked(true);
        dlg.btnConnStr->clickButton();
        dlg.btnConnStr->clickButton();
        stringSource = dlg.btnConnStr->text();
        dlg.cxButton3->click();
    });
    // the connection string's own editor: one field per parameter
    onDialog<ConnectionStringEditor>(boxes, [](ConnectionStringEditor &editor) {
        QCOMPARE(editor.cbbDriver->currentText(), QStringLiteral("QSQLITE"));
        QCOMPARE(editor.edtDatabase->text(), QStringLiteral("Data.db"));
        editor.edtDatabase->setText(QStringLiteral("/商店/Data.db"));
        editor.edtHost->setText(QStringLiteral("localhost"));
        editor.edtPort->setText(QStringLiteral("5432"));
        editor.btnOK->click();
    });
    onDialog<ConnectionStringEditor>(boxes, [](ConnectionStringEditor &editor) {
        editor.edtHost->setText(QStringLiteral("elsewhere"));
        editor.btnCancel->click();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(stringSource, QStringLiteral("Driver=QSQLITE;Database=/商店/Data.db;Host=localhost;Port=5432"));
    QCOMPARE(boxes.pendingDialogs(), 0);
}

void TestDatabaseDialog::connectsToAnotherDatabaseFile()
{
    Desk desk;
    desk.store.category(QStringLiteral("本店"));
    StoreFixture other;
    other.category(QStringLiteral("别的店"));
    other.category(QStringLiteral("第二家"));
    QVERIFY(desk.start());
    QCOMPARE(treeTexts(desk.frm->categoryTree()), QStringList{QStringLiteral("本店")});

    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::Yes);
    FileDialogs::Script files;
    files.answer(other.home().databasePath());
    int result = -1;
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        dlg.rbConnFile->setChecked(true);
        dlg.btnConnFile->clickButton();
        dlg.cxButton2->click();
        result = dlg.result();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(boxes.texts(), (QStringList{kAskReconnect, kConnected}));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(treeTexts(desk.frm->categoryTree()), (QStringList{QStringLiteral("别的店"), QStringLiteral("第二家")}));
    QCOMPARE(desk.frm->SelectedCategory()->cName, QStringLiteral("别的店"));
    QCOMPARE(categoriesSeenBy(*desk.dm), 2);
    QCOMPARE(desk.frm->settings().record().ConnSelect, 0);
    QVERIFY(TestFiles::read(desk.home(QStringLiteral("settings/settings.ini"))).contains("ConnSelect=0"));
}

void TestDatabaseDialog::connectsThroughAConnectionString()
{
    // A database file without the program's tables gets them, as at start-up; the relative
    // database of the default string is the home's own file.
    Desk desk;
    desk.store.category(QStringLiteral("本店"));
    const QString bare = desk.home(QStringLiteral("空的.db"));
    QString error;
    QVERIFY(CreateDatabase(bare, error));
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::Yes);
    boxes.answer(QMessageBox::Ok);
    boxes.answer(QMessageBox::Yes);
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        dlg.rbConnStr->setChecked(true);
        dlg.btnConnStr->setText(QStringLiteral("Driver=QSQLITE;Database=") + bare);
        dlg.cxButton2->click();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(boxes.texts(), (QStringList{kAskReconnect, kConnected}));
    QCOMPARE(desk.frm->categoryTree()->topLevelItemCount(), 0);
    QCOMPARE(categoriesSeenBy(*desk.dm), 0);
    QCOMPARE(desk.frm->settings().record().ConnString, QStringLiteral("Driver=QSQLITE;Database=") + bare);

    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        dlg.btnConnStr->setText(QStringLiteral("Driver=QSQLITE;Database=Data.db"));
        dlg.cxButton2->click();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(treeTexts(desk.frm->categoryTree()), QStringList{QStringLiteral("本店")});
}

void TestDatabaseDialog::failedConnectionKeepsTheOpenOne_data()
{
    QTest::addColumn<bool>("fileSource");
    QTest::addColumn<QString>("source"); // %1 stands for the home folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << true << "FILE NAME=%1/没有.db" << "数据库文件不存在：";
    QTest::newRow("not a database") << true << "FILE NAME=%1/settings/notes.db" << "";
    QTest::newRow("unknown driver") << false << "Driver=QNOSUCH;Database=%1/Data.db" << "数据库驱动不可用：QNOSUCH";
    QTest::newRow("empty field") << false << "" << "数据库文件不存在：";
}

void TestDatabaseDialog::failedConnectionKeepsTheOpenOne()
{
    QFETCH(bool, fileSource);
    QFETCH(QString, source);
    QFETCH(QString, reason);
    Desk desk;
    desk.store.category(QStringLiteral("本店"));
    QVERIFY(TestFiles::write(desk.home(QStringLiteral("settings/notes.db")), QByteArray(4096, 'x')));
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::Yes);
    int result = -1;
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        (fileSource ? dlg.rbConnFile : dlg.rbConnStr)->setChecked(true);
        (fileSource ? dlg.btnConnFile : dlg.btnConnStr)->setText(QString(source).replace(QStringLiteral("%1"), desk.home()));
        dlg.cxButton2->click();
        result = dlg.result();
        dlg.cxButton3->click();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(boxes.texts().size(), 2);
    const QString failure = boxes.texts().last();
    QCOMPARE(boxes.shown().last().icon, QMessageBox::Critical);
    QVERIFY2(failure.startsWith(QStringLiteral("数据库连接失败，原因: ") + reason), qPrintable(failure));
    QVERIFY(failure.endsWith(QStringLiteral("\r\n请重新配置！")));
    QCOMPARE(result, int(QDialog::Rejected));
    // the open connection is untouched: the window goes on with its own store
    QCOMPARE(categoriesSeenBy(*desk.dm), 1);
    QCOMPARE(treeTexts(desk.frm->categoryTree()), QStringList{QStringLiteral("本店")});
    QVERIFY(!TestFiles::read(desk.home(QStringLiteral("settings/settings.ini"))).contains("ConnSelect"));
}

void TestDatabaseDialog::answeringNoChangesNothing()
{
    Desk desk;
    desk.store.category(QStringLiteral("本店"));
    StoreFixture other;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::No);
    int result = -1;
    onDialog<TSetDBFrm>(boxes, [&](TSetDBFrm &dlg) {
        dlg.rbConnFile->setChecked(true);
        dlg.btnConnFile->setText(DataLinkFileText(other.home().databasePath()));
        dlg.cxButton2->click();
        result = dlg.result();
        dlg.cxButton3->click();
    });
    desk.trigger("ActSetDb");
    QCOMPARE(boxes.texts(), QStringList{kAskReconnect});
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(categoriesSeenBy(*desk.dm), 1);
    QVERIFY(!QFileInfo::exists(desk.home(QStringLiteral("settings/settings.ini"))));
}

QTEST_MAIN(TestDatabaseDialog)
#include "tst_database_dialog.moc"

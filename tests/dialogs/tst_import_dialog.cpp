// The import dialog driven as a seller drives it: browse, choose, import, read the messages.
#include "app/TImportDataFrm.h"
#include "app/TMulProgressFrm.h"
#include "app/TProgressFrm.h"
#include "app/category_tree.h"
#include "app/dialog_entry.h"
#include "app/dialog_widgets.h"
#include "app/file_dialogs.h"
#include "app/staging_file_model.h"
#include "dialog_fixture.h"
#include "store/category_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kSuccess = QStringLiteral("导入成功！");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

int categoryCount(StoreFixture &store)
{
    return store.dm.scalar(QStringLiteral("select count(*) from Category")).toInt();
}

qint64 categoryNamed(StoreFixture &store, const QString &name)
{
    const QVariant id = store.dm.scalar(QStringLiteral("select cID from Category where cName=?"), {name});
    return id.isNull() ? 0 : id.toLongLong();
}

bool isVisible(StoreFixture &store, qint64 cID)
{
    return store.dm.scalar(QStringLiteral("select isVisible from Category where cID=?"), {cID}).toInt() != 0;
}

// Sends a drag of local paths onto the window, then drops it there; the answer to the drag.
bool dropOnto(QWidget *window, const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    mime.setUrls(urls);
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    return true;
}

} // namespace

class TestImportDialog : public QObject
{
    Q_OBJECT

private slots:
    void importsEachExampleFile_data();
    void importsEachExampleFile();
    void importsIntoAnExistingCategory();
    void refusesBeforeImporting_data();
    void refusesBeforeImporting();
    void enablingFollowsTheChoices();
    void importsAFolderThroughTheGrid();
    void failedImportReportsAndStaysOpen();
    void cancelStopsTheImport();
    void settingsSurviveARestart();
    void droppedPathsOpenTheDialog_data();
    void droppedPathsOpenTheDialog();
};

void TestImportDialog::importsEachExampleFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("items");
    QTest::newRow("Taobao 4.x") << "actImportTB" << "taobao4/女装.csv" << "qz001a.jpg" << 3;
    QTest::newRow("Taobao 5.x") << "actImportTB" << "taobao5/男鞋.csv" << "nx001a.jpg" << 2;
    QTest::newRow("Paipai") << "actImportPP" << "paipai/数码.csv" << "sm001a.jpg" << 2;
}

void TestImportDialog::importsEachExampleFile()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QString, picture);
    QFETCH(int, items);
    Desk desk;
    QVERIFY(desk.start());
    const QString path = example(file);
    const QString stem = QFileInfo(path).completeBaseName();

    MessageBoxes::Script boxes;
    FileDialogs::Script files;
    files.answer(path.chopped(4)); // chosen without its extension: ".csv" is added
    int result = -1;
    QString caption;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        caption = dlg.windowTitle();
        dlg.pgcImport->setCurrentIndex(0);
        dlg.btnImFile->clickButton();
        QCOMPARE(dlg.btnImFile->text(), native(path));
        QCOMPARE(dlg.btnImFile_ImageDir->text(), native(path.chopped(4)));
        dlg.chkImFile_ImageCheck->setChecked(true);
        dlg.rbImFile_CatNew->setChecked(true);
        dlg.cxButton1->click();
        result = dlg.result();
    });
    desk.trigger(command.toLatin1());

    const int format = command == QLatin1String("actImportPP") ? 3 : 1;
    QCOMPARE(caption, ImportDialogCaption(format));
    QCOMPARE(boxes.texts(), QStringList{kSuccess});
    QCOMPARE(boxes.shown().first().caption, caption);
    QCOMPARE(result, int(QDialog::Accepted));
    const TCategory *selected = desk.frm->SelectedCategory();
    QVERIFY(selected);
    QCOMPARE(selected->cName, stem);
    QVERIFY(isVisible(desk.store, selected->cID));
    QCOMPARE(desk.store.count(QStringLiteral("BaseData"), selected->cID), qint64(items));
    QVERIFY2(QFileInfo::exists(desk.home(QStringLiteral("images/") + picture)), "the pictures reach the store");
    QCOMPARE(desk.store.count(QStringLiteral("BabyNewData"), selected->cID), 0);
}

void TestImportDialog::importsIntoAnExistingCategory()
{
    Desk desk;
    const qint64 old = desk.store.category(QStringLiteral("旧分类"));
    desk.store.category(QStringLiteral("另一个"));
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        dlg.pgcImport->setCurrentIndex(0);
        dlg.btnImFile->setText(native(example(QStringLiteral("taobao4/女装.csv"))));
        dlg.chkImFile_ImageCheck->setChecked(false);
        QVERIFY(dlg.rbImFile_CatExi->isEnabled());
        dlg.rbImFile_CatExi->setChecked(true);
        QCOMPARE(dlg.cbbImFile_CatExi->currentIndex(), -1); // nothing is chosen for the user
        dlg.cbbImFile_CatExi->setCurrentIndex(0);
        dlg.chkImFile_CatRep->setChecked(true);
        dlg.cxButton1->click();
    });
    desk.trigger("actImportTB");
    QCOMPARE(boxes.texts(), QStringList{kSuccess});
    QCOMPARE(desk.frm->SelectedCategory()->cID, old);
    QCOMPARE(desk.frm->SelectedCategory()->cName, QStringLiteral("女装"));
    QCOMPARE(desk.store.count(QStringLiteral("BaseData"), old), 3);
    QCOMPARE(categoryCount(desk.store), 2);
}

void TestImportDialog::refusesBeforeImporting_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("file");        // relative to a work folder holding a copy of 女装.csv
    QTest::addColumn<bool>("pictures");
    QTest::addColumn<QString>("pictureDir");
    QTest::addColumn<bool>("existing");       // "选择已有的分类" without a choice
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("mainCaption");

    const QString chooseFirst = QStringLiteral("请先选择已有的分类...");
    const QString noFile = QStringLiteral("当前导入文件不存在，无法导入，请选择CSV数据文件再导入！");
    QTest::newRow("existing category not chosen") << 0 << "shop/女装.csv" << false << "" << true << chooseFirst << false;
    QTest::newRow("missing file") << 0 << "shop/没有.csv" << false << "" << false << noFile << true;
    QTest::newRow("a folder as the file") << 0 << "shop" << false << "" << false << noFile << true;
    QTest::newRow("upper-case extension")
        << 0 << "shop/ITEMS.CSV" << false << "" << false
        << "当前导入不是CSV文件，无法导入，请选择CSV数据文件再导入！" << true;
    QTest::newRow("missing picture folder")
        << 0 << "shop/女装.csv" << true << "shop/没有" << false
        << "当前导入图片目录不存在，请先选择正确的图片目录再导入数据！" << true;
    QTest::newRow("folder page, existing category not chosen") << 1 << "" << false << "" << true << chooseFirst << false;
    QTest::newRow("folder page, empty list")
        << 1 << "" << false << "" << false
        << "当前没有CSV文件可导入，请先按上面的步骤操作，点击“查询导入文件”之后，表格里面有记录才可以导入！" << false;
}

void TestImportDialog::refusesBeforeImporting()
{
    QFETCH(int, page);
    QFETCH(QString, file);
    QFETCH(bool, pictures);
    QFETCH(QString, pictureDir);
    QFETCH(bool, existing);
    QFETCH(QString, message);
    QFETCH(bool, mainCaption);
    Desk desk;
    desk.store.category(QStringLiteral("已有"));
    QVERIFY(copyTree(example(QStringLiteral("taobao4/女装.csv")), desk.home(QStringLiteral("shop/女装.csv"))));
    QVERIFY(copyTree(example(QStringLiteral("taobao4/女装.csv")), desk.home(QStringLiteral("shop/ITEMS.CSV"))));
    QVERIFY(desk.start());
    const int categories = categoryCount(desk.store);

    MessageBoxes::Script boxes;
    QString caption;
    int result = -1;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        caption = dlg.windowTitle();
        dlg.pgcImport->setCurrentIndex(page);
        dlg.btnImFile->setText(desk.home(file));
        dlg.chkImFile_ImageCheck->setChecked(pictures);
        dlg.btnImFile_ImageDir->setText(desk.home(pictureDir));
        (existing ? dlg.rbImFile_CatExi : dlg.rbImFile_CatNew)->setChecked(true);
        (existing ? dlg.rbImDir_CatExi : dlg.rbImDir_CatNew)->setChecked(true);
        dlg.cxButton1->click();
        result = dlg.result();
        dlg.cxButton2->click();
    });
    desk.trigger("actImportTB");
    QCOMPARE(boxes.texts(), QStringList{message});
    QCOMPARE(boxes.shown().first().icon, QMessageBox::Information);
    QCOMPARE(boxes.shown().first().caption, mainCaption ? TMainFrm::Caption() : caption);
    QCOMPARE(result, int(QDialog::Rejected)); // still open after the message
    QCOMPARE(categoryCount(desk.store), categories);
}

void TestImportDialog::enablingFollowsTheChoices()
{
    Desk desk;
    QVERIFY(desk.start());
    desk.frm->settings().record().ImCatSel = 1;
    desk.frm->settings().record().ImDir_CatSel = 1;
    QVERIFY(desk.frm->settings().SaveSettings(SettingsSection::IMPORT));

    MessageBoxes::Script boxes;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        // no visible category: the existing choice cannot be made
        QVERIFY(!dlg.rbImFile_CatExi->isEnabled());
        QVERIFY(dlg.rbImFile_CatNew->isChecked());
        QVERIFY(!dlg.cbbImFile_CatExi->isEnabled());
        QVERIFY(!dlg.rbImDir_CatExi->isEnabled());
        dlg.chkImFile_ImageCheck->setChecked(false);
        QVERIFY(!dlg.btnImFile_ImageDir->isEnabled());
        dlg.chkImFile_ImageCheck->setChecked(true);
        QVERIFY(dlg.btnImFile_ImageDir->isEnabled());
        dlg.chkImDir_ImageCheck->setChecked(true);
        dlg.rbImDir_ImageDirSame->setChecked(true);
        QVERIFY(!dlg.btnImDir_ImageDir->isEnabled());
        dlg.rbImDir_ImageDirGiven->setChecked(true);
        QVERIFY(dlg.btnImDir_ImageDir->isEnabledTo(&dlg));
        dlg.chkImDir_ImageCheck->setChecked(false);
        QVERIFY(!dlg.rbImDir_ImageDirFix->isEnabledTo(&dlg));
        QVERIFY(!dlg.btnImDir_ImageDir->isEnabledTo(&dlg));
        dlg.cxButton2->click();
    });
    desk.trigger("actImportTB");

    const qint64 top = desk.store.category(QStringLiteral("顶层"));
    desk.store.category(QStringLiteral("下层"), top);
    desk.store.category(QStringLiteral("隐藏"), 0, false);
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        QVERIFY(dlg.rbImFile_CatExi->isEnabled());
        QCOMPARE(dlg.cbbImFile_CatExi->count(), 2); // every visible category
        QCOMPARE(dlg.cbbImDir_CatExi->count(), 1);  // the top level only
        dlg.rbImFile_CatExi->setChecked(true);
        QVERIFY(dlg.cbbImFile_CatExi->isEnabled() && dlg.chkImFile_CatRep->isEnabled());
        dlg.rbImFile_CatNew->setChecked(true);
        QVERIFY(!dlg.cbbImFile_CatExi->isEnabled() && !dlg.chkImFile_CatRep->isEnabled());
        dlg.cxButton2->click();
    });
    desk.trigger("actImportTB");
    QCOMPARE(boxes.pendingDialogs(), 0);
}

void TestImportDialog::importsAFolderThroughTheGrid()
{
    Desk desk;
    const QString shop = desk.home(QStringLiteral("货源"));
    QVERIFY(copyTree(example(QStringLiteral("taobao4")), shop));
    QVERIFY(copyTree(example(QStringLiteral("taobao5")), shop + QStringLiteral("/女装_子目录")));
    QVERIFY(desk.start());

    MessageBoxes::Script boxes;
    FileDialogs::Script files;
    files.answer(shop);
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        dlg.pgcImport->setCurrentIndex(1);
        dlg.btnImDir->clickButton();
        QCOMPARE(dlg.btnImDir->text(), native(shop));
        dlg.edtImDir_SubPreDef->clear();
        dlg.edtImDir_SubSufDef->setText(QStringLiteral("_子目录"));
        dlg.chkImDir_ImageCheck->setChecked(true);
        dlg.rbImDir_ImageDirSame->setChecked(true);
        dlg.rbImDir_CatNew->setChecked(true);
        dlg.cxButton3->click();
        QAbstractItemModel *grid = dlg.grdImfile->model();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ID"));
        int shoes = -1;
        for (int r = 0; r < 2; ++r)
            if (grid->index(r, 1).data().toString().endsWith(QStringLiteral("男鞋.csv")))
                shoes = r;
        QVERIFY(shoes >= 0);
        QCOMPARE(grid->index(shoes, 5).data().toString(), QStringLiteral("女装"));
        // a changed cell is stored at once
        QVERIFY(grid->setData(grid->index(shoes, 2), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(desk.store.dm.scalar(QStringLiteral("select 导入图片 from ImFile where 文件路径 like '%男鞋.csv'")).toInt(), 0);
        dlg.cxButton1->click();
    });
    desk.trigger("actImportTB");
    QCOMPARE(boxes.texts(), QStringList{kSuccess});

    const qint64 top = categoryNamed(desk.store, QStringLiteral("货源"));
    const qint64 dress = categoryNamed(desk.store, QStringLiteral("女装"));
    const qint64 shoes = categoryNamed(desk.store, QStringLiteral("男鞋"));
    QVERIFY(top > 0 && dress > 0 && shoes > 0);
    QCOMPARE(desk.frm->SelectedCategory()->cID, top);
    QTreeWidgetItem *shoeNode = CategoryNodeById(desk.frm->categoryTree(), shoes);
    QVERIFY(shoeNode);
    QCOMPARE(CategoryOf(shoeNode->parent())->cID, dress);
    QCOMPARE(CategoryOf(shoeNode->parent()->parent())->cID, top);
    QCOMPARE(desk.store.count(QStringLiteral("BaseData"), dress), 3);
    QCOMPARE(desk.store.count(QStringLiteral("BaseData"), shoes), 2);
    QVERIFY(QFileInfo::exists(desk.home(QStringLiteral("images/qz001a.jpg"))));
    QVERIFY2(!QFileInfo::exists(desk.home(QStringLiteral("images/nx001a.jpg"))), "the unticked row brings no pictures");
}

void TestImportDialog::failedImportReportsAndStaysOpen()
{
    Desk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    int result = -1;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        dlg.pgcImport->setCurrentIndex(0);
        dlg.btnImFile->setText(example(QStringLiteral("taobao4/女装.csv")));
        dlg.chkImFile_ImageCheck->setChecked(false);
        dlg.cxButton1->click(); // a Taobao file through the Paipai command
        result = dlg.result();
        dlg.cxButton2->click();
    });
    desk.trigger("actImportPP");
    QCOMPARE(boxes.shown().size(), 1);
    const MessageBoxes::Shown shown = boxes.shown().first();
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QVERIFY(shown.text.startsWith(QStringLiteral("导入失败，原因：当前CSV文件【")));
    QVERIFY(shown.text.contains(QStringLiteral("不是拍拍助理格式，无法导入。")));
    QVERIFY(shown.text.contains(QStringLiteral("\r\n\r\n\r\n请重试该功能，如果仍然出现该问题，请联系我们协助解决！\r\n\r\n")));
    QVERIFY(shown.text.endsWith(ContactBlock()));
    QCOMPARE(result, int(QDialog::Rejected));
    const qint64 left = categoryNamed(desk.store, QStringLiteral("女装"));
    QVERIFY(left > 0);
    QVERIFY2(!isVisible(desk.store, left), "the failed import's category stays hidden");
    QCOMPARE(desk.frm->categoryTree()->topLevelItemCount(), 0);
}

void TestImportDialog::cancelStopsTheImport()
{
    Desk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    bool disabledWhileRunning = false;
    bool closedWhileRunning = true;
    int result = -1;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        dlg.pgcImport->setCurrentIndex(0);
        dlg.btnImFile->setText(example(QStringLiteral("taobao4/女装.csv")));
        dlg.chkImFile_ImageCheck->setChecked(false);
        // runs at the progress window's first repaint, while the import is going
        QTimer::singleShot(0, &dlg, [&] {
            auto *progress = dlg.findChild<TProgressFrm *>();
            QVERIFY(progress && progress->isVisible());
            QCOMPARE(progress->windowTitle(), QStringLiteral("正在导入数据..."));
            disabledWhileRunning = dlg.isRunning() && !dlg.cxButton1->isEnabled() && !dlg.btnImFile->isEnabled();
            dlg.accept(); // closing is refused while the run goes on
            closedWhileRunning = dlg.result() == QDialog::Accepted;
            progress->btnCancel->click();
        });
        dlg.cxButton1->click();
        result = dlg.result();
        QVERIFY(dlg.cxButton1->isEnabled());
        dlg.cxButton2->click();
    });
    desk.trigger("actImportTB");
    QVERIFY(disabledWhileRunning);
    QVERIFY(!closedWhileRunning);
    QCOMPARE(boxes.shown().size(), 1);
    QVERIFY(boxes.texts().first().startsWith(QStringLiteral("导入失败，原因：")));
    QVERIFY(boxes.texts().first().contains(QStringLiteral("用户取消了操作")));
    QCOMPARE(result, int(QDialog::Rejected));
    const qint64 left = categoryNamed(desk.store, QStringLiteral("女装"));
    QVERIFY(!isVisible(desk.store, left));
    QCOMPARE(desk.store.count(QStringLiteral("BaseData"), left), 0);
}

void TestImportDialog::settingsSurviveARestart()
{
    Desk desk;
    const QString shop = desk.home(QStringLiteral("货源"));
    QVERIFY(copyTree(example(QStringLiteral("taobao4")), shop));
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        dlg.btnImFile->setText(QStringLiteral("/货源/某个.csv"));
        dlg.btnImFile_ImageDir->setText(QStringLiteral("/货源/某个"));
        dlg.chkImFile_ImageCheck->setChecked(false);
        dlg.chkImFile_CatRep->setChecked(true);
        dlg.btnImDir->setText(shop);
        dlg.edtImDir_SubPreDef->setText(QStringLiteral("前"));
        dlg.edtImDir_SubSufDef->setText(QStringLiteral("后"));
        dlg.RgImDir_Range->setItemIndex(2);
        dlg.rbImDir_ImageDirFix->setChecked(true);
        dlg.btnImDir_ImageDir->setText(QStringLiteral("/图片"));
        dlg.pgcImportDir->setCurrentIndex(1);
        dlg.RgImDir_Range->setItemIndex(1);
        dlg.cxButton3->click(); // lists 女装.csv in ImFile
        QCOMPARE(dlg.grdImfile->model()->rowCount(), 1);
        dlg.pgcImport->setCurrentIndex(1);
        dlg.show();
        dlg.close(); // the window's own close box saves too
    });
    desk.trigger("actImportTB");
    QVERIFY(TestFiles::read(desk.home(QStringLiteral("settings/settings.ini"))).contains("ImDirName="));

    QVERIFY(desk.restart());
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        QCOMPARE(dlg.pgcImport->currentIndex(), 1);
        QCOMPARE(dlg.pgcImportDir->currentIndex(), 1);
        QCOMPARE(dlg.btnImFile->text(), QStringLiteral("/货源/某个.csv"));
        QCOMPARE(dlg.btnImFile_ImageDir->text(), QStringLiteral("/货源/某个"));
        QVERIFY(!dlg.chkImFile_ImageCheck->isChecked());
        QVERIFY(dlg.chkImFile_CatRep->isChecked());
        QCOMPARE(dlg.btnImDir->text(), shop);
        QCOMPARE(dlg.edtImDir_SubPreDef->text(), QStringLiteral("前"));
        QCOMPARE(dlg.edtImDir_SubSufDef->text(), QStringLiteral("后"));
        QCOMPARE(dlg.RgImDir_Range->itemIndex(), 1);
        QVERIFY(dlg.rbImDir_ImageDirFix->isChecked());
        QCOMPARE(dlg.btnImDir_ImageDir->text(), QStringLiteral("/图片"));
        QCOMPARE(dlg.grdImfile->model()->rowCount(), 1); // the list left in ImFile
        // rows left from before import without a query of this dialog
        dlg.cxButton1->click();
    });
    desk.trigger("actImportTB");
    QCOMPARE(boxes.texts().last(), kSuccess);
    const qint64 dress = categoryNamed(desk.store, QStringLiteral("女装"));
    QVERIFY(isVisible(desk.store, dress));
    QCOMPARE(desk.frm->SelectedCategory()->cID, dress);
}

void TestImportDialog::droppedPathsOpenTheDialog_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("format");
    QTest::newRow("a Taobao file") << QStringList{"readme.txt", "taobao4/女装.csv"} << true << 0 << 1;
    QTest::newRow("a Paipai file") << QStringList{"paipai/数码.csv"} << true << 0 << 3;
    QTest::newRow("a folder of Paipai files") << QStringList{"paipai"} << true << 1 << 3;
    QTest::newRow("no shop file") << QStringList{"readme.txt"} << false << 0 << 0;
}

void TestImportDialog::droppedPathsOpenTheDialog()
{
    QFETCH(QStringList, paths);
    QFETCH(bool, accepted);
    QFETCH(int, page);
    QFETCH(int, format);
    Desk desk;
    QVERIFY(TestFiles::write(desk.home(QStringLiteral("drop/readme.txt")), "text"));
    QVERIFY(copyTree(QStringLiteral(ROWSHIFT_EXAMPLES), desk.home(QStringLiteral("drop"))));
    QVERIFY(desk.start());
    QStringList full;
    for (const QString &p : paths)
        full << desk.home(QStringLiteral("drop/") + p);

    MessageBoxes::Script boxes;
    QString caption, file, folder, pictures;
    int shownPage = -1;
    onDialog<TImportDataFrm>(boxes, [&](TImportDataFrm &dlg) {
        caption = dlg.windowTitle();
        shownPage = dlg.pgcImport->currentIndex();
        file = dlg.btnImFile->text();
        folder = dlg.btnImDir->text();
        pictures = dlg.btnImFile_ImageDir->text();
        dlg.cxButton2->click();
    });
    QCOMPARE(dropOnto(desk.frm.get(), full), accepted);
    if (!accepted) {
        QCOMPARE(boxes.pendingDialogs(), 1);
        return;
    }
    QCOMPARE(caption, ImportDialogCaption(format));
    QCOMPARE(shownPage, page);
    const QString dropped = full.last();
    if (page == 0) {
        QCOMPARE(file, native(dropped));
        QCOMPARE(pictures, native(dropped.chopped(4)));
    } else {
        QCOMPARE(folder, native(dropped));
    }
}

QTEST_MAIN(TestImportDialog)
#include "tst_import_dialog.moc"

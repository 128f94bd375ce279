// The export dialog driven as a seller drives it, and the overwrite question of a many-file export.
#include "app/TExportDataFrm.h"
#include "app/TMulProgressFrm.h"
#include "app/TMyMessageDlgFrm.h"
#include "app/TProgressFrm.h"
#include "app/category_tree.h"
#include "app/dialog_widgets.h"
#include "app/file_dialogs.h"
#include "dialog_fixture.h"
#include "export/category_export.h"
#include "export/export_file_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A store with the tree 店铺 > 女装 (3 Taobao items) > 数码 (2 Paipai items) and the root 男鞋
// (2 Taobao 5.x items); 女装 also holds two items of the 通用格式 table.
class ExportDesk : public Desk
{
public:
    ExportDesk()
    {
        shop = store.category(QStringLiteral("店铺"));
        dress = store.category(QStringLiteral("女装"), shop);
        importExample(store, QStringLiteral("taobao4/女装.csv"), 1, dress);
        digital = store.category(QStringLiteral("数码"), dress);
        importExample(store, QStringLiteral("paipai/数码.csv"), 3, digital);
        shoes = importExample(store, QStringLiteral("taobao5/男鞋.csv"), 1);
        for (const char *name : {"通用一", "通用二"})
            store.dm.exec(QStringLiteral("insert into YAData(商品名称,cID) values(?,?)"), {QString::fromUtf8(name), dress});
    }
    qint64 shop = 0, dress = 0, digital = 0, shoes = 0;
    QString out(const QString &relative = QString()) const
    {
        return home(relative.isEmpty() ? QStringLiteral("out") : QStringLiteral("out/") + relative);
    }
};

void chooseCategory(QComboBox *combo, qint64 cID)
{
    for (int i = 0; i < combo->count(); ++i)
        if (ComboCategory(combo, i).cID == cID)
            combo->setCurrentIndex(i);
}

void selectInTree(QTreeWidget *tree, const QList<qint64> &ids)
{
    tree->clearSelection();
    for (qint64 id : ids)
        CategoryNodeById(tree, id)->setSelected(true);
}

QList<qint64> listed(QTreeWidget *list)
{
    QList<qint64> ids;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        ids << CategoryOf(list->topLevelItem(i))->cID;
    return ids;
}

QStringList filesIn(const QString &folder, const QString &pattern)
{
    QStringList names;
    QDirIterator it(folder, {pattern}, QDir::Files);
    while (it.hasNext())
        names << QFileInfo(it.next()).fileName();
    names.sort();
    return names;
}

// The first page set up for one category into one file, pictures in the folder named like it.
void setUpFilePage(TExportDataFrm &dlg, int typeIndex, qint64 cID, const QString &file)
{
    dlg.pgcExport->setCurrentIndex(0);
    dlg.cbbExFile_Type->setCurrentIndex(typeIndex);
    chooseCategory(dlg.cbbExFile_DataCat, cID);
    dlg.cbbExFile_Range->setCurrentIndex(0);
    dlg.btnExFile->setText(file);
    dlg.chkExFile_ImageCheck->setChecked(true);
    dlg.cbbExFile_ImageDir->setCurrentIndex(0);
}

// The second page set up for 店铺 and 男鞋 into a folder, sub-folders suffixed "_子目录".
void setUpTreePage(TExportDataFrm &dlg, const ExportDesk &desk, int typeIndex)
{
    dlg.pgcExport->setCurrentIndex(1);
    dlg.cbbExDir_Type->setCurrentIndex(typeIndex);
    selectInTree(dlg.cxTreeView, {desk.shop, desk.shoes});
    dlg.btnAddCat->click();
    dlg.btnExDir->setText(desk.out());
    dlg.edtExDir_SubPreDef->clear();
    dlg.edtExDir_SubSufDef->setText(QStringLiteral("_子目录"));
    dlg.RgExDir_Range->setItemIndex(0);
    dlg.chkExDir_ImageCheck->setChecked(true);
    dlg.rbExDir_ImageDirSame->setChecked(true);
    dlg.cxButton3->click();
}

} // namespace

class TestExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void exportsOneCategoryInEachLayout_data();
    void exportsOneCategoryInEachLayout();
    void existingFileIsAskedAbout_data();
    void existingFileIsAskedAbout();
    void refusesBeforeExporting_data();
    void refusesBeforeExporting();
    void exportListKeepsCategoriesApart();
    void exportsCategoryTreesInEachLayout_data();
    void exportsCategoryTreesInEachLayout();
    void questionButtonsAnswer_data();
    void questionButtonsAnswer();
    void existingFilesAreAskedAbout_data();
    void existingFilesAreAskedAbout();
    void pictureFolderFollowsTheFormat();
    void cancelStopsTheExport_data();
    void cancelStopsTheExport();
    void settingsSurviveARestart();
};

void TestExportDialog::exportsOneCategoryInEachLayout_data()
{
    QTest::addColumn<int>("typeIndex");
    QTest::addColumn<int>("headerLines");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("pictures"); // what the folder named like the file holds
    QTest::newRow("淘宝助理4.X格式") << 0 << 1 << 3 << "*.tbi";
    QTest::newRow("淘宝助理5.X格式") << 1 << 3 << 3 << "*.tbi";
    QTest::newRow("拍拍助理格式") << 2 << 1 << 3 << "*.jpg";
    QTest::newRow("通用格式") << 3 << 1 << 2 << "";
}

void TestExportDialog::exportsOneCategoryInEachLayout()
{
    QFETCH(int, typeIndex);
    QFETCH(int, headerLines);
    QFETCH(int, items);
    QFETCH(QString, pictures);
    ExportDesk desk;
    QVERIFY(desk.start());
    const QString file = desk.out(QStringLiteral("导出"));
    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::Yes); // open the folder
    FolderRecorder opened;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("导出数据选项"));
        // the main window's selection is chosen; "全部分类" comes last
        QCOMPARE(ComboCategory(dlg.cbbExFile_DataCat, dlg.cbbExFile_DataCat->currentIndex()).cID,
                 desk.frm->SelectedCategory()->cID);
        QCOMPARE(dlg.cbbExFile_DataCat->itemText(dlg.cbbExFile_DataCat->count() - 1), QStringLiteral("全部分类"));
        setUpFilePage(dlg, typeIndex, desk.dress, file); // ".csv" is added by the export
        dlg.cxButton1->click();
        QVERIFY2(!dlg.isRunning() && dlg.result() != QDialog::Accepted, "the dialog stays open after an export");
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");

    QCOMPARE(boxes.texts(), QStringList{ExportSucceededQuestion()});
    QCOMPARE(boxes.shown().first().icon, QMessageBox::Question);
    QCOMPARE(opened.folders, QStringList{desk.out()});
    const QStringList lines = shopFileLines(file + QStringLiteral(".csv"));
    QCOMPARE(lines.size(), headerLines + items);
    QCOMPARE(lines.first() == QStringLiteral("version 1.00"), typeIndex == 1);
    if (!pictures.isEmpty())
        QVERIFY2(!filesIn(file, pictures).isEmpty(), "the pictures lie in the folder named like the file");
    if (typeIndex == 2)
        QVERIFY2(!filesIn(file, QStringLiteral("*.htm")).isEmpty(), "Paipai descriptions travel with the pictures");
}

void TestExportDialog::existingFileIsAskedAbout_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("records");
    QTest::newRow("是: overwrite") << int(QMessageBox::Yes) << 3;
    QTest::newRow("否: merge") << int(QMessageBox::No) << 6;
    QTest::newRow("取消: nothing written") << int(QMessageBox::Cancel) << 3;
}

void TestExportDialog::existingFileIsAskedAbout()
{
    QFETCH(int, answer);
    QFETCH(int, records);
    ExportDesk desk;
    QVERIFY(desk.start());
    const QString file = desk.out(QStringLiteral("女装.csv"));
    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::No);                         // the first export's success question
    boxes.answer(QMessageBox::StandardButton(answer));     // the file exists now
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        setUpFilePage(dlg, 0, desk.dress, file);
        dlg.chkExFile_ImageCheck->setChecked(false);
        dlg.cxButton1->click();
        dlg.cxButton1->click();
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");

    QStringList expected{ExportSucceededQuestion(), SingleExportExistsText()};
    if (answer != QMessageBox::Cancel)
        expected << ExportSucceededQuestion();
    QCOMPARE(boxes.texts(), expected);
    QCOMPARE(boxes.shown()[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QStringList lines = shopFileLines(file);
    QCOMPARE(lines.size(), 1 + records);
    QVERIFY2(!lines.join(QString()).contains(QChar(0xFEFF)), "a merge writes no second mark");
}

void TestExportDialog::refusesBeforeExporting_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("noCategory");
    QTest::addColumn<QString>("fileOrFolder");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("mainCaption");
    QTest::newRow("no category") << 0 << true << "out/a.csv" << "请先选择导出哪个分类..." << false;
    QTest::newRow("no file name") << 0 << false << "   " << "请先输入导出文件完整路径！" << true;
    QTest::newRow("empty file list") << 1 << false << "out" << NothingToExportText() << false;
    QTest::newRow("query without a folder") << 2 << false << " " << "请先选择导出目录！" << false;
}

void TestExportDialog::refusesBeforeExporting()
{
    QFETCH(int, page);
    QFETCH(bool, noCategory);
    QFETCH(QString, fileOrFolder);
    QFETCH(QString, message);
    QFETCH(bool, mainCaption);
    ExportDesk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        if (page == 0) {
            setUpFilePage(dlg, 0, desk.dress, desk.home(fileOrFolder));
            dlg.btnExFile->setText(fileOrFolder == QLatin1String("   ") ? fileOrFolder : desk.home(fileOrFolder));
            if (noCategory)
                dlg.cbbExFile_DataCat->setCurrentIndex(-1);
            dlg.cxButton1->click();
        } else {
            dlg.pgcExport->setCurrentIndex(1);
            dlg.btnExDir->setText(fileOrFolder);
            (page == 1 ? dlg.cxButton1 : dlg.cxButton3)->click();
        }
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");
    QCOMPARE(boxes.texts(), QStringList{message});
    QCOMPARE(boxes.shown().first().icon, QMessageBox::Information);
    QCOMPARE(boxes.shown().first().caption, mainCaption ? TMainFrm::Caption() : QStringLiteral("导出数据选项"));
    QVERIFY(!QFileInfo::exists(desk.out()));
}

void TestExportDialog::exportListKeepsCategoriesApart()
{
    ExportDesk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        dlg.pgcExport->setCurrentIndex(1);
        selectInTree(dlg.cxTreeView, {desk.digital});
        dlg.btnAddCat->click();
        QCOMPARE(listed(dlg.cxListView), QList<qint64>{desk.digital});
        selectInTree(dlg.cxTreeView, {desk.dress});
        dlg.btnAddCat->click(); // the parent replaces its listed descendant
        QCOMPARE(listed(dlg.cxListView), QList<qint64>{desk.dress});
        selectInTree(dlg.cxTreeView, {desk.digital, desk.dress});
        dlg.btnAddCat->click(); // a listed ancestor keeps it out; no category twice
        QCOMPARE(listed(dlg.cxListView), QList<qint64>{desk.dress});
        selectInTree(dlg.cxTreeView, {desk.shop, desk.shoes});
        dlg.btnAddCat->click();
        QCOMPARE(listed(dlg.cxListView), (QList<qint64>{desk.shop, desk.shoes}));
        QCOMPARE(dlg.cxListView->topLevelItem(0)->text(0), CategoryNodeById(dlg.cxTreeView, desk.shop)->text(0));
        dlg.cxListView->topLevelItem(0)->setSelected(true);
        dlg.btnDelCat->click();
        QCOMPARE(listed(dlg.cxListView), QList<qint64>{desk.shoes});
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");
    QCOMPARE(boxes.pendingDialogs(), 0);
}

void TestExportDialog::exportsCategoryTreesInEachLayout_data()
{
    QTest::addColumn<int>("typeIndex");
    QTest::addColumn<int>("headerLines");
    QTest::addColumn<QString>("pictures");
    QTest::newRow("淘宝助理4.X格式") << 0 << 1 << "*.tbi";
    QTest::newRow("淘宝助理5.X格式") << 1 << 3 << "*.tbi";
    QTest::newRow("拍拍助理格式") << 2 << 1 << "*.jpg";
}

void TestExportDialog::exportsCategoryTreesInEachLayout()
{
    QFETCH(int, typeIndex);
    QFETCH(int, headerLines);
    QFETCH(QString, pictures);
    ExportDesk desk;
    QVERIFY(desk.start());
    const QString moved = desk.out(QStringLiteral("改/男鞋.csv"));
    MessageBoxes::Script boxes;
    boxes.answer(QMessageBox::Yes);
    FolderRecorder opened;
    QStringList paths, pictureDirs;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        setUpTreePage(dlg, desk, typeIndex);
        QAbstractItemModel *grid = dlg.grdImfile->model();
        for (int r = 0; r < grid->rowCount(); ++r) {
            paths << QDir::fromNativeSeparators(grid->index(r, 1).data().toString());
            pictureDirs << QDir::fromNativeSeparators(grid->index(r, 3).data().toString());
        }
        // a path edited in the grid, into a folder that does not exist yet
        QVERIFY(grid->setData(grid->index(2, 1), native(moved), Qt::EditRole));
        QCOMPARE(desk.store.dm.scalar(QStringLiteral("select 文件路径 from ExFile where cID=?"), {desk.shoes}).toString(),
                 native(moved));
        dlg.cxButton1->click();
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");

    // 店铺 holds no items of its own: no file, but its children are walked
    QCOMPARE(paths, (QStringList{desk.out(QStringLiteral("店铺/女装.csv")),
                                 desk.out(QStringLiteral("店铺/女装_子目录/数码.csv")), desk.out(QStringLiteral("男鞋.csv"))}));
    QCOMPARE(boxes.texts(), QStringList{ExportSucceededQuestion()});
    QCOMPARE(opened.folders, QStringList{desk.out(QStringLiteral("店铺"))});
    QCOMPARE(pictureDirs, (QStringList{desk.out(QStringLiteral("店铺/女装")),
                                       desk.out(QStringLiteral("店铺/女装_子目录/数码")), desk.out(QStringLiteral("男鞋"))}));
    const QStringList written = {paths[0], paths[1], moved};
    const int items[] = {3, 2, 2};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(shopFileLines(written[i]).size(), headerLines + items[i]);
        QVERIFY2(!filesIn(pictureDirs[i], pictures).isEmpty(), qPrintable(pictureDirs[i]));
    }
}

void TestExportDialog::questionButtonsAnswer_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("code");
    const QStringList captions = {"覆盖(&F)", "全部覆盖(&G)", "合并(&M)", "全部合并(&E)", "忽略(&I)", "全部忽略(&N)", "取消(&C)"};
    const int codes[] = {0, 3, 1, 4, 5, 6, 2};
    for (int i = 0; i < 7; ++i)
        QTest::newRow(qPrintable(captions[i])) << i + 1 << captions[i] << codes[i];
}

void TestExportDialog::questionButtonsAnswer()
{
    QFETCH(int, button);
    QFETCH(QString, caption);
    QFETCH(int, code);
    TMyMessageDlgFrm dlg(nullptr, QStringLiteral("问题"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("导出数据选项"));
    QCOMPARE(dlg.Memo->toPlainText(), QStringLiteral("问题"));
    QVERIFY(dlg.Memo->isReadOnly());
    auto *b = dlg.findChild<QPushButton *>(QStringLiteral("cxButton%1").arg(button));
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QCOMPARE(dlg.button(OverwriteAnswer(code)), b);
    b->click();
    QCOMPARE(int(dlg.answer()), code);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    TMyMessageDlgFrm closed(nullptr, QStringLiteral("问题"));
    closed.show();
    closed.close();
    QCOMPARE(closed.answer(), OverwriteAnswer::Cancel);
}

void TestExportDialog::existingFilesAreAskedAbout_data()
{
    QTest::addColumn<QList<int>>("answers"); // -1: the question's close box
    QTest::addColumn<QStringList>("states"); // per file: old, new, merged
    QTest::addColumn<bool>("succeeded");
    QTest::newRow("全部覆盖") << QList<int>{3} << QStringList{"new", "new", "new"} << true;
    QTest::newRow("全部合并: asked once") << QList<int>{4} << QStringList{"merged", "merged", "merged"} << true;
    QTest::newRow("忽略: asked for each") << QList<int>{5, 5, 5} << QStringList{"old", "old", "old"} << true;
    QTest::newRow("全部忽略") << QList<int>{6} << QStringList{"old", "old", "old"} << true;
    QTest::newRow("覆盖, 合并, then 取消") << QList<int>{0, 1, 2} << QStringList{"new", "merged", "old"} << false;
    QTest::newRow("closed question") << QList<int>{-1} << QStringList{"old", "old", "old"} << false;
}

void TestExportDialog::existingFilesAreAskedAbout()
{
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, states);
    QFETCH(bool, succeeded);
    ExportDesk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    QStringList paths;
    QStringList questions;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        setUpTreePage(dlg, desk, 0);
        QAbstractItemModel *grid = dlg.grdImfile->model();
        for (int r = 0; r < grid->rowCount(); ++r) {
            paths << grid->index(r, 1).data().toString();
            QVERIFY(TestFiles::write(paths.last(), TestFiles::utf16le(QStringLiteral("旧\r\n"))));
        }
        dlg.cxButton1->click();
        dlg.cxButton2->click();
    });
    for (int answer : answers) {
        onDialog<TMyMessageDlgFrm>(boxes, [&questions, answer](TMyMessageDlgFrm &question) {
            questions << question.question();
            QCOMPARE(question.Memo->toPlainText(), QString(question.question()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            if (answer < 0)
                question.reject();
            else
                question.button(OverwriteAnswer(answer))->click();
        });
    }
    desk.trigger("actExportDat");

    QCOMPARE(boxes.pendingDialogs(), 0);
    QCOMPARE(questions.size(), answers.size());
    QCOMPARE(questions.first(), ExistingExportFileQuestion(paths.first()));
    QCOMPARE(boxes.texts(), succeeded ? QStringList{ExportSucceededQuestion()} : QStringList());
    const QByteArray previous = TestFiles::utf16le(QStringLiteral("旧\r\n"));
    const int items[] = {3, 2, 2};
    for (int i = 0; i < 3; ++i) {
        const QStringList lines = shopFileLines(paths[i]);
        if (states[i] == QLatin1String("old")) {
            QCOMPARE(TestFiles::read(paths[i]), previous);
        } else if (states[i] == QLatin1String("new")) {
            QCOMPARE(lines.size(), 1 + items[i]); // the header and the rows
            QVERIFY(lines.first() != QStringLiteral("旧\r"));
        } else {
            QVERIFY(TestFiles::read(paths[i]).startsWith(previous));
            QCOMPARE(lines.size(), 1 + items[i]); // the old line and the rows, no header
        }
    }
}

void TestExportDialog::pictureFolderFollowsTheFormat()
{
    ExportDesk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        dlg.cbbExFile_Type->setCurrentIndex(0);
        dlg.chkExFile_ImageCheck->setChecked(true);
        dlg.cbbExFile_ImageDir->setCurrentIndex(1);
        QVERIFY(dlg.cbbExFile_ImageDir->isEnabled());
        dlg.cbbExFile_Type->setCurrentIndex(2); // Paipai: the folder named like the file
        QCOMPARE(dlg.cbbExFile_ImageDir->currentIndex(), 0);
        QVERIFY(!dlg.cbbExFile_ImageDir->isEnabled());
        dlg.cbbExFile_Type->setCurrentIndex(1);
        QVERIFY(dlg.cbbExFile_ImageDir->isEnabled());
        QCOMPARE(dlg.cbbExFile_ImageDir->currentIndex(), 0);
        dlg.chkExFile_ImageCheck->setChecked(false);
        QVERIFY(!dlg.cbbExFile_ImageDir->isEnabled());

        dlg.cbbExDir_Type->setCurrentIndex(0);
        dlg.chkExDir_ImageCheck->setChecked(true);
        dlg.rbExDir_ImageDirGiven->setChecked(true);
        QVERIFY(dlg.btnExDir_ImageDir->isEnabledTo(&dlg));
        dlg.cbbExDir_Type->setCurrentIndex(2);
        QVERIFY(dlg.rbExDir_ImageDirSame->isChecked());
        for (QRadioButton *b : {dlg.rbExDir_ImageDirSame, dlg.rbExDir_ImageDirFix, dlg.rbExDir_ImageDirGiven})
            QVERIFY(!b->isEnabledTo(&dlg));
        QVERIFY(!dlg.btnExDir_ImageDir->isEnabledTo(&dlg));
        QVERIFY(dlg.chkExDir_ImageCheck->isEnabledTo(&dlg));
        dlg.cbbExDir_Type->setCurrentIndex(1);
        QVERIFY(dlg.rbExDir_ImageDirFix->isEnabledTo(&dlg));
        dlg.rbExDir_ImageDirGiven->setChecked(true);
        QVERIFY(dlg.btnExDir_ImageDir->isEnabledTo(&dlg));
        dlg.chkExDir_ImageCheck->setChecked(false);
        QVERIFY(!dlg.rbExDir_ImageDirGiven->isEnabledTo(&dlg));
        QVERIFY(!dlg.btnExDir_ImageDir->isEnabledTo(&dlg));
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");
    QCOMPARE(boxes.pendingDialogs(), 0);
}

void TestExportDialog::cancelStopsTheExport_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("one category") << 0;
    QTest::newRow("category trees") << 1;
}

void TestExportDialog::cancelStopsTheExport()
{
    QFETCH(int, page);
    ExportDesk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    bool disabledWhileRunning = false;
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        if (page == 0)
            setUpFilePage(dlg, 0, desk.dress, desk.out(QStringLiteral("女装.csv")));
        else
            setUpTreePage(dlg, desk, 0);
        QTimer::singleShot(0, &dlg, [&] {
            ProgressWindow *progress = page == 0 ? static_cast<ProgressWindow *>(dlg.findChild<TProgressFrm *>())
                                                 : dlg.findChild<TMulProgressFrm *>();
            QVERIFY(progress && progress->isVisible());
            QCOMPARE(progress->windowTitle(), QStringLiteral("正在导出数据..."));
            disabledWhileRunning = !dlg.cxButton1->isEnabled() && !dlg.pgcExport->isEnabled();
            progress->btnCancel->click();
        });
        dlg.cxButton1->click();
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");
    QVERIFY(disabledWhileRunning);
    QCOMPARE(boxes.shown().size(), 1); // no "go on?" question after a cancel
    QCOMPARE(boxes.shown().first().icon, QMessageBox::Critical);
    QCOMPARE(boxes.texts().first(), ExportFailedText(QStringLiteral("导出已取消")));
}

void TestExportDialog::settingsSurviveARestart()
{
    ExportDesk desk;
    QVERIFY(desk.start());
    MessageBoxes::Script boxes;
    const QString file = desk.out(QStringLiteral("我的.csv"));
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        // first run: the built-in choices give way to the settings' defaults
        QCOMPARE(dlg.pgcExport->currentIndex(), 0);
        QCOMPARE(dlg.cbbExFile_Type->currentIndex(), 0);
        QCOMPARE(dlg.cbbExDir_Type->currentIndex(), 1);
        QCOMPARE(dlg.cbbExFile_ImageDir->currentIndex(), 1);
        QCOMPARE(dlg.edtExDir_SubSufDef->text(), QString());
        const QRegularExpression download(QRegularExpression::escape(native(QDir::currentPath() + QLatin1Char('/')))
                                          + QStringLiteral("download\\d{12}\\.csv"));
        QVERIFY2(download.match(dlg.btnExFile->text()).hasMatch(), qPrintable(dlg.btnExFile->text()));

        setUpTreePage(dlg, desk, 2);
        dlg.edtExDir_SubPreDef->setText(QStringLiteral("前"));
        dlg.RgExDir_Range->setItemIndex(2);
        dlg.btnExDir_ImageDir->setText(QStringLiteral("/图片"));
        dlg.pgcExportDir->setCurrentIndex(2);
        dlg.cbbExFile_Type->setCurrentIndex(1);
        dlg.cbbExFile_Range->setCurrentIndex(1);
        dlg.btnExFile->setText(native(file));
        dlg.chkExFile_ImageCheck->setChecked(false);
        dlg.cbbExFile_ImageDir->setCurrentIndex(0);
        dlg.show();
        dlg.close(); // the close box saves too
    });
    desk.trigger("actExportDat");
    QVERIFY(desk.restart());
    onDialog<TExportDataFrm>(boxes, [&](TExportDataFrm &dlg) {
        QCOMPARE(dlg.pgcExport->currentIndex(), 1);
        QCOMPARE(dlg.pgcExportDir->currentIndex(), 2);
        QCOMPARE(dlg.cbbExFile_Type->currentIndex(), 1);
        QCOMPARE(dlg.cbbExFile_Range->currentIndex(), 1);
        QCOMPARE(dlg.btnExFile->text(), native(file));
        QVERIFY(!dlg.chkExFile_ImageCheck->isChecked());
        QCOMPARE(dlg.cbbExFile_ImageDir->currentIndex(), 0);
        QCOMPARE(dlg.cbbExDir_Type->currentIndex(), 2);
        QCOMPARE(dlg.edtExDir_SubPreDef->text(), QStringLiteral("前"));
        QCOMPARE(dlg.edtExDir_SubSufDef->text(), QStringLiteral("_子目录"));
        QCOMPARE(dlg.RgExDir_Range->itemIndex(), 2);
        QVERIFY(dlg.rbExDir_ImageDirSame->isChecked());
        QCOMPARE(dlg.btnExDir_ImageDir->text(), QStringLiteral("/图片"));
        QCOMPARE(dlg.btnExDir->text(), desk.out());
        QCOMPARE(dlg.grdImfile->model()->rowCount(), 3); // the file list outlives the dialog
        dlg.cxButton2->click();
    });
    desk.trigger("actExportDat");
    QCOMPARE(boxes.pendingDialogs(), 0);
}

QTEST_MAIN(TestExportDialog)
#include "tst_export_dialog.moc"

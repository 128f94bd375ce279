#include "TExportDataFrm.h"

#include "TMulProgressFrm.h"
#include "TProgressFrm.h"
#include "category_tree.h"
#include "dialog_messages.h"
#include "dialog_widgets.h"
#include "file_dialogs.h"
#include "main_window.h"
#include "message_boxes.h"
#include "staging_file_model.h"

#include "export/category_export.h"
#include "export/export_file_list.h"
#include "export/export_layouts.h"
#include "store/data_module.h"
#include "store/item_queries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const QString kCsvFilter = QStringLiteral("逗号分隔符文件 (*.csv);;All Files (*.*)");
constexpr int PaipaiItem = 2; // "拍拍助理格式" in the format lists

template <class T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox *fixedList(QWidget *parent, const char *name, const QStringList &items)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    return combo;
}

QStringList formatItems()
{
    return {QStringLiteral("淘宝助理4.X格式"), QStringLiteral("淘宝助理5.X格式"), QStringLiteral("拍拍助理格式"),
            QStringLiteral("通用格式")};
}

// Selects an item of a fixed list; an index out of range selects the first.
void selectItem(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

void checkFirstSet(const QList<QPair<QRadioButton *, bool>> &choices)
{
    for (const auto &[button, set] : choices) {
        if (set) {
            button->setChecked(true);
            return;
        }
    }
    choices.first().first->setChecked(true);
}

int lastSeparator(const QString &path)
{
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace

QString DefaultExportFileName(const QString &saved)
{
    if (!saved.isEmpty())
        return saved;
    return QStringLiteral("download") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmm"))
        + QStringLiteral(".csv");
}

TExportDataFrm::TExportDataFrm(TMainFrm &owner)
    : QDialog(&owner)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("ExportDataFrm"));
    setWindowTitle(QStringLiteral("导出数据选项"));
    setFont(DialogFont(14));
    resize(700, 700);
    CentreOnScreen(this);
    m_files = new StagingFileModel(owner.dm(), QStringLiteral("ExFile"), QStringLiteral("导出图片"), this);

    m_body = new QWidget(this);
    pgcExport = named(new QTabWidget(m_body), "pgcExport");
    pgcExport->addTab(buildFilePage(), QStringLiteral("导出单个分类"));
    pgcExport->addTab(buildTreePage(), QStringLiteral("导出多个分类"));
    cxButton1 = named(new QPushButton(QStringLiteral("&E导出"), m_body), "cxButton1");
    cxButton2 = named(new QPushButton(QStringLiteral("&C取消"), m_body), "cxButton2");
    auto *bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(pgcExport, 1);
    bodyLayout->addWidget(BottomPanel(m_body, {cxButton1, cxButton2}));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);

    connectControls();
    fillCategories();
    loadSettings();
    reloadGrid();
}

// ---- layout ----

QWidget *TExportDataFrm::buildFilePage()
{
    auto *page = new QWidget;
    cbbExFile_Type = fixedList(page, "cbbExFile_Type", formatItems());
    cbbExFile_DataCat = named(new QComboBox(page), "cbbExFile_DataCat");
    cbbExFile_Range = fixedList(page, "cbbExFile_Range", {QStringLiteral("当前分类的数据"), QStringLiteral("勾选的数据")});
    btnExFile = new ButtonEdit(QStringLiteral("btnExFile"), page);
    chkExFile_ImageCheck = named(new QCheckBox(QStringLiteral("导出图片"), page), "chkExFile_ImageCheck");
    cbbExFile_ImageDir = fixedList(page, "cbbExFile_ImageDir", {QStringLiteral("与CSV文件同名"), QStringLiteral("images")});
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(chkExFile_ImageCheck);
    pictures->addWidget(cbbExFile_ImageDir, 1);
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("导出格式"), cbbExFile_Type);
    form->addRow(QStringLiteral("选择分类"), cbbExFile_DataCat);
    form->addRow(QStringLiteral("导出范围"), cbbExFile_Range);
    form->addRow(QStringLiteral("导出文件名"), btnExFile);
    form->addRow(QString(), pictures);
    return page;
}

QWidget *TExportDataFrm::buildCategorySheet()
{
    auto *sheet = new QWidget;
    cxTreeView = named(new QTreeWidget(sheet), "cxTreeView");
    cxTreeView->setHeaderHidden(true);
    cxTreeView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cxTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxListView = named(new QTreeWidget(sheet), "cxListView");
    cxListView->setHeaderLabels({QStringLiteral("需要导出的分类")});
    cxListView->setRootIsDecorated(false);
    cxListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cxListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    btnAddCat = named(new QPushButton(QStringLiteral("→"), sheet), "btnAddCat");
    btnDelCat = named(new QPushButton(QStringLiteral("←"), sheet), "btnDelCat");
    auto *arrows = new QVBoxLayout;
    arrows->addStretch(1);
    arrows->addWidget(btnAddCat);
    arrows->addWidget(btnDelCat);
    arrows->addStretch(1);
    auto *layout = new QHBoxLayout(sheet);
    layout->addWidget(cxTreeView, 1);
    layout->addLayout(arrows);
    layout->addWidget(cxListView, 1);
    return sheet;
}

QWidget *TExportDataFrm::buildSubFolderSheet()
{
    auto *sheet = new QWidget;
    auto *note = new QLabel(QStringLiteral("说明：程序会将子分类导出到子目录，请指定子目录格式，避免与图片目录重复！"), sheet);
    note->setStyleSheet(QStringLiteral("color: purple;"));
    edtExDir_SubPreDef = named(new QLineEdit(sheet), "edtExDir_SubPreDef");
    edtExDir_SubSufDef = named(new QLineEdit(QStringLiteral("_子目录"), sheet), "edtExDir_SubSufDef");
    auto *pattern = new QHBoxLayout;
    pattern->addWidget(new QLabel(QStringLiteral("子目录名称格式:"), sheet));
    pattern->addWidget(edtExDir_SubPreDef);
    pattern->addWidget(new QLabel(QStringLiteral("+"), sheet));
    pattern->addWidget(new QLabel(QStringLiteral("子分类名称"), sheet));
    pattern->addWidget(new QLabel(QStringLiteral("+"), sheet));
    pattern->addWidget(edtExDir_SubSufDef);
    RgExDir_Range = new RadioGroup(QStringLiteral("RgExDir_Range"), QStringLiteral("选择导出范围"),
                                   {QStringLiteral("导出全部分类的数据（包含子分类）"), QStringLiteral("只导出主分类的数据"),
                                    QStringLiteral("只导出子分类的数据")},
                                   1, sheet);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(note);
    layout->addLayout(pattern);
    layout->addWidget(RgExDir_Range);
    layout->addStretch(1);
    return sheet;
}

QWidget *TExportDataFrm::buildPictureSheet()
{
    auto *sheet = new QWidget;
    chkExDir_ImageCheck = named(new QCheckBox(QStringLiteral("是否导出图片"), sheet), "chkExDir_ImageCheck");
    chkExDir_ImageCheck->setChecked(true);
    GbExDir_ImageDir = named(new QGroupBox(QStringLiteral("图片路径设置"), sheet), "GbExDir_ImageDir");
    rbExDir_ImageDirSame = named(new QRadioButton(QStringLiteral("与CSV文件同目录同名"), GbExDir_ImageDir), "rbExDir_ImageDirSame");
    rbExDir_ImageDirFix = named(new QRadioButton(QStringLiteral("与CSV文件同目录，名字为images"), GbExDir_ImageDir),
                                "rbExDir_ImageDirFix");
    rbExDir_ImageDirGiven = named(new QRadioButton(QStringLiteral("指定目录"), GbExDir_ImageDir), "rbExDir_ImageDirGiven");
    btnExDir_ImageDir = new ButtonEdit(QStringLiteral("btnExDir_ImageDir"), GbExDir_ImageDir);
    rbExDir_ImageDirSame->setChecked(true);
    auto *group = new QGridLayout(GbExDir_ImageDir);
    group->addWidget(rbExDir_ImageDirSame, 0, 0, 1, 2);
    group->addWidget(rbExDir_ImageDirFix, 1, 0, 1, 2);
    group->addWidget(rbExDir_ImageDirGiven, 2, 0);
    group->addWidget(btnExDir_ImageDir, 2, 1);
    group->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(chkExDir_ImageCheck);
    layout->addWidget(GbExDir_ImageDir);
    layout->addStretch(1);
    return sheet;
}

QWidget *TExportDataFrm::buildTreePage()
{
    auto *page = new QWidget;
    cbbExDir_Type = fixedList(page, "cbbExDir_Type", formatItems());
    pgcExportDir = named(new QTabWidget(page), "pgcExportDir");
    pgcExportDir->addTab(buildCategorySheet(), QStringLiteral("导出分类"));
    pgcExportDir->addTab(buildSubFolderSheet(), QStringLiteral("子分类选项"));
    pgcExportDir->addTab(buildPictureSheet(), QStringLiteral("图片选项"));
    btnExDir = new ButtonEdit(QStringLiteral("btnExDir"), page);
    cxButton3 = named(new QPushButton(QStringLiteral("&Q查询导出文件"), page), "cxButton3");
    cxButton4 = named(new QPushButton(QStringLiteral("&C清空"), page), "cxButton4");
    auto *step4 = new QHBoxLayout;
    step4->addWidget(new QLabel(QStringLiteral("第四步："), page));
    step4->addWidget(cxButton3);
    auto *note = new QLabel(QStringLiteral("结过上面设置后，导出将根据下面表格的设置，可以修改导出信息"), page);
    note->setWordWrap(true);
    step4->addWidget(note, 1);
    step4->addWidget(cxButton4);
    grdImfile = NewStagingGrid(page, m_files);

    auto *layout = new QVBoxLayout(page);
    auto *step1 = new QHBoxLayout;
    step1->addWidget(new QLabel(QStringLiteral("第一步：请选择导出格式"), page));
    step1->addWidget(cbbExDir_Type, 1);
    layout->addLayout(step1);
    layout->addWidget(new QLabel(QStringLiteral("第二步：请选择需要导出的分类，可以选择多个分类一起导出到指定文件夹"), page));
    layout->addWidget(pgcExportDir, 2);
    layout->addWidget(new QLabel(QStringLiteral("第三步：请选择导出目录"), page));
    layout->addWidget(btnExDir);
    layout->addLayout(step4);
    layout->addWidget(grdImfile, 1);
    return page;
}

void TExportDataFrm::connectControls()
{
    connect(cbbExFile_Type, &QComboBox::currentIndexChanged, this, &TExportDataFrm::updateFilePagePictures);
    connect(chkExFile_ImageCheck, &QCheckBox::toggled, this, &TExportDataFrm::updateFilePagePictures);
    connect(cbbExDir_Type, &QComboBox::currentIndexChanged, this, &TExportDataFrm::updateTreePagePictures);
    connect(chkExDir_ImageCheck, &QCheckBox::toggled, this, &TExportDataFrm::updateTreePagePictures);
    for (QRadioButton *b : {rbExDir_ImageDirSame, rbExDir_ImageDirFix, rbExDir_ImageDirGiven})
        connect(b, &QRadioButton::toggled, this, &TExportDataFrm::updateGivenFolder);
    connect(btnExFile, &ButtonEdit::buttonClicked, this, &TExportDataFrm::browseFile);
    for (ButtonEdit *box : {btnExDir, btnExDir_ImageDir})
        connect(box, &ButtonEdit::buttonClicked, this, [this, box] { browseFolder(box); });
    connect(btnAddCat, &QPushButton::clicked, this, &TExportDataFrm::ExportListCheck);
    connect(cxTreeView, &QTreeWidget::itemDoubleClicked, this, &TExportDataFrm::ExportListCheck);
    connect(btnDelCat, &QPushButton::clicked, this, &TExportDataFrm::RemoveListedCategories);
    connect(cxListView, &QTreeWidget::itemDoubleClicked, this, &TExportDataFrm::RemoveListedCategories);
    connect(cxButton1, &QPushButton::clicked, this, &TExportDataFrm::Export);
    connect(cxButton2, &QPushButton::clicked, this, &QDialog::reject);
    connect(cxButton3, &QPushButton::clicked, this, &TExportDataFrm::QueryFiles);
    connect(cxButton4, &QPushButton::clicked, this, &TExportDataFrm::ClearFiles);
    connect(m_files, &StagingFileModel::writeFailed, this,
            [this](const QString &message) { MessageBoxes::error(this, windowTitle(), message); });
}

// ---- creation and closing ----

void TExportDataFrm::fillCategories()
{
    FillCategoryCombo(m_owner.dm(), cbbExFile_DataCat, true, false);
    int index = 0;
    if (const TCategory *selected = m_owner.SelectedCategory()) {
        for (int i = 0; i < cbbExFile_DataCat->count(); ++i)
            if (ComboCategory(cbbExFile_DataCat, i).cID == selected->cID)
                index = i;
    }
    cbbExFile_DataCat->setCurrentIndex(index);
    FillCategoryTree(m_owner.dm(), cxTreeView, m_treeReady);
}

void TExportDataFrm::loadSettings()
{
    Settings &settings = m_owner.settings();
    if (settings.LoadSettings(SettingsSection::EXPORT))
        applySettings(settings.record());
    else
        MessageBoxes::error(this, windowTitle(), SettingsLoadFailureText());
    updateFilePagePictures();
    updateTreePagePictures();
}

void TExportDataFrm::applySettings(const SettingsRecord &r)
{
    pgcExport->setCurrentIndex(qBound(0, r.ExportPageIndex, 1));
    pgcExportDir->setCurrentIndex(qBound(0, r.ExportDirPageIndex, 2));
    selectItem(cbbExFile_Type, r.ExFormat);
    selectItem(cbbExFile_Range, r.ExRange);
    const QString folder = r.ExFilePath.isEmpty() ? QDir::toNativeSeparators(QDir::currentPath() + QLatin1Char('/'))
                                                  : r.ExFilePath;
    btnExFile->setText(folder + DefaultExportFileName(r.ExFileName));
    selectItem(cbbExFile_ImageDir, r.ExImageDir);
    chkExFile_ImageCheck->setChecked(r.ExImageCheck);
    selectItem(cbbExDir_Type, r.ExDir_Type);
    edtExDir_SubPreDef->setText(r.ExDir_SubPreDef);
    edtExDir_SubSufDef->setText(r.ExDir_SubSufDef);
    RgExDir_Range->setItemIndex(r.ExDir_Range);
    checkFirstSet({{rbExDir_ImageDirSame, r.ExDir_ImageDirSame},
                   {rbExDir_ImageDirFix, r.ExDir_ImageDirFix},
                   {rbExDir_ImageDirGiven, r.ExDir_ImageDirGiven}});
    btnExDir_ImageDir->setText(r.ExDir_ImageDir);
    chkExDir_ImageCheck->setChecked(r.ExDir_ImageCheck);
    btnExDir->setText(r.ExDirName);
}

void TExportDataFrm::readBackSettings(SettingsRecord &r) const
{
    r.ExportPageIndex = pgcExport->currentIndex();
    r.ExportDirPageIndex = pgcExportDir->currentIndex();
    r.ExFormat = cbbExFile_Type->currentIndex();
    r.ExRange = cbbExFile_Range->currentIndex();
    const QString file = btnExFile->text().trimmed();
    const int cut = lastSeparator(file) + 1;
    r.ExFilePath = file.left(cut);
    r.ExFileName = file.mid(cut);
    r.ExImageDir = cbbExFile_ImageDir->currentIndex();
    r.ExImageCheck = chkExFile_ImageCheck->isChecked();
    r.ExDir_Type = cbbExDir_Type->currentIndex();
    r.ExDir_SubPreDef = edtExDir_SubPreDef->text();
    r.ExDir_SubSufDef = edtExDir_SubSufDef->text();
    r.ExDir_Range = RgExDir_Range->itemIndex();
    r.ExDir_ImageDirSame = rbExDir_ImageDirSame->isChecked();
    r.ExDir_ImageDirFix = rbExDir_ImageDirFix->isChecked();
    r.ExDir_ImageDirGiven = rbExDir_ImageDirGiven->isChecked();
    r.ExDir_ImageDir = btnExDir_ImageDir->text();
    r.ExDir_ImageCheck = chkExDir_ImageCheck->isChecked();
    r.ExDirName = btnExDir->text();
}

void TExportDataFrm::done(int result)
{
    if (m_running)
        return; // the run ends first; its progress window has the cancel button
    Settings &settings = m_owner.settings();
    readBackSettings(settings.record());
    if (!settings.SaveSettings(SettingsSection::EXPORT))
        MessageBoxes::error(this, windowTitle(), SettingsSaveFailureText());
    m_files->close();
    QDialog::done(result);
}

// ---- picture options ----

// A Paipai file names its pictures beside itself: the folder named like the file.
void TExportDataFrm::updateFilePagePictures()
{
    if (cbbExFile_Type->currentIndex() == PaipaiItem) {
        cbbExFile_ImageDir->setCurrentIndex(0);
        cbbExFile_ImageDir->setEnabled(false);
    } else {
        cbbExFile_ImageDir->setEnabled(chkExFile_ImageCheck->isChecked());
    }
}

void TExportDataFrm::updateTreePagePictures()
{
    const bool paipai = cbbExDir_Type->currentIndex() == PaipaiItem;
    if (paipai)
        rbExDir_ImageDirSame->setChecked(true);
    for (QRadioButton *b : {rbExDir_ImageDirSame, rbExDir_ImageDirFix, rbExDir_ImageDirGiven})
        b->setEnabled(!paipai && chkExDir_ImageCheck->isChecked());
    updateGivenFolder();
}

void TExportDataFrm::updateGivenFolder()
{
    btnExDir_ImageDir->setEnabled(rbExDir_ImageDirGiven->isEnabledTo(m_body) && rbExDir_ImageDirGiven->isChecked());
}

void TExportDataFrm::browseFile()
{
    const QString chosen = FileDialogs::saveFile(this, QStringLiteral("保存"), btnExFile->text(), kCsvFilter);
    if (!chosen.isEmpty())
        btnExFile->setText(QDir::toNativeSeparators(WithCsvExtension(chosen)));
}

void TExportDataFrm::browseFolder(ButtonEdit *box)
{
    const QString chosen = FileDialogs::existingFolder(this, QStringLiteral("浏览文件夹"), box->text());
    if (!chosen.isEmpty())
        box->setText(QDir::toNativeSeparators(chosen));
}

// ---- the export list ----

void TExportDataFrm::ExportListCheck()
{
    for (QTreeWidgetItemIterator it(cxTreeView, QTreeWidgetItemIterator::Selected); *it; ++it) {
        const TCategory *candidate = CategoryOf(*it);
        if (!candidate)
            continue;
        bool add = true;
        for (int i = cxListView->topLevelItemCount() - 1; i >= 0 && add; --i) {
            const TCategory *listed = CategoryOf(cxListView->topLevelItem(i));
            if (listed->cID == candidate->cID || candidate->ancestors.contains(listed->cID))
                add = false;
            else if (listed->ancestors.contains(candidate->cID))
                delete cxListView->takeTopLevelItem(i);
        }
        if (!add)
            continue;
        auto *item = new CategoryNode(*candidate);
        item->setText(0, (*it)->text(0));
        item->setIcon(0, (*it)->icon(0));
        cxListView->addTopLevelItem(item);
    }
}

void TExportDataFrm::RemoveListedCategories()
{
    qDeleteAll(cxListView->selectedItems());
}

void TExportDataFrm::reloadGrid()
{
    m_files->reload();
}

void TExportDataFrm::QueryFiles()
{
    if (m_running)
        return;
    ExportTreeOptions options;
    options.exportFolder = btnExDir->text().trimmed();
    if (options.exportFolder.isEmpty()) {
        // an empty folder would put the files at the top of the file system
        MessageBoxes::inform(this, windowTitle(), QStringLiteral("请先选择导出目录！"));
        btnExDir->setFocus();
        return;
    }
    options.pictureMode = rbExDir_ImageDirSame->isChecked() ? 0 : rbExDir_ImageDirFix->isChecked() ? 1 : 2;
    options.givenPictureDir = btnExDir_ImageDir->text().trimmed();
    options.exportPictures = chkExDir_ImageCheck->isChecked();
    options.range = RgExDir_Range->itemIndex();
    options.prefix = edtExDir_SubPreDef->text().trimmed();
    options.suffix = edtExDir_SubSufDef->text().trimmed();
    QList<qint64> chosen;
    for (int i = 0; i < cxListView->topLevelItemCount(); ++i)
        chosen << CategoryOf(cxListView->topLevelItem(i))->cID;
    QString error;
    const bool ok = BuildExportFileList(m_owner.dm(), options, chosen, error);
    try {
        reloadGrid();
    } catch (const StoreError &e) {
        MessageBoxes::error(this, windowTitle(), e.message());
    }
    if (!ok)
        MessageBoxes::inform(this, windowTitle(), error);
}

void TExportDataFrm::ClearFiles()
{
    if (m_running)
        return;
    QString ignored;
    ClearExportFiles(m_owner.dm(), ignored);
    try {
        reloadGrid();
    } catch (const StoreError &) {
    }
}

// ---- exports ----

void TExportDataFrm::Export()
{
    if (m_running)
        return;
    try {
        if (pgcExport->currentIndex() == 1)
            ExportFileList();
        else
            ExportSingleCategory();
    } catch (const StoreError &e) {
        setRunning(false);
        MessageBoxes::error(this, windowTitle(), ExportFailedText(e.message()));
    }
}

void TExportDataFrm::ExportSingleCategory()
{
    if (cbbExFile_DataCat->currentIndex() < 0) {
        MessageBoxes::inform(this, windowTitle(), QStringLiteral("请先选择导出哪个分类..."));
        cbbExFile_DataCat->setFocus();
        return;
    }
    if (btnExFile->text().trimmed().isEmpty()) {
        MessageBoxes::inform(this, TMainFrm::Caption(), QStringLiteral("请先输入导出文件完整路径！"));
        btnExFile->setFocus();
        return;
    }
    ExportOptions options;
    options.format = FormatFromIndex(cbbExFile_Type->currentIndex());
    options.cID = ComboCategory(cbbExFile_DataCat, cbbExFile_DataCat->currentIndex()).cID;
    options.range = cbbExFile_Range->currentIndex();
    options.file = btnExFile->text();
    options.exportPictures = chkExFile_ImageCheck->isChecked();
    options.pictureMode = cbbExFile_ImageDir->currentIndex();
    options.existing = ExistingFilePolicy::Fail;
    if (QFileInfo::exists(ExportCsvPath(options.file))) {
        const auto answer = MessageBoxes::show(this, QMessageBox::Information, windowTitle(), SingleExportExistsText(),
                                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes)
            options.existing = ExistingFilePolicy::Overwrite;
        else if (answer == QMessageBox::No)
            options.existing = ExistingFilePolicy::Merge;
        else
            return;
    }

    TProgressFrm progress(this, QStringLiteral("正在导出数据..."));
    setRunning(true);
    progress.start();
    const ExportResult result = ::ExportSingleCategory(m_owner.dm(), m_owner.home(), options, nullptr, &progress);
    progress.hide();
    setRunning(false);
    if (result.status == ExportResult::Succeeded)
        offerToOpenFolderOf(result.csvPath);
    else if (result.status == ExportResult::Failed)
        MessageBoxes::error(this, windowTitle(), ExportFailedText(result.error));
}

void TExportDataFrm::ExportFileList()
{
    reloadGrid();
    const int count = m_files->rowCount();
    if (count == 0) {
        MessageBoxes::inform(this, windowTitle(), NothingToExportText());
        return;
    }
    TMulProgressFrm progress(this, QStringLiteral("正在导出数据..."));
    setRunning(true);
    progress.start();
    progress.files().setProgress(0, count);
    DialogMessages messages(this, windowTitle(), &progress.records());
    const ExportRunResult result = ::ExportFileList(m_owner.dm(), m_owner.home(),
                                                    FormatFromIndex(cbbExDir_Type->currentIndex()), messages,
                                                    {&progress.files(), &progress.records()});
    progress.hide();
    setRunning(false);
    switch (result.status) {
    case ExportRunResult::Succeeded:
        offerToOpenFolderOf(result.firstPath);
        break;
    case ExportRunResult::NothingToExport:
        MessageBoxes::inform(this, windowTitle(), result.error);
        break;
    case ExportRunResult::Failed:
        MessageBoxes::error(this, windowTitle(), ExportFailedText(result.error));
        break;
    case ExportRunResult::Stopped:
        // The user saw why the last file failed, unless the run stopped at the cancel button.
        if (progress.cancelled())
            MessageBoxes::error(this, windowTitle(), ExportFailedText(result.error));
        break;
    case ExportRunResult::Cancelled:
        break;
    }
}

void TExportDataFrm::offerToOpenFolderOf(const QString &csvPath)
{
    if (MessageBoxes::ask(this, windowTitle(), ExportSucceededQuestion()))
        OpenFolder(QFileInfo(QDir::fromNativeSeparators(csvPath)).absolutePath());
}

void TExportDataFrm::setRunning(bool running)
{
    m_running = running;
    m_body->setEnabled(!running);
}

#include "TImportDataFrm.h"

#include "TMulProgressFrm.h"
#include "TProgressFrm.h"
#include "category_tree.h"
#include "dialog_widgets.h"
#include "file_dialogs.h"
#include "main_window.h"
#include "message_boxes.h"
#include "staging_file_model.h"

#include "import/directory_import.h"
#include "import/single_import.h"
#include "store/data_module.h"
#include "store/item_queries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kCsvFilter = QStringLiteral("逗号分隔符文件 (*.csv);;All Files (*.*)");

template <class T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Checks the first radio button that a stored flag names; none set checks the first.
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

} // namespace

TImportDataFrm::TImportDataFrm(TMainFrm &owner, int formatCode, const QString &caption)
    : QDialog(&owner)
    , m_owner(owner)
    , m_formatCode(formatCode)
{
    setObjectName(QStringLiteral("IMportDataFrm"));
    setWindowTitle(caption);
    setFont(DialogFont(14));
    resize(700, 700);
    CentreOnScreen(this);
    m_files = new StagingFileModel(owner.dm(), QStringLiteral("ImFile"), QStringLiteral("导入图片"), this);

    m_body = new QWidget(this);
    pgcImport = named(new QTabWidget(m_body), "pgcImport");
    pgcImport->addTab(buildFilePage(), QStringLiteral("导入单个文件"));
    pgcImport->addTab(buildFolderPage(), QStringLiteral("导入整个目录"));
    cxButton1 = named(new QPushButton(QStringLiteral("&I导入"), m_body), "cxButton1");
    cxButton2 = named(new QPushButton(QStringLiteral("&C取消"), m_body), "cxButton2");
    auto *bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(pgcImport, 1);
    bodyLayout->addWidget(BottomPanel(m_body, {cxButton1, cxButton2}));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_body);

    connectControls();
    loadSettings();
    fillCategoryLists();
    applyEnabling();
    reloadGrid();
}

QWidget *TImportDataFrm::buildFilePage()
{
    auto *page = new QWidget;
    btnImFile = new ButtonEdit(QStringLiteral("btnImFile"), page);
    chkImFile_ImageCheck = named(new QCheckBox(QStringLiteral("导入图片"), page), "chkImFile_ImageCheck");
    btnImFile_ImageDir = new ButtonEdit(QStringLiteral("btnImFile_ImageDir"), page);

    auto *target = new QGroupBox(QStringLiteral("第二步：请选择数据导入到哪个分类"), page);
    target->setObjectName(QStringLiteral("GbImFile_Cat"));
    rbImFile_CatNew = named(new QRadioButton(QStringLiteral("自动生成新的分类"), target), "rbImFile_CatNew");
    rbImFile_CatExi = named(new QRadioButton(QStringLiteral("选择已有的分类"), target), "rbImFile_CatExi");
    cbbImFile_CatExi = named(new QComboBox(target), "cbbImFile_CatExi");
    chkImFile_CatRep = named(new QCheckBox(QStringLiteral("使用新的分类名称覆盖已有分类的名称"), target), "chkImFile_CatRep");
    rbImFile_CatNew->setChecked(true);
    auto *targetLayout = new QGridLayout(target);
    targetLayout->addWidget(rbImFile_CatNew, 0, 0, 1, 2);
    targetLayout->addWidget(rbImFile_CatExi, 1, 0);
    targetLayout->addWidget(cbbImFile_CatExi, 1, 1);
    targetLayout->addWidget(chkImFile_CatRep, 2, 1);
    targetLayout->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("第一步：导入文件名"), page));
    layout->addWidget(btnImFile);
    layout->addWidget(chkImFile_ImageCheck);
    layout->addWidget(btnImFile_ImageDir);
    layout->addWidget(target);
    layout->addStretch(1);
    return page;
}

QWidget *TImportDataFrm::buildSubFolderSheet()
{
    auto *sheet = new QWidget;
    auto *note = new QLabel(QStringLiteral("说明：程序会将子目录导入到子分类，请指定子目录名称格式！"), sheet);
    note->setStyleSheet(QStringLiteral("color: purple;"));
    edtImDir_SubPreDef = named(new QLineEdit(sheet), "edtImDir_SubPreDef");
    edtImDir_SubSufDef = named(new QLineEdit(QStringLiteral("_子目录"), sheet), "edtImDir_SubSufDef");
    auto *pattern = new QHBoxLayout;
    pattern->addWidget(new QLabel(QStringLiteral("子目录名称格式:"), sheet));
    pattern->addWidget(edtImDir_SubPreDef);
    pattern->addWidget(new QLabel(QStringLiteral("+"), sheet));
    pattern->addWidget(new QLabel(QStringLiteral("子分类名称"), sheet));
    pattern->addWidget(new QLabel(QStringLiteral("+"), sheet));
    pattern->addWidget(edtImDir_SubSufDef);
    RgImDir_Range = new RadioGroup(QStringLiteral("RgImDir_Range"), QStringLiteral("选择导入范围"),
                                   {QStringLiteral("导入所有目录的文件"), QStringLiteral("只导入主目录的文件"),
                                    QStringLiteral("只导入子目录的文件")},
                                   3, sheet);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(note);
    layout->addLayout(pattern);
    layout->addWidget(RgImDir_Range);
    layout->addStretch(1);
    return sheet;
}

QWidget *TImportDataFrm::buildPictureSheet()
{
    auto *sheet = new QWidget;
    chkImDir_ImageCheck = named(new QCheckBox(QStringLiteral("是否导入图片"), sheet), "chkImDir_ImageCheck");
    chkImDir_ImageCheck->setChecked(true);
    GbImDir_ImageDir = named(new QGroupBox(QStringLiteral("图片路径设置"), sheet), "GbImDir_ImageDir");
    rbImDir_ImageDirSame = named(new QRadioButton(QStringLiteral("与CSV文件同目录同名"), GbImDir_ImageDir), "rbImDir_ImageDirSame");
    rbImDir_ImageDirFix = named(new QRadioButton(QStringLiteral("与CSV文件同目录，名字为images"), GbImDir_ImageDir),
                                "rbImDir_ImageDirFix");
    rbImDir_ImageDirGiven = named(new QRadioButton(QStringLiteral("指定目录"), GbImDir_ImageDir), "rbImDir_ImageDirGiven");
    btnImDir_ImageDir = new ButtonEdit(QStringLiteral("btnImDir_ImageDir"), GbImDir_ImageDir);
    rbImDir_ImageDirSame->setChecked(true);
    auto *group = new QGridLayout(GbImDir_ImageDir);
    group->addWidget(rbImDir_ImageDirSame, 0, 0, 1, 2);
    group->addWidget(rbImDir_ImageDirFix, 1, 0, 1, 2);
    group->addWidget(rbImDir_ImageDirGiven, 2, 0);
    group->addWidget(btnImDir_ImageDir, 2, 1);
    group->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(chkImDir_ImageCheck);
    layout->addWidget(GbImDir_ImageDir);
    layout->addStretch(1);
    return sheet;
}

QGroupBox *TImportDataFrm::buildFolderTargetGroup()
{
    GbCat = named(new QGroupBox(QStringLiteral("第二步：选择导入分类")), "GbCat");
    rbImDir_CatNew = named(new QRadioButton(QStringLiteral("自动生成新的分类"), GbCat), "rbImDir_CatNew");
    rbImDir_CatExi = named(new QRadioButton(QStringLiteral("选择已有的分类"), GbCat), "rbImDir_CatExi");
    cbbImDir_CatExi = named(new QComboBox(GbCat), "cbbImDir_CatExi");
    chkImDir_CatRep = named(new QCheckBox(QStringLiteral("使用新的分类名称覆盖已有分类的名称"), GbCat), "chkImDir_CatRep");
    rbImDir_CatNew->setChecked(true);
    auto *layout = new QGridLayout(GbCat);
    layout->addWidget(rbImDir_CatNew, 0, 0);
    layout->addWidget(rbImDir_CatExi, 0, 1);
    layout->addWidget(cbbImDir_CatExi, 0, 2);
    layout->addWidget(chkImDir_CatRep, 1, 1, 1, 2);
    layout->setColumnStretch(2, 1);
    return GbCat;
}

QWidget *TImportDataFrm::buildFolderPage()
{
    auto *page = new QWidget;
    btnImDir = new ButtonEdit(QStringLiteral("btnImDir"), page);
    pgcImportDir = named(new QTabWidget(page), "pgcImportDir");
    pgcImportDir->addTab(buildSubFolderSheet(), QStringLiteral("子目录选项"));
    pgcImportDir->addTab(buildPictureSheet(), QStringLiteral("图片选项"));
    QGroupBox *target = buildFolderTargetGroup();
    target->setParent(page);

    cxButton3 = named(new QPushButton(QStringLiteral("&Q查询导入文件"), page), "cxButton3");
    cxButton4 = named(new QPushButton(QStringLiteral("&C清空"), page), "cxButton4");
    auto *step3 = new QHBoxLayout;
    step3->addWidget(new QLabel(QStringLiteral("第三步："), page));
    step3->addWidget(cxButton3);
    auto *note = new QLabel(QStringLiteral("结过上面设置后，导入将根据下面表格的设置，可以修改导入信息"), page);
    note->setWordWrap(true);
    step3->addWidget(note, 1);
    step3->addWidget(cxButton4);
    grdImfile = NewStagingGrid(page, m_files);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("第一步：选择导入目录"), page));
    layout->addWidget(btnImDir);
    layout->addWidget(pgcImportDir);
    layout->addWidget(target);
    layout->addLayout(step3);
    layout->addWidget(grdImfile, 1);
    return page;
}

void TImportDataFrm::connectControls()
{
    connect(btnImFile, &ButtonEdit::buttonClicked, this, &TImportDataFrm::browseFile);
    for (ButtonEdit *box : {btnImFile_ImageDir, btnImDir, btnImDir_ImageDir})
        connect(box, &ButtonEdit::buttonClicked, this, [this, box] { browseFolder(box); });
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{
             chkImFile_ImageCheck, rbImFile_CatNew, rbImFile_CatExi, chkImDir_ImageCheck, rbImDir_ImageDirSame,
             rbImDir_ImageDirFix, rbImDir_ImageDirGiven, rbImDir_CatNew, rbImDir_CatExi})
        connect(b, &QAbstractButton::toggled, this, &TImportDataFrm::applyEnabling);
    connect(cxButton1, &QPushButton::clicked, this, &TImportDataFrm::Import);
    connect(cxButton2, &QPushButton::clicked, this, &QDialog::reject);
    connect(cxButton3, &QPushButton::clicked, this, &TImportDataFrm::QueryFiles);
    connect(cxButton4, &QPushButton::clicked, this, &TImportDataFrm::ClearFiles);
    connect(m_files, &StagingFileModel::writeFailed, this,
            [this](const QString &message) { MessageBoxes::error(this, windowTitle(), message); });
}

// ---- settings ----

void TImportDataFrm::loadSettings()
{
    Settings &settings = m_owner.settings();
    const bool loaded = settings.LoadSettings(SettingsSection::IMPORT);
    applySettings(settings.record());
    if (!loaded)
        MessageBoxes::error(this, windowTitle(), SettingsLoadFailureText());
}

void TImportDataFrm::applySettings(const SettingsRecord &r)
{
    pgcImport->setCurrentIndex(qBound(0, r.ImportPageIndex, 1));
    pgcImportDir->setCurrentIndex(qBound(0, r.ImportDirPageIndex, 1));
    (r.ImCatSel != 0 ? rbImFile_CatExi : rbImFile_CatNew)->setChecked(true);
    chkImFile_CatRep->setChecked(r.ImRepCat);
    btnImFile->setText(r.ImFileName);
    btnImFile_ImageDir->setText(r.ImImageDir);
    chkImFile_ImageCheck->setChecked(r.ImImageCheck);
    (r.ImDir_CatSel != 0 ? rbImDir_CatExi : rbImDir_CatNew)->setChecked(true);
    chkImDir_CatRep->setChecked(r.ImDir_CatRep);
    btnImDir->setText(r.ImDirName);
    edtImDir_SubPreDef->setText(r.ImDir_SubPreDef);
    edtImDir_SubSufDef->setText(r.ImDir_SubSufDef);
    RgImDir_Range->setItemIndex(r.ImDir_Range);
    checkFirstSet({{rbImDir_ImageDirSame, r.ImDir_ImageDirSame},
                   {rbImDir_ImageDirFix, r.ImDir_ImageDirFix},
                   {rbImDir_ImageDirGiven, r.ImDir_ImageDirGiven}});
    btnImDir_ImageDir->setText(r.ImDir_ImageDir);
    chkImDir_ImageCheck->setChecked(r.ImDir_ImageCheck);
}

void TImportDataFrm::readBackSettings(SettingsRecord &r) const
{
    r.ImportPageIndex = pgcImport->currentIndex();
    r.ImportDirPageIndex = pgcImportDir->currentIndex();
    r.ImCatSel = rbImFile_CatExi->isChecked() ? 1 : 0;
    r.ImRepCat = chkImFile_CatRep->isChecked();
    r.ImFileName = btnImFile->text();
    r.ImImageDir = btnImFile_ImageDir->text();
    r.ImImageCheck = chkImFile_ImageCheck->isChecked();
    r.ImDir_CatSel = rbImDir_CatExi->isChecked() ? 1 : 0;
    r.ImDir_CatRep = chkImDir_CatRep->isChecked();
    r.ImDirName = btnImDir->text();
    r.ImDir_SubPreDef = edtImDir_SubPreDef->text();
    r.ImDir_SubSufDef = edtImDir_SubSufDef->text();
    r.ImDir_Range = RgImDir_Range->itemIndex();
    r.ImDir_ImageDirSame = rbImDir_ImageDirSame->isChecked();
    r.ImDir_ImageDirFix = rbImDir_ImageDirFix->isChecked();
    r.ImDir_ImageDirGiven = rbImDir_ImageDirGiven->isChecked();
    r.ImDir_ImageDir = btnImDir_ImageDir->text();
    r.ImDir_ImageCheck = chkImDir_ImageCheck->isChecked();
}

void TImportDataFrm::done(int result)
{
    if (m_running)
        return; // the run ends first; its progress window has the cancel button
    Settings &settings = m_owner.settings();
    readBackSettings(settings.record());
    if (!settings.SaveSettings(SettingsSection::IMPORT))
        MessageBoxes::error(this, windowTitle(), SettingsSaveFailureText());
    m_files->close();
    QDialog::done(result);
}

// ---- controls ----

void TImportDataFrm::fillCategoryLists()
{
    cbbImFile_CatExi->clear();
    cbbImDir_CatExi->clear();
    FillCategoryCombo(m_owner.dm(), cbbImFile_CatExi, false, false);
    FillCategoryCombo(m_owner.dm(), cbbImDir_CatExi, false, true);
    // Nothing is chosen until the user chooses.
    cbbImFile_CatExi->setCurrentIndex(-1);
    cbbImDir_CatExi->setCurrentIndex(-1);
}

void TImportDataFrm::applyEnabling()
{
    btnImFile_ImageDir->setEnabled(chkImFile_ImageCheck->isChecked());
    // "选择已有的分类" needs a category to choose from.
    const auto existingChoice = [](QRadioButton *existing, QRadioButton *fresh, QComboBox *list, QCheckBox *rename) {
        existing->setEnabled(list->count() > 0);
        if (!existing->isEnabled() && existing->isChecked())
            fresh->setChecked(true);
        list->setEnabled(existing->isChecked());
        rename->setEnabled(existing->isChecked());
    };
    existingChoice(rbImFile_CatExi, rbImFile_CatNew, cbbImFile_CatExi, chkImFile_CatRep);
    existingChoice(rbImDir_CatExi, rbImDir_CatNew, cbbImDir_CatExi, chkImDir_CatRep);
    GbImDir_ImageDir->setEnabled(chkImDir_ImageCheck->isChecked());
    btnImDir_ImageDir->setEnabled(rbImDir_ImageDirGiven->isChecked());
}

void TImportDataFrm::reloadGrid()
{
    m_files->reload();
}

void TImportDataFrm::browseFile()
{
    QString chosen = FileDialogs::openFile(this, QStringLiteral("打开"), btnImFile->text(), kCsvFilter);
    if (chosen.isEmpty())
        return;
    chosen = WithCsvExtension(chosen);
    btnImFile->setText(native(chosen));
    fillPictureFolderFor(chosen);
}

void TImportDataFrm::fillPictureFolderFor(const QString &file)
{
    const QString sameName = PathWithoutFileExtension(file);
    const QString folder = QFileInfo(sameName).isDir() ? sameName
                                                      : QFileInfo(file).absolutePath() + QStringLiteral("/images");
    btnImFile_ImageDir->setText(native(folder));
}

void TImportDataFrm::browseFolder(ButtonEdit *box)
{
    const QString chosen = FileDialogs::existingFolder(this, QStringLiteral("浏览文件夹"), box->text());
    if (!chosen.isEmpty())
        box->setText(native(chosen));
}

void TImportDataFrm::takeDroppedPath(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        pgcImport->setCurrentIndex(1);
        btnImDir->setText(native(path));
        return;
    }
    pgcImport->setCurrentIndex(0);
    btnImFile->setText(native(path));
    fillPictureFolderFor(path);
}

// ---- import ----

bool TImportDataFrm::checkExistingChoice(QRadioButton *existing, QComboBox *list)
{
    if (!existing->isChecked() || list->currentIndex() >= 0)
        return true;
    MessageBoxes::inform(this, windowTitle(), QStringLiteral("请先选择已有的分类..."));
    list->setFocus();
    return false;
}

bool TImportDataFrm::checkFilePage()
{
    if (!checkExistingChoice(rbImFile_CatExi, cbbImFile_CatExi))
        return false;
    const QString file = btnImFile->text().trimmed();
    if (!QFileInfo(file).isFile()) {
        MessageBoxes::inform(this, TMainFrm::Caption(),
                             QStringLiteral("当前导入文件不存在，无法导入，请选择CSV数据文件再导入！"));
        btnImFile->setFocus();
        return false;
    }
    if (!file.endsWith(QLatin1String(".csv"))) {
        MessageBoxes::inform(this, TMainFrm::Caption(),
                             QStringLiteral("当前导入不是CSV文件，无法导入，请选择CSV数据文件再导入！"));
        btnImFile->setFocus();
        return false;
    }
    if (chkImFile_ImageCheck->isChecked() && !QFileInfo(btnImFile_ImageDir->text().trimmed()).isDir()) {
        MessageBoxes::inform(this, TMainFrm::Caption(),
                             QStringLiteral("当前导入图片目录不存在，请先选择正确的图片目录再导入数据！"));
        btnImFile_ImageDir->setFocus();
        return false;
    }
    return true;
}

void TImportDataFrm::Import()
{
    if (m_running)
        return;
    try {
        if (pgcImport->currentIndex() == 1)
            importFolder();
        else if (checkFilePage())
            importFile();
    } catch (const StoreError &e) {
        setRunning(false);
        showFailure(e.message());
    }
}

void TImportDataFrm::importFile()
{
    SingleImportOptions options;
    options.filePath = btnImFile->text().trimmed();
    options.formatCode = m_formatCode;
    options.target.useExisting = rbImFile_CatExi->isChecked();
    if (options.target.useExisting) {
        const TObjCat chosen = ComboCategory(cbbImFile_CatExi, cbbImFile_CatExi->currentIndex());
        options.target.existingId = chosen.cID;
        options.target.existingName = chosen.cName;
        options.target.rename = chkImFile_CatRep->isChecked();
    }
    options.importPictures = chkImFile_ImageCheck->isChecked();
    options.pictureDir = btnImFile_ImageDir->text().trimmed();

    TProgressFrm progress(this, QStringLiteral("正在导入数据..."));
    setRunning(true);
    progress.start();
    qint64 target = 0;
    QString error;
    const bool ok = ImportOneFile(m_owner.dm(), m_owner.home(), options, &progress, target, error);
    progress.hide();
    setRunning(false);
    m_formatCode = options.formatCode;
    if (target > 0)
        m_targetId = target;
    if (ok)
        finishSucceeded(target);
    else
        showFailure(error);
}

void TImportDataFrm::importFolder()
{
    if (!checkExistingChoice(rbImDir_CatExi, cbbImDir_CatExi))
        return;
    reloadGrid();
    const int count = m_files->rowCount();
    if (count == 0) {
        MessageBoxes::inform(this, windowTitle(),
                             QStringLiteral("当前没有CSV文件可导入，请先按上面的步骤操作，点击“查询导入文件”之后，"
                                            "表格里面有记录才可以导入！"));
        return;
    }
    TMulProgressFrm progress(this, QStringLiteral("正在导入数据..."));
    setRunning(true);
    progress.start();
    progress.files().setProgress(0, count);
    QString error;
    const bool ok = ImportFileList(m_owner.dm(), m_owner.home(), m_folderTarget, m_formatCode, &progress.files(),
                                   &progress.records(), error);
    progress.hide();
    setRunning(false);
    if (ok)
        finishSucceeded(m_folderTarget > 0 ? m_folderTarget : m_files->cIDOfRow(0));
    else
        showFailure(error);
}

void TImportDataFrm::finishSucceeded(qint64 target)
{
    try {
        QTreeWidget *tree = m_owner.categoryTree();
        FillCategoryTree(m_owner.dm(), tree, m_owner.TreeReady());
        FindCategoryNode(tree, target);
    } catch (const StoreError &e) {
        MessageBoxes::error(this, windowTitle(), QStringLiteral("打开界面数据失败，原因：") + e.message());
    }
    MessageBoxes::inform(this, windowTitle(), QStringLiteral("导入成功！"));
    accept();
}

void TImportDataFrm::showFailure(const QString &reason)
{
    MessageBoxes::error(this, windowTitle(), RetryFailureText(QStringLiteral("导入失败，原因："), reason));
}

void TImportDataFrm::QueryFiles()
{
    if (m_running || !checkExistingChoice(rbImDir_CatExi, cbbImDir_CatExi))
        return;
    FolderQueryOptions options;
    options.folder = btnImDir->text();
    options.prefix = edtImDir_SubPreDef->text();
    options.suffix = edtImDir_SubSufDef->text();
    options.range = FolderRange(RgImDir_Range->itemIndex());
    options.importPictures = chkImDir_ImageCheck->isChecked();
    options.pictureMode = rbImDir_ImageDirSame->isChecked()  ? PictureFolderMode::SameName
                          : rbImDir_ImageDirFix->isChecked() ? PictureFolderMode::Images
                                                             : PictureFolderMode::Given;
    options.givenPictureDir = btnImDir_ImageDir->text();
    options.target.useExisting = rbImDir_CatExi->isChecked();
    if (options.target.useExisting) {
        const TObjCat chosen = ComboCategory(cbbImDir_CatExi, cbbImDir_CatExi->currentIndex());
        options.target.existingId = chosen.cID;
        options.target.existingName = chosen.cName;
        options.target.rename = chkImDir_CatRep->isChecked();
    }
    qint64 top = 0;
    QString error;
    const bool ok = QueryImportFiles(m_owner.dm(), options, top, error);
    if (top > 0)
        m_folderTarget = m_targetId = top;
    try {
        reloadGrid(); // rows listed before a failure show too
    } catch (const StoreError &e) {
        if (ok)
            error = e.message();
    }
    if (!ok)
        MessageBoxes::inform(this, windowTitle(), QStringLiteral("查询导入文件失败，原因：") + error);
}

void TImportDataFrm::ClearFiles()
{
    if (m_running)
        return;
    QString error;
    if (!ClearImportFiles(m_owner.dm(), error))
        MessageBoxes::error(this, windowTitle(), error);
    try {
        reloadGrid();
    } catch (const StoreError &e) {
        MessageBoxes::error(this, windowTitle(), e.message());
    }
}

void TImportDataFrm::setRunning(bool running)
{
    m_running = running;
    m_body->setEnabled(!running);
}

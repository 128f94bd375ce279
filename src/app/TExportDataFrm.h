#pragma once

#include <QDialog>

class ButtonEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTreeWidget;
class RadioGroup;
class StagingFileModel;
class TMainFrm;
struct SettingsRecord;

// The saved export file name, or "download" + the current minute ("yyyyMMddHHmm") + ".csv".
QString DefaultExportFileName(const QString &saved);

// The export dialog: one category into one file on its first page, a set of category trees
// into a folder of files on its second. It reads the EXPORT settings when it is made and saves
// them whenever it closes; it stays open after an export.
class TExportDataFrm final : public QDialog
{
    Q_OBJECT
public:
    explicit TExportDataFrm(TMainFrm &owner);

    bool isRunning() const { return m_running; }

    // The export button (cxButton1): the page that shows decides.
    void Export();
    // First page: one category into one file.
    void ExportSingleCategory();
    // Second page: every row of the file list.
    void ExportFileList();
    // Adds the selected tree categories to the export list; a listed ancestor keeps a
    // category out, and a category replaces its listed descendants.
    void ExportListCheck();
    // Removes the selected items of the export list.
    void RemoveListedCategories();
    // Builds the file list from the listed categories (cxButton3); empties it (cxButton4).
    void QueryFiles();
    void ClearFiles();

    QTabWidget *pgcExport = nullptr;
    // one category
    QComboBox *cbbExFile_Type = nullptr;
    QComboBox *cbbExFile_DataCat = nullptr;
    QComboBox *cbbExFile_Range = nullptr;
    ButtonEdit *btnExFile = nullptr;
    QCheckBox *chkExFile_ImageCheck = nullptr;
    QComboBox *cbbExFile_ImageDir = nullptr;
    // many categories
    QComboBox *cbbExDir_Type = nullptr;
    QTabWidget *pgcExportDir = nullptr;
    QTreeWidget *cxTreeView = nullptr;
    QPushButton *btnAddCat = nullptr;
    QPushButton *btnDelCat = nullptr;
    QTreeWidget *cxListView = nullptr;
    QLineEdit *edtExDir_SubPreDef = nullptr;
    QLineEdit *edtExDir_SubSufDef = nullptr;
    RadioGroup *RgExDir_Range = nullptr;
    QCheckBox *chkExDir_ImageCheck = nullptr;
    QGroupBox *GbExDir_ImageDir = nullptr;
    QRadioButton *rbExDir_ImageDirSame = nullptr;
    QRadioButton *rbExDir_ImageDirFix = nullptr;
    QRadioButton *rbExDir_ImageDirGiven = nullptr;
    ButtonEdit *btnExDir_ImageDir = nullptr;
    ButtonEdit *btnExDir = nullptr;
    QPushButton *cxButton3 = nullptr;
    QPushButton *cxButton4 = nullptr;
    QTableView *grdImfile = nullptr;
    // bottom panel
    QPushButton *cxButton1 = nullptr;
    QPushButton *cxButton2 = nullptr;

public slots:
    void done(int result) override;

private:
    QWidget *buildFilePage();
    QWidget *buildTreePage();
    QWidget *buildCategorySheet();
    QWidget *buildSubFolderSheet();
    QWidget *buildPictureSheet();
    void connectControls();

    void fillCategories();
    void loadSettings();
    void applySettings(const SettingsRecord &r);
    void readBackSettings(SettingsRecord &r) const;
    void updateFilePagePictures();
    void updateTreePagePictures();
    void updateGivenFolder();
    void reloadGrid();

    void browseFile();
    void browseFolder(ButtonEdit *box);
    void offerToOpenFolderOf(const QString &csvPath);
    void setRunning(bool running);

    TMainFrm &m_owner;
    bool m_running = false;
    bool m_treeReady = true;
    QWidget *m_body = nullptr;
    StagingFileModel *m_files = nullptr;
};

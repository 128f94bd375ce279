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
class RadioGroup;
class StagingFileModel;
class TMainFrm;
struct SettingsRecord;

// The import dialog: one shop file on its first page, a whole folder on its second. It reads
// the IMPORT settings when it is made and saves them whenever it closes; after a successful
// import it rebuilds the main window's category tree, selects the target and closes.
class TImportDataFrm final : public QDialog
{
    Q_OBJECT
public:
    // formatCode: 1 Taobao, 3 Paipai, 4 Youa.
    TImportDataFrm(TMainFrm &owner, int formatCode, const QString &caption);

    int formatCode() const { return m_formatCode; }
    qint64 targetId() const { return m_targetId; }
    bool isRunning() const { return m_running; }

    // Fills in a file or folder dropped onto the main window and shows its page.
    void takeDroppedPath(const QString &path);

    // The import button (cxButton1) on the page that shows.
    void Import();
    // The folder page's query (cxButton3) and clear (cxButton4) buttons.
    void QueryFiles();
    void ClearFiles();

    QTabWidget *pgcImport = nullptr;
    // single file
    ButtonEdit *btnImFile = nullptr;
    QCheckBox *chkImFile_ImageCheck = nullptr;
    ButtonEdit *btnImFile_ImageDir = nullptr;
    QRadioButton *rbImFile_CatNew = nullptr;
    QRadioButton *rbImFile_CatExi = nullptr;
    QComboBox *cbbImFile_CatExi = nullptr;
    QCheckBox *chkImFile_CatRep = nullptr;
    // folder
    ButtonEdit *btnImDir = nullptr;
    QTabWidget *pgcImportDir = nullptr;
    QLineEdit *edtImDir_SubPreDef = nullptr;
    QLineEdit *edtImDir_SubSufDef = nullptr;
    RadioGroup *RgImDir_Range = nullptr;
    QCheckBox *chkImDir_ImageCheck = nullptr;
    QGroupBox *GbImDir_ImageDir = nullptr;
    QRadioButton *rbImDir_ImageDirSame = nullptr;
    QRadioButton *rbImDir_ImageDirFix = nullptr;
    QRadioButton *rbImDir_ImageDirGiven = nullptr;
    ButtonEdit *btnImDir_ImageDir = nullptr;
    QGroupBox *GbCat = nullptr;
    QRadioButton *rbImDir_CatNew = nullptr;
    QRadioButton *rbImDir_CatExi = nullptr;
    QComboBox *cbbImDir_CatExi = nullptr;
    QCheckBox *chkImDir_CatRep = nullptr;
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
    QWidget *buildFolderPage();
    QWidget *buildSubFolderSheet();
    QWidget *buildPictureSheet();
    QGroupBox *buildFolderTargetGroup();
    void connectControls();

    void loadSettings();
    void applySettings(const SettingsRecord &r);
    void readBackSettings(SettingsRecord &r) const;
    void fillCategoryLists();
    void applyEnabling();
    void reloadGrid();

    void browseFile();
    void browseFolder(ButtonEdit *box);
    void fillPictureFolderFor(const QString &file);

    bool checkFilePage();
    bool checkExistingChoice(QRadioButton *existing, QComboBox *list);
    void importFile();
    void importFolder();
    void finishSucceeded(qint64 target);
    void showFailure(const QString &reason);

    // Disables the dialog's controls while an import runs.
    void setRunning(bool running);

    TMainFrm &m_owner;
    int m_formatCode;
    qint64 m_targetId = 0;
    qint64 m_folderTarget = 0; // settled by a folder query of this dialog, never by a file import
    bool m_running = false;
    QWidget *m_body = nullptr;
    StagingFileModel *m_files = nullptr;
};

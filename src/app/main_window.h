#pragma once

#include "base/home.h"
#include "settings/settings.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class DescriptionBrowser;
class GroupByBox;
class ItemGridLevel;
class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QSystemTrayIcon;
class QTreeWidget;
class QTreeWidgetItem;
class TDm;
struct TCategory;

// The program's one main window: menus and toolbars, the category tree, the item grid with
// its views, the description pane, the status bar and the notification-area icon.
class TMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    // Without a settings object the window reads the home's settings folder.
    TMainFrm(TDm &dm, const Home &home, std::unique_ptr<Settings> settings = nullptr, QWidget *parent = nullptr);
    ~TMainFrm() override;

    // The creation steps after the frame: bring up the store, read the settings, load the tree.
    // False when the program must end without showing the window (the user has been told).
    bool Initialize();

    static QString Caption();

    TDm &dm() const { return m_dm; }
    const Home &home() const { return m_home; }
    Settings &settings() const { return *m_settings; }
    QAction *command(const QString &name) const { return m_actions.value(name); }
    QTreeWidget *categoryTree() const { return m_tree; }
    bool &TreeReady() { return m_treeReady; }
    const QString &LastError() const { return m_lastError; }

    // Rebuilds the tree, selects the first root category and opens its items.
    void LoadCategoryView();
    // The selected node's category record; null when none is selected.
    TCategory *SelectedCategory() const;
    ItemGridLevel *ActiveLevel() const;
    ItemGridLevel *Level(int viewType) const; // 1 generic, 2 Taobao, 3 Paipai

    // Re-reads the three item queries, every view staying on its current row.
    void RereadItems();
    void RereadItems(qint64 locateValue);

    // Commands of the browse views.
    void BrowseAs(int formatCode, int viewType, ItemGridLevel *level);
    // Commands on the rows of the active view; tick modes: 0 tick, 1 reverse, 2 untick.
    void SetTickOfSelection(int mode);
    void UntickAll();
    void DeleteSelectedRows();
    // Category commands.
    void AddCategory();
    void AddChildCategory();
    void EditCategory();
    void CopyCategory();
    void DeleteCategory();
    void ClearCategory();

    void MinimizeToTray();
    void RestoreFromTray();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCommands();
    void buildMenus();
    void buildToolBars();
    QWidget *buildCategoryPanel();
    QWidget *buildItemPanel();
    void buildStatusBar();
    void buildTray();
    void connectCommands();
    QAction *toolBarEntry(const QString &name, const QString &caption, QAction *command);

    bool BringUpDatabase();
    void ReportStartupError();
    bool LoadStartupSettings();

    void OnCategorySelected();
    void OpenSelectedItems(); // store errors rise
    void ShowDescription(ItemGridLevel *level);
    void ShowGrouping();
    void OpenImportDialog(int formatCode);
    void OpenExportDialog();
    void OpenDatabaseDialog();
    void ShowError(const QString &message);
    bool RunCategoryDialog(const QString &caption, const QString &name, const QString &path, QString &result);
    bool AddCategoryUnder(QTreeWidgetItem *parent, const QString &caption, const QString &errorTitle);
    QVector<qint64> LinkedIds(ItemGridLevel *level, const QVector<qint64> &keys) const;
    // Changes the shown rows, then the same items' rows in the other linked tables, as one unit of work.
    void ChangeShownAndLinked(ItemGridLevel *level, const QVector<qint64> &keys, const std::function<void()> &changeShown,
                              const std::function<bool(const QString &bidList)> &changeLinked);

    TDm &m_dm;
    Home m_home;
    std::unique_ptr<Settings> m_settings;
    QString m_lastError;
    bool m_treeReady = true;
    bool m_shownOnce = false;

    QHash<QString, QAction *> m_actions;
    QAction *m_deleteRows = nullptr;
    QMenu *m_pmCat = nullptr;
    QMenu *m_pmGrid = nullptr;
    QTreeWidget *m_tree = nullptr;
    QStackedWidget *m_grid = nullptr;
    ItemGridLevel *m_base = nullptr;
    ItemGridLevel *m_baby = nullptr;
    ItemGridLevel *m_pp = nullptr;
    QWidget *m_ya = nullptr;
    DescriptionBrowser *m_browser = nullptr;
    GroupByBox *m_groupBy = nullptr;
    QLabel *m_loginPanel = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_trayMenu = nullptr;
};

#include "main_window.h"

#include "category_tree.h"
#include "description_browser.h"
#include "dialog_entry.h"
#include "group_by_box.h"
#include "help_links.h"
#include "import_drop.h"
#include "item_grid_level.h"
#include "item_grid_model.h"
#include "main_commands.h"
#include "message_boxes.h"
#include "settings/settings.h"
#include "store/data_module.h"
#include "store/item_queries.h"
#include "store/item_tables.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QFont songTypeface(int pixels)
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("Noto Serif CJK SC")});
    f.setPixelSize(pixels);
    return f;
}

QIcon programIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(0, 96, 160));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    painter.setFont(songTypeface(24));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("岚"));
    return QIcon(pixmap);
}

// The key sequence of a menu title's mnemonic ("编辑(&E)" gives Alt+E).
QKeySequence titleMnemonic(const QString &title)
{
    const int amp = title.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= title.size())
        return QKeySequence();
    return QKeySequence(QStringLiteral("Alt+") + title.at(amp + 1).toUpper());
}

} // namespace

TMainFrm::TMainFrm(TDm &dm, const Home &home, std::unique_ptr<Settings> settings, QWidget *parent)
    : QMainWindow(parent)
    , m_dm(dm)
    , m_home(home)
    , m_settings(settings ? std::move(settings) : std::make_unique<Settings>(home.settingsDir()))
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(Caption());
    setWindowIcon(programIcon());
    setFont(songTypeface(16));
    resize(1000, 700);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    buildCommands();
    buildMenus();
    buildToolBars();

    auto *right = buildItemPanel();
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("SplitterLeft"));
    splitter->setHandleWidth(8);
    splitter->addWidget(buildCategoryPanel());
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({146, 1000 - 146 - 8});
    setCentralWidget(splitter);

    buildStatusBar();
    buildTray();
    connectCommands();
    EnableImportDrop(*this);
    qApp->installEventFilter(this);
}

TMainFrm::~TMainFrm()
{
    qApp->removeEventFilter(this);
}

QString TMainFrm::Caption()
{
    return QStringLiteral("岚石通 V") + QString::asprintf("%.2f", 201 / 100.0);
}

void TMainFrm::buildCommands()
{
    m_actions = CreateCommandActions(this);
    // Only commands placed on a menu, a bar or a context menu listen to their keys.
    for (const QString &name : {QStringLiteral("actCatAdd"), QStringLiteral("ActCatEdit"), QStringLiteral("ActCatCopy"),
                                QStringLiteral("ActCatDel"), QStringLiteral("ActCatChild"), QStringLiteral("ActCatClear"),
                                QStringLiteral("actSelectAll"), QStringLiteral("actCheck"), QStringLiteral("actCanCheck"),
                                QStringLiteral("actRevCheck"), QStringLiteral("actCanAllCheck")})
        addAction(m_actions.value(name));
    m_deleteRows = new QAction(QStringLiteral("&D删除"), this);
    m_deleteRows->setObjectName(QStringLiteral("btnDelete"));
}

void TMainFrm::buildMenus()
{
    const auto menu = [this](const char *title, std::initializer_list<const char *> entries) {
        QAction *titleAction = m_actions.value(QString::fromLatin1(title));
        auto *m = new QMenu(this);
        m->setObjectName(QStringLiteral("mnu") + titleAction->objectName().mid(3));
        m->setTitle(titleAction->text());
        for (const char *entry : entries) {
            if (!*entry)
                m->addSeparator();
            else
                m->addAction(m_actions.value(QString::fromLatin1(entry)));
        }
        titleAction->setMenu(m);
        menuBar()->addAction(titleAction);
    };
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    menu("actSys", {"ActSetDb", "", "ActSysExit"});
    menu("actOper", {"actImportTB", "actImportPP", "actImportYA", "", "actExportDat"});
    menu("actRedact", {"actSelectAll", "", "actCheck", "actCanCheck", "actRevCheck", "actCanAllCheck"});
    menu("actView", {"actBrowseTB", "actBrowsePP", "actBrowseYA", "actBrowseBase"});
    menu("actTool", {"ActOption"});
    menu("actMenuHelp", {"ActHelp", "ActUpdate", "", "ActWebsite", "", "ActAbout"});
    m_actions.value(QStringLiteral("actTool"))->setVisible(false);
}

QAction *TMainFrm::toolBarEntry(const QString &name, const QString &caption, QAction *command)
{
    auto *entry = new QAction(caption, this);
    entry->setObjectName(name);
    entry->setEnabled(command->isEnabled());
    connect(entry, &QAction::triggered, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, entry, &QAction::setEnabled);
    return entry;
}

void TMainFrm::buildToolBars()
{
    const auto bar = [this](const char *name) {
        auto *b = new QToolBar(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setWindowTitle(QString::fromLatin1(name));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFont(songTypeface(12)); // the four bars share one row
        addToolBar(Qt::TopToolBarArea, b);
        return b;
    };
    const auto entry = [this](const char *name, const char *caption, const char *command) {
        return toolBarEntry(QString::fromLatin1(name), QString::fromUtf8(caption), m_actions.value(QString::fromLatin1(command)));
    };

    QToolBar *standard = bar("Standard");
    standard->addWidget(new QLabel(QStringLiteral("导入文件"), standard));
    standard->addAction(entry("btnImportTB", "淘宝助理", "actImportTB"));
    standard->addAction(entry("btnImportPP", "拍拍助理", "actImportPP"));
    standard->addAction(entry("btnImportYA", "有啊助理", "actImportYA"));

    QToolBar *other = bar("Other");
    other->addAction(entry("btnExportDat", "&D导出数据", "actExportDat"));
    other->addAction(entry("btnRefreshData", "&R刷新数据", "actRefreshData"));
    other->addAction(m_deleteRows);

    QToolBar *browse = bar("Browse");
    browse->addWidget(new QLabel(QStringLiteral("浏览数据"), browse));
    browse->addAction(entry("btnBrowseTB", "淘宝(&L)", "actBrowseTB"));
    browse->addAction(entry("btnBrowsePP", "拍拍(&R)", "actBrowsePP"));
    browse->addAction(entry("btnBrowseYA", "有啊(&Y)", "actBrowseYA"));
    browse->addAction(entry("btnBrowseBase", "通用(&U)", "actBrowseBase"));

    QToolBar *system = bar("System");
    system->addAction(entry("btnMini", "&M最小化", "actMini"));
    system->addAction(entry("btnExit", "&X退出", "actExit"));
}

QWidget *TMainFrm::buildCategoryPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("CategoryPanel"));
    // The six category commands in rows of two buttons: a single bar would not fit the narrow panel.
    auto *bar = new QWidget(panel);
    bar->setObjectName(QStringLiteral("CategoryBar"));
    bar->setFont(songTypeface(12));
    auto *buttons = new QGridLayout(bar);
    buttons->setContentsMargins(1, 1, 1, 1);
    buttons->setSpacing(0);
    m_pmCat = new QMenu(this);
    m_pmCat->setObjectName(QStringLiteral("pmCat"));
    int at = 0;
    for (const char *name : {"actCatAdd", "ActCatEdit", "ActCatChild", "ActCatCopy", "ActCatDel", "ActCatClear"}) {
        QAction *command = m_actions.value(QString::fromLatin1(name));
        auto *button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("btn") + command->objectName().mid(3));
        button->setDefaultAction(command);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addWidget(button, at / 2, at % 2);
        ++at;
        m_pmCat->addAction(command);
    }

    m_tree = new QTreeWidget(panel);
    m_tree->setObjectName(QStringLiteral("tvwCat"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIndentation(27);
    m_tree->setFont(songTypeface(14));
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_pmCat->popup(m_tree->viewport()->mapToGlobal(at)); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &TMainFrm::OnCategorySelected);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_tree, 1);
    panel->resize(146, panel->height());
    return panel;
}

QWidget *TMainFrm::buildItemPanel()
{
    const QString images = m_home.imagesDir();
    m_base = new ItemGridLevel(m_dm, BaseGridView(), images, QColor(0, 128, 0));
    m_baby = new ItemGridLevel(m_dm, BabyGridView(), images, QColor());
    m_pp = new ItemGridLevel(m_dm, PPGridView(), images, QColor(255, 127, 255));
    m_ya = new QWidget;
    m_ya->setObjectName(QStringLiteral("cxgrdlvl_YA"));
    auto *yaView = new QTableView(m_ya);
    yaView->setObjectName(QStringLiteral("cxgrdbtblvw_YA"));
    auto *yaLayout = new QVBoxLayout(m_ya);
    yaLayout->setContentsMargins(0, 0, 0, 0);
    yaLayout->addWidget(yaView);

    m_grid = new QStackedWidget;
    m_grid->setObjectName(QStringLiteral("cxGrid"));
    m_pmGrid = new QMenu(this);
    m_pmGrid->setObjectName(QStringLiteral("pmGrid"));
    m_pmGrid->addAction(m_actions.value(QStringLiteral("actSelectAll")));
    m_pmGrid->addSeparator();
    for (const char *name : {"actCheck", "actRevCheck", "actCanCheck", "actCanAllCheck"})
        m_pmGrid->addAction(m_actions.value(QString::fromLatin1(name)));
    for (ItemGridLevel *level : {m_base, m_baby, m_pp}) {
        m_grid->addWidget(level);
        QTableView *view = level->view();
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint &at) { m_pmGrid->popup(view->viewport()->mapToGlobal(at)); });
        connect(level, &ItemGridLevel::currentRowChanged, this, [this, level] { ShowDescription(level); });
        connect(level, &ItemGridLevel::writeFailed, this, &TMainFrm::ShowError);
    }
    m_grid->addWidget(m_ya);
    m_grid->setCurrentWidget(m_base);

    auto *groupBy = new GroupByBox;
    connect(groupBy, &GroupByBox::groupRequested, this, [this](const QString &levelName, int column) {
        if (ItemGridLevel *level = ActiveLevel(); level && level->objectName() == levelName)
            level->groupBy(column);
        ShowGrouping();
    });
    connect(groupBy, &GroupByBox::ungroupRequested, this, [this] {
        if (ItemGridLevel *level = ActiveLevel())
            level->groupBy(-1);
        ShowGrouping();
    });
    connect(m_grid, &QStackedWidget::currentChanged, this, &TMainFrm::ShowGrouping);
    m_groupBy = groupBy;
    auto *gridArea = new QWidget;
    auto *gridLayout = new QVBoxLayout(gridArea);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    gridLayout->addWidget(groupBy);
    gridLayout->addWidget(m_grid, 1);

    auto *descriptionBox = new QGroupBox(QStringLiteral("宝贝描述"));
    descriptionBox->setObjectName(QStringLiteral("DescriptionBox"));
    m_browser = new DescriptionBrowser(descriptionBox);
    m_browser->setDescriptionStore(m_home.descDir());
    auto *boxLayout = new QVBoxLayout(descriptionBox);
    boxLayout->setContentsMargins(2, 2, 2, 2);
    boxLayout->addWidget(m_browser);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QStringLiteral("SplitterDescription"));
    splitter->setHandleWidth(8);
    splitter->addWidget(gridArea);
    splitter->addWidget(descriptionBox);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({700 - 63 - 27 - 161 - 8, 161});
    return splitter;
}

void TMainFrm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFixedHeight(27);
    bar->setFont(songTypeface(12));
    auto *first = new QLabel(bar);
    first->setObjectName(QStringLiteral("StatusPanel1"));
    first->setFixedWidth(400);
    m_loginPanel = new QLabel(bar);
    m_loginPanel->setObjectName(QStringLiteral("StatusPanel2"));
    m_loginPanel->setFixedWidth(195);
    auto *third = new QLabel(bar);
    third->setObjectName(QStringLiteral("StatusPanel3"));
    bar->addWidget(first);
    bar->addWidget(m_loginPanel);
    bar->addWidget(third, 1);
}

void TMainFrm::buildTray()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("IconPM"));
    QAction *show = m_trayMenu->addAction(QStringLiteral("显示主界面"));
    show->setObjectName(QStringLiteral("mnuShowMain"));
    connect(show, &QAction::triggered, this, &TMainFrm::RestoreFromTray);
    QAction *quit = m_trayMenu->addAction(QStringLiteral("退出(&X)"));
    quit->setObjectName(QStringLiteral("mnuTrayExit"));
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("RzTrayIcon"));
    m_tray->setToolTip(Caption());
    m_tray->setContextMenu(m_trayMenu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            RestoreFromTray();
    });
}

void TMainFrm::connectCommands()
{
    const auto on = [this](const char *name, auto handler) {
        connect(m_actions.value(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("actCatAdd", [this] { AddCategory(); });
    on("ActCatEdit", [this] { EditCategory(); });
    on("ActCatCopy", [this] { CopyCategory(); });
    on("ActCatDel", [this] { DeleteCategory(); });
    on("ActCatChild", [this] { AddChildCategory(); });
    on("ActCatClear", [this] { ClearCategory(); });
    on("actExportDat", [this] { OpenExportDialog(); });
    on("actImportTB", [this] { OpenImportDialog(FormatTaobao4); });
    on("actImportPP", [this] { OpenImportDialog(FormatPaipai); });
    on("actImportYA", [this] { OpenImportDialog(FormatYoua); });
    on("actSelectAll", [this] {
        if (ItemGridLevel *level = ActiveLevel())
            level->selectAll();
    });
    on("actCheck", [this] { SetTickOfSelection(0); });
    on("actRevCheck", [this] { SetTickOfSelection(1); });
    on("actCanCheck", [this] { SetTickOfSelection(2); });
    on("actCanAllCheck", [this] { UntickAll(); });
    on("actExit", [this] { close(); });
    on("ActSysExit", [this] { close(); });
    on("actMini", [this] { MinimizeToTray(); });
    on("ActSetDb", [this] { OpenDatabaseDialog(); });
    on("actRefreshData", [this] {
        if (SelectedCategory())
            RereadItems();
    });
    on("actBrowseBase", [this] { BrowseAs(FormatGeneric, 1, m_base); });
    on("actBrowseTB", [this] { BrowseAs(FormatTaobao4, 2, m_baby); });
    on("actBrowsePP", [this] { BrowseAs(FormatPaipai, 3, m_pp); });
    on("ActHelp", [] { OpenWebPage(HelpPages::Help); });
    on("ActUpdate", [] { OpenWebPage(HelpPages::Update); });
    on("ActAbout", [] { OpenWebPage(HelpPages::About); });
    on("ActWebsite", [] { OpenWebPage(QString()); });
    connect(m_deleteRows, &QAction::triggered, this, &TMainFrm::DeleteSelectedRows);
}

// ---- start-up ----

bool TMainFrm::Initialize()
{
    if (!BringUpDatabase())
        return false;
    if (!LoadStartupSettings()) {
        MessageBoxes::error(this, Caption(),
                            QStringLiteral("初始化参数失败，请重新打开软件，如果仍然出现该问题，请联系我们协助解决！")
                                + ContactBlock());
        return false;
    }
    LoadCategoryView();
    return true;
}

bool TMainFrm::BringUpDatabase()
{
    m_lastError.clear();
    const QString path = m_home.databasePath();
    QString detail;
    bool ok = false;
    if (!m_home.ensureRoot(&detail)) {
        m_lastError = QuestionErrorText(QStringLiteral("创建数据库失败，错误信息："), detail);
    } else if (!QFileInfo::exists(path) && !CreateDatabase(path, m_lastError)) {
    } else if (!OpenDatabase(m_dm, path, m_lastError)) {
    } else {
        QStringList names;
        ok = ExpectedTables(names, m_lastError) && CreateMissingTables(m_dm, names, m_lastError);
    }
    if (ok)
        return true;
    ReportStartupError();
    return false;
}

void TMainFrm::ReportStartupError()
{
    // A failure always ends the start-up, even one that came without a message.
    if (m_lastError.isEmpty())
        m_lastError = QuestionErrorText(QStringLiteral("打开数据库失败，错误信息："), QStringLiteral("未知错误"));
    if (MessageBoxes::ask(this, Caption(), m_lastError))
        OpenWebPage(HelpPages::DatabaseError);
}

bool TMainFrm::LoadStartupSettings()
{
    return m_settings->LoadSettings(SettingsSection::All);
}

void TMainFrm::LoadCategoryView()
{
    try {
        const qint64 firstRoot = FillCategoryTree(m_dm, m_tree, m_treeReady);
        if (m_tree->topLevelItemCount() == 0) {
            for (ItemGridLevel *level : {m_base, m_baby, m_pp})
                level->openQuery(ItemQuery());
            return;
        }
        SelectCategoryById(firstRoot, m_tree, m_treeReady);
        OpenSelectedItems();
    } catch (const StoreError &e) {
        MessageBoxes::inform(this, Caption(), QStringLiteral("打开界面数据失败，原因：") + e.message());
    }
}

// ---- window state ----

void TMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_loginPanel->setText(QStringLiteral("登陆时间：")
                          + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void TMainFrm::closeEvent(QCloseEvent *event)
{
    // Closing always ends the program: there is no minimising on close.
    m_dm.Adc().close();
    event->accept();
    m_tray->hide();
    QCoreApplication::quit();
}

void TMainFrm::MinimizeToTray()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showMinimized();
        return;
    }
    m_tray->show();
    hide();
    m_tray->showMessage(QStringLiteral("提示！已经最小化到这里。"), Caption() + QStringLiteral(" - ") + QStringLiteral(" 岚石软件出品"),
                        QSystemTrayIcon::Information, 10000);
}

void TMainFrm::RestoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
}

bool TMainFrm::eventFilter(QObject *watched, QEvent *event)
{
    // A command's key wins over a menu title's mnemonic (ActCatEdit's Alt+E over 编辑(&E)).
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction *title : menuBar()->actions()) {
        if (titleMnemonic(title->text()) != pressed)
            continue;
        for (QAction *action : actions()) {
            if (action->shortcut() != pressed || !action->isEnabled())
                continue;
            event->accept();
            if (event->type() == QEvent::KeyPress)
                action->trigger();
            return true;
        }
    }
    return false;
}

void TMainFrm::ShowError(const QString &message)
{
    MessageBoxes::error(this, Caption(), message);
}

// ---- dialogs ----

void TMainFrm::OpenImportDialog(int formatCode)
{
    try {
        RunImportDialog(*this, formatCode, ImportDialogCaption(formatCode));
    } catch (const StoreError &e) {
        ShowError(e.message());
    }
}

void TMainFrm::OpenExportDialog()
{
    try {
        RunExportDialog(*this);
    } catch (const StoreError &e) {
        ShowError(e.message());
    }
}

void TMainFrm::OpenDatabaseDialog()
{
    if (RunDatabaseDialog(*this))
        LoadCategoryView();
}

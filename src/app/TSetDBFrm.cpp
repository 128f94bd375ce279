#include "TSetDBFrm.h"

#include "ConnectionStringEditor.h"
#include "connection_source.h"
#include "dialog_widgets.h"
#include "file_dialogs.h"
#include "main_window.h"
#include "message_boxes.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kFileNamePrefix = QStringLiteral("FILE NAME=");

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

TSetDBFrm::TSetDBFrm(TMainFrm &owner)
    : QDialog(&owner)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("SetDbfrm"));
    setWindowTitle(QStringLiteral("数据库配置"));
    setFont(DialogFont(14));

    auto *sources = new QGroupBox(QStringLiteral("请选择数据库连接源"), this);
    rbConnFile = new QRadioButton(QStringLiteral("使用数据链接文件"), sources);
    rbConnFile->setObjectName(QStringLiteral("rbConnFile"));
    btnConnFile = new ButtonEdit(QStringLiteral("btnConnFile"), sources);
    rbConnStr = new QRadioButton(QStringLiteral("使用连接字符串"), sources);
    rbConnStr->setObjectName(QStringLiteral("rbConnStr"));
    btnConnStr = new ButtonEdit(QStringLiteral("btnConnStr"), sources);
    auto *grid = new QGridLayout(sources);
    grid->addWidget(rbConnFile, 0, 0);
    grid->addWidget(btnConnFile, 1, 0);
    grid->addWidget(rbConnStr, 2, 0);
    grid->addWidget(btnConnStr, 3, 0);

    cxButton1 = button(this, "cxButton1", QStringLiteral("&S保存配置"));
    cxButton2 = button(this, "cxButton2", QStringLiteral("&O连接"));
    cxButton3 = button(this, "cxButton3", QStringLiteral("&C取消"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {cxButton1, cxButton2, cxButton3})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sources);
    layout->addLayout(buttons);
    resize(560, height());

    connect(rbConnFile, &QRadioButton::toggled, this, &TSetDBFrm::applyEnabling);
    connect(rbConnStr, &QRadioButton::toggled, this, &TSetDBFrm::applyEnabling);
    connect(btnConnFile, &ButtonEdit::buttonClicked, this, &TSetDBFrm::pickDatabaseFile);
    connect(btnConnStr, &ButtonEdit::buttonClicked, this, &TSetDBFrm::editConnectionString);
    connect(cxButton1, &QPushButton::clicked, this, &TSetDBFrm::SaveConfig);
    connect(cxButton2, &QPushButton::clicked, this, &TSetDBFrm::Connect);
    connect(cxButton3, &QPushButton::clicked, this, &QDialog::reject);

    loadSettings();
}

void TSetDBFrm::loadSettings()
{
    Settings &settings = m_owner.settings();
    const bool loaded = settings.LoadSettings(SettingsSection::ConnSet);
    const SettingsRecord &r = settings.record();
    btnConnFile->setText(r.ConnFile);
    btnConnStr->setText(r.ConnString);
    (r.ConnSelect != 0 ? rbConnStr : rbConnFile)->setChecked(true);
    applyEnabling();
    if (!loaded)
        MessageBoxes::error(this, windowTitle(), QStringLiteral("初始化参数失败，请重试，仍有问题请联系软件开发商！"));
}

void TSetDBFrm::applyEnabling()
{
    btnConnFile->setEnabled(rbConnFile->isChecked());
    btnConnStr->setEnabled(rbConnStr->isChecked());
}

void TSetDBFrm::pickDatabaseFile()
{
    QString start = btnConnFile->text().trimmed();
    if (start.startsWith(kFileNamePrefix, Qt::CaseInsensitive))
        start = start.mid(kFileNamePrefix.size());
    if (start.isEmpty())
        start = m_owner.home().root();
    const QString chosen = FileDialogs::openFile(this, QStringLiteral("选择数据库文件"), start,
                                                 QStringLiteral("数据库文件 (*.db *.sqlite *.sqlite3);;All Files (*.*)"));
    if (!chosen.isEmpty())
        btnConnFile->setText(DataLinkFileText(chosen));
}

void TSetDBFrm::editConnectionString()
{
    ConnectionStringEditor editor(this, btnConnStr->text());
    if (MessageBoxes::runModal(editor) == QDialog::Accepted)
        btnConnStr->setText(editor.connectionString());
}

bool TSetDBFrm::storeFields()
{
    Settings &settings = m_owner.settings();
    SettingsRecord &r = settings.record();
    r.ConnFile = btnConnFile->text();
    r.ConnString = btnConnStr->text();
    r.ConnSelect = rbConnFile->isChecked() ? 0 : 1;
    return settings.SaveSettings(SettingsSection::ConnSet);
}

void TSetDBFrm::SaveConfig()
{
    if (storeFields())
        MessageBoxes::inform(this, windowTitle(), QStringLiteral("保存配置成功！"));
    else
        MessageBoxes::error(this, windowTitle(), QStringLiteral("将参数写入配置文件失败，请重试，仍有问题请联系软件开发商！"));
}

void TSetDBFrm::Connect()
{
    const bool fileSource = rbConnFile->isChecked();
    const QString connection = ResolveConnectionSource(fileSource ? btnConnFile->text() : btnConnStr->text(), fileSource,
                                                       m_owner.home().root());
    if (m_mode == 1
        && !MessageBoxes::ask(this, windowTitle(), QStringLiteral("重新连接将会刷新主界面数据，是否继续？")))
        return;
    QString error;
    if (!SwitchDatabase(m_owner.dm(), connection, error)) {
        MessageBoxes::error(this, windowTitle(),
                            QStringLiteral("数据库连接失败，原因: ") + error + QStringLiteral("\r\n")
                                + QStringLiteral("请重新配置！"));
        return;
    }
    if (!storeFields())
        MessageBoxes::error(this, windowTitle(), QStringLiteral("将参数写入配置文件失败，请重试，仍有问题请联系软件开发商！"));
    MessageBoxes::inform(this, windowTitle(),
                         m_mode == 1 ? QStringLiteral("数据库连接成功，界面数据将重新打开！")
                                     : QStringLiteral("数据库连接成功，欢迎使用！"));
    accept();
}

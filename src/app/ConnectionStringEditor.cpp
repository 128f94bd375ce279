#include "ConnectionStringEditor.h"

#include "connection_source.h"
#include "dialog_widgets.h"
#include "file_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QPushButton>
#include <QSqlDatabase>
#include <QVBoxLayout>

ConnectionStringEditor::ConnectionStringEditor(QWidget *parent, const QString &connectionString)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ConnStrFrm"));
    setWindowTitle(QStringLiteral("连接字符串"));
    setFont(DialogFont(14));

    const ConnectionFields fields = ParseConnectionFields(connectionString);
    cbbDriver = new QComboBox(this);
    cbbDriver->setObjectName(QStringLiteral("cbbDriver"));
    cbbDriver->setEditable(true);
    cbbDriver->addItems(QSqlDatabase::drivers());
    cbbDriver->setCurrentText(fields.driver);
    edtDatabase = new ButtonEdit(QStringLiteral("edtDatabase"), this);
    edtDatabase->setText(fields.database);
    const auto field = [this](const char *name, const QString &text) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromLatin1(name));
        return edit;
    };
    edtHost = field("edtHost", fields.host);
    edtPort = field("edtPort", fields.port);
    edtPort->setValidator(new QIntValidator(0, 65535, edtPort));
    edtUser = field("edtUser", fields.user);
    edtPassword = field("edtPassword", fields.password);
    edtPassword->setEchoMode(QLineEdit::Password);

    btnOK = new QPushButton(QStringLiteral("&Q确定"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&C取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("驱动(Driver):"), cbbDriver);
    form->addRow(QStringLiteral("数据库(Database):"), edtDatabase);
    form->addRow(QStringLiteral("主机(Host):"), edtHost);
    form->addRow(QStringLiteral("端口(Port):"), edtPort);
    form->addRow(QStringLiteral("用户(User):"), edtUser);
    form->addRow(QStringLiteral("密码(Password):"), edtPassword);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(520, height());

    connect(edtDatabase, &ButtonEdit::buttonClicked, this, [this] {
        const QString chosen = FileDialogs::openFile(this, QStringLiteral("选择数据库文件"), edtDatabase->text(),
                                                     QStringLiteral("数据库文件 (*.db *.sqlite *.sqlite3);;All Files (*.*)"));
        if (!chosen.isEmpty())
            edtDatabase->setText(QDir::toNativeSeparators(chosen));
    });
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString ConnectionStringEditor::connectionString() const
{
    ConnectionFields fields;
    fields.driver = cbbDriver->currentText().trimmed();
    fields.database = edtDatabase->text().trimmed();
    fields.host = edtHost->text().trimmed();
    fields.port = edtPort->text().trimmed();
    fields.user = edtUser->text().trimmed();
    fields.password = edtPassword->text();
    return ConnectionFieldsText(fields);
}

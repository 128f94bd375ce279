#include "TEditCatFrm.h"

#include "message_boxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEditCatFrm::TEditCatFrm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("EditCatFrm"));
    setWindowTitle(QStringLiteral("添加分类"));
    QFont f = font();
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(14);
    setFont(f);
    resize(650, 155);

    edtName = new QLineEdit(this);
    edtName->setObjectName(QStringLiteral("edtName"));
    edtUrl = new QLineEdit(this);
    edtUrl->setObjectName(QStringLiteral("edtUrl"));
    edtUrl->setReadOnly(true);
    btnOK = new QPushButton(QStringLiteral("&Q确定"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&C取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("分类名称:"), this), 0, 0);
    fields->addWidget(edtName, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("导入路径:"), this), 1, 0);
    fields->addWidget(edtUrl, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &TEditCatFrm::confirm);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TEditCatFrm::setCategory(const QString &name, const QString &importPath)
{
    edtName->setText(name);
    edtUrl->setText(importPath);
}

QString TEditCatFrm::name() const
{
    return edtName->text().trimmed();
}

void TEditCatFrm::confirm()
{
    if (name().isEmpty()) {
        MessageBoxes::inform(this, windowTitle(), QStringLiteral("分类名称不能为空..."));
        edtName->setFocus();
        return;
    }
    accept();
}

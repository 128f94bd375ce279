#include "TMyMessageDlgFrm.h"

#include "dialog_widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TMyMessageDlgFrm::TMyMessageDlgFrm(QWidget *parent, const QString &question)
    : QDialog(parent)
    , m_question(question)
{
    setObjectName(QStringLiteral("MyMessageDlgFrm"));
    setWindowTitle(QStringLiteral("导出数据选项"));
    setFont(DialogFont(12));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);
    Memo = new QPlainTextEdit(question, this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);

    const QList<QPair<OverwriteAnswer, QString>> answers = {
        {OverwriteAnswer::Overwrite, QStringLiteral("覆盖(&F)")},  {OverwriteAnswer::OverwriteAll, QStringLiteral("全部覆盖(&G)")},
        {OverwriteAnswer::Merge, QStringLiteral("合并(&M)")},      {OverwriteAnswer::MergeAll, QStringLiteral("全部合并(&E)")},
        {OverwriteAnswer::Ignore, QStringLiteral("忽略(&I)")},     {OverwriteAnswer::IgnoreAll, QStringLiteral("全部忽略(&N)")},
        {OverwriteAnswer::Cancel, QStringLiteral("取消(&C)")},
    };
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < answers.size(); ++i) {
        auto *b = new QPushButton(answers[i].second, this);
        b->setObjectName(QStringLiteral("cxButton%1").arg(i + 1));
        const OverwriteAnswer code = answers[i].first;
        connect(b, &QPushButton::clicked, this, [this, code] {
            m_answer = code;
            accept();
        });
        buttons->addWidget(b);
        m_buttons.append({code, b});
    }

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(Memo, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setFixedSize(640, 260);
}

QPushButton *TMyMessageDlgFrm::button(OverwriteAnswer answer) const
{
    for (const auto &[code, b] : m_buttons)
        if (code == answer)
            return b;
    return nullptr;
}

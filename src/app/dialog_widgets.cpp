#include "dialog_widgets.h"

#include "store/data_module.h"

#include <QAction>
#include <QButtonGroup>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QUrl>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QIcon ellipsisIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("…"));
    return QIcon(pixmap);
}

} // namespace

ButtonEdit::ButtonEdit(const QString &name, QWidget *parent)
    : QLineEdit(parent)
    , m_button(new QAction(ellipsisIcon(), QStringLiteral("..."), this))
{
    setObjectName(name);
    m_button->setObjectName(name + QStringLiteral("_Button"));
    addAction(m_button, QLineEdit::TrailingPosition);
    connect(m_button, &QAction::triggered, this, &ButtonEdit::buttonClicked);
}

void ButtonEdit::clickButton()
{
    if (isEnabled())
        m_button->trigger();
}

RadioGroup::RadioGroup(const QString &name, const QString &title, const QStringList &items, int columns,
                       QWidget *parent)
    : QGroupBox(title, parent)
    , m_group(new QButtonGroup(this))
{
    setObjectName(name);
    auto *layout = new QGridLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
    }
    if (!items.isEmpty())
        m_group->button(0)->setChecked(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    QAbstractButton *button = m_group->button(index);
    if (!button)
        button = m_group->button(0);
    if (button)
        button->setChecked(true);
}

QRadioButton *RadioGroup::item(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

QFont DialogFont(int pixels)
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("Noto Serif CJK SC")});
    f.setPixelSize(pixels);
    return f;
}

QWidget *BottomPanel(QWidget *parent, const QList<QWidget *> &buttons)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("BottomPanel"));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0xC3, 0xDA, 0xF9)); // the Office 11 panel blue
    panel->setPalette(palette);
    auto *layout = new QHBoxLayout(panel);
    layout->addStretch(1);
    for (QWidget *button : buttons)
        layout->addWidget(button);
    return panel;
}

void CentreOnScreen(QWidget *window)
{
    if (const QScreen *s = window->screen())
        window->move(s->availableGeometry().center() - window->rect().center());
}

QString RetryFailureText(const QString &title, const QString &reason)
{
    return title + reason + kCrLf + kCrLf + kCrLf
        + QStringLiteral("请重试该功能，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock();
}

QString SettingsLoadFailureText()
{
    return QStringLiteral("初始化参数失败，请重新打开软件，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock();
}

QString SettingsSaveFailureText()
{
    return QStringLiteral("保存参数失败，请重新打开软件，如果仍然出现该问题，请联系我们协助解决！") + ContactBlock();
}

void OpenFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(folder)));
}

QString PathWithoutFileExtension(const QString &path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const int separator = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return dot > separator ? path.left(dot) : path;
}

QString WithCsvExtension(const QString &path)
{
    return path.right(3).compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? path : path + QStringLiteral(".csv");
}

QTableView *NewStagingGrid(QWidget *parent, QAbstractItemModel *model)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("grdImfile"));
    grid->setModel(model);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    grid->verticalHeader()->setVisible(true);
    grid->verticalHeader()->setDefaultSectionSize(20);
    const int widths[] = {20, 160, 60, 160, 80, 80};
    for (int c = 0; c < 6; ++c)
        grid->setColumnWidth(c, widths[c]);
    return grid;
}

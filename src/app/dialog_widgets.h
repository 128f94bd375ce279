#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QString>

class QAction;
class QButtonGroup;
class QDialog;
class QRadioButton;
class QWidget;

// Small controls and helpers that the import, export and database dialogs share.

// A text box with an ellipsis button at its end that opens a file or folder browser.
class ButtonEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit ButtonEdit(const QString &name, QWidget *parent = nullptr);
    QAction *button() const { return m_button; }
    // Presses the ellipsis button, as a click does; nothing happens while the box is disabled.
    void clickButton();

signals:
    void buttonClicked();

private:
    QAction *m_button;
};

// A titled group of radio buttons laid out in columns, of which one item is selected.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString &name, const QString &title, const QStringList &items, int columns,
               QWidget *parent = nullptr);
    int itemIndex() const;
    // An index out of range selects the first item.
    void setItemIndex(int index);
    QRadioButton *item(int index) const;

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
};

// The dialogs' font: 宋体 at the given pixel size.
QFont DialogFont(int pixels);

// The strip along the bottom of a dialog that holds its main buttons, in the main window's panel colour.
QWidget *BottomPanel(QWidget *parent, const QList<QWidget *> &buttons);

// Centres a window on the screen it is on.
void CentreOnScreen(QWidget *window);

// Text of an import or export failure that asks the user to retry, with the contact block.
QString RetryFailureText(const QString &title, const QString &reason);
// Text of a settings failure of a dialog ("初始化参数失败…" / "保存参数失败…") with the contact block.
QString SettingsLoadFailureText();
QString SettingsSaveFailureText();

// Shows a folder in the desktop's file manager.
void OpenFolder(const QString &folder);

// The path without the extension of its file name ("D:/a/items.csv" gives "D:/a/items").
QString PathWithoutFileExtension(const QString &path);
// The path with ".csv" appended unless its last three characters are "csv" in any case.
QString WithCsvExtension(const QString &path);

class QAbstractItemModel;
class QTableView;
// The grid over a staging file list (grdImfile): ID 20, path 160, flag 60, picture folder 160,
// category 80, parent 80 pixels; a row indicator and a horizontal scroll bar only.
QTableView *NewStagingGrid(QWidget *parent, QAbstractItemModel *model);

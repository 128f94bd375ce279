#pragma once

#include <QDialog>

class ButtonEdit;
class QPushButton;
class QRadioButton;
class TMainFrm;

// The database connection dialog: a database file ("FILE NAME=" and its path) or a connection
// string, kept in the ConnSet settings. "&O连接" switches the program's connection to the
// selected source and closes with OK; a failed connection leaves the open one as it was.
class TSetDBFrm final : public QDialog
{
    Q_OBJECT
public:
    explicit TSetDBFrm(TMainFrm &owner);

    // 1 when opened from the running main window: the reconnection is asked first.
    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }

    void SaveConfig();
    void Connect();

    QRadioButton *rbConnFile = nullptr;
    ButtonEdit *btnConnFile = nullptr;
    QRadioButton *rbConnStr = nullptr;
    ButtonEdit *btnConnStr = nullptr;
    QPushButton *cxButton1 = nullptr;
    QPushButton *cxButton2 = nullptr;
    QPushButton *cxButton3 = nullptr;

private:
    void loadSettings();
    void applyEnabling();
    void pickDatabaseFile();
    void editConnectionString();
    // Copies the fields into the settings record and saves the section; false on failure.
    bool storeFields();

    TMainFrm &m_owner;
    int m_mode = 0;
};

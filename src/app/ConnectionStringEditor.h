#pragma once

#include <QDialog>

class ButtonEdit;
class QComboBox;
class QLineEdit;
class QPushButton;

// The small editor of a connection string that the database dialog's second ellipsis opens:
// the Qt SQL driver and its parameters, one field each.
class ConnectionStringEditor final : public QDialog
{
    Q_OBJECT
public:
    explicit ConnectionStringEditor(QWidget *parent, const QString &connectionString);
    QString connectionString() const;

    QComboBox *cbbDriver = nullptr;
    ButtonEdit *edtDatabase = nullptr;
    QLineEdit *edtHost = nullptr;
    QLineEdit *edtPort = nullptr;
    QLineEdit *edtUser = nullptr;
    QLineEdit *edtPassword = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};

#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The small dialog that asks for a category's name; it shows the import path read-only.
class TEditCatFrm : public QDialog
{
    Q_OBJECT
public:
    explicit TEditCatFrm(QWidget *parent = nullptr);

    void setCategory(const QString &name, const QString &importPath);
    // The name with blanks trimmed at both ends.
    QString name() const;

    QLineEdit *edtName = nullptr;
    QLineEdit *edtUrl = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void confirm();
};

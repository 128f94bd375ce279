#pragma once

#include <QMainWindow>

class TDm;

class TMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainFrm(TDm &dm, QWidget *parent = nullptr);

private:
    TDm &m_dm;
};

#pragma once

#include <QFrame>

class QLabel;
class QMimeData;
class QPushButton;

// The panel above the item grid: a column header dragged onto it groups the rows of its view
// by that column; the button that then names the column takes the grouping away again.
class GroupByBox : public QFrame
{
    Q_OBJECT
public:
    explicit GroupByBox(QWidget *parent = nullptr);

    // What a header drag carries: the view's level and the column.
    static QMimeData *columnMime(const QString &levelName, int column);
    static bool readColumnMime(const QMimeData *mime, QString &levelName, int &column);

    // The column name the rows are grouped by; empty shows the hint.
    void showGrouping(const QString &columnName);

signals:
    void groupRequested(const QString &levelName, int column);
    void ungroupRequested();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QLabel *m_hint = nullptr;
    QPushButton *m_column = nullptr;
};

#pragma once

#include <QList>
#include <QString>
#include <QVector>

class TDm;

// The record of a category tree node.
struct TCategory
{
    qint64 cID = 0;
    QString cName;
    QString cImPath;
    int tID = 1;                // view type; changed in memory by the browse commands
    QVector<qint64> ancestors;  // 0, then each ancestor's cID down to the parent
};

// The object of a category combo-box entry.
struct TObjCat
{
    qint64 cID = 0;
    QString cName;
    QString cImPath;
};

struct CategoryChild
{
    qint64 cID = 0;
    QString cName;
};

// One visible category level as the tree reads it, in cID order.
struct CategoryRow
{
    qint64 cID = 0;
    qint64 pID = 0;
    QString cName;
    QString cImPath;
    int tID = 0;
};

QString CategoryDisplayText(const QString &name, const QString &path);

// Category statements. Failing statements raise StoreError to the caller.
qint64 InsertCategory(TDm &dm, const QString &cName, const QString &cImPath, qint64 pID, int tID, bool isVisible);
void UpdateCategory(TDm &dm, qint64 cID, const QString &cName, const QString &cImPath, int tID);
void ShowCategories(TDm &dm, const QString &cidList);
qint64 InsertCategoryCopy(TDm &dm, const QString &cName, const QString &cImPath, int tID);
void DeleteCategories(TDm &dm, const QString &cidList);
qint64 FindCategoryByPath(TDm &dm, const QString &path);
QString ChildCategoryIds(TDm &dm, qint64 cID);
QString CategoryAndDescendants(TDm &dm, qint64 cID);
void ChildCategories(TDm &dm, QList<CategoryChild> &children, qint64 pID);

// The visible children of a parent (0 for the top level), ordered by cID.
QList<CategoryRow> VisibleCategoryLevel(TDm &dm, qint64 pID);
// Visible categories for a combo box: all of them, or the top level only.
QList<TObjCat> VisibleCategoriesForCombo(TDm &dm, bool rootsOnly);
// A category's stored row; false when no row has the cID.
bool ReadCategory(TDm &dm, qint64 cID, CategoryRow &row);

// A category list ("3,5,8") checked to hold decimal identifiers only, so it can
// stand inside "in (...)" without being spliced from untrusted text.
bool IsCategoryList(const QString &list);

#include "category_store.h"

#include "data_module.h"

#include <QSet>
#include <QSqlQuery>

namespace {

QString requireList(const QString &list)
{
    if (!IsCategoryList(list))
        throw StoreError(QStringLiteral("无效的编号列表：") + list);
    return list;
}

QVariant bitValue(bool value) { return value ? -1 : 0; }

} // namespace

bool IsCategoryList(const QString &list)
{
    // A plain scan: a regular expression hits its limits on lists of many thousand ids.
    bool expectDigit = true; // at the start and after a comma
    bool signAllowed = true;
    for (const QChar c : list) {
        if (c.isDigit() && c.unicode() < 0x80) {
            expectDigit = false;
            signAllowed = false;
        } else if (c == QLatin1Char('-') && signAllowed) {
            signAllowed = false;
        } else if (c == QLatin1Char(',') && !expectDigit) {
            expectDigit = true;
            signAllowed = true;
        } else {
            return false;
        }
    }
    return !expectDigit;
}

QString CategoryDisplayText(const QString &name, const QString &path)
{
    return path.isEmpty() ? name : name + QStringLiteral(" | ") + path;
}

qint64 InsertCategory(TDm &dm, const QString &cName, const QString &cImPath, qint64 pID, int tID, bool isVisible)
{
    dm.exec(QStringLiteral("Insert into category(cName,cImPath,pID,tID,isVisible) values(?,?,?,?,?)"),
            {cName, cImPath, pID, tID, bitValue(isVisible)});
    return dm.scalar(QStringLiteral("Select Max(cID) From category")).toLongLong();
}

void UpdateCategory(TDm &dm, qint64 cID, const QString &cName, const QString &cImPath, int tID)
{
    dm.exec(QStringLiteral("Update category Set cName=?,cImPath=?,tID=? Where cId=?"), {cName, cImPath, tID, cID});
}

void ShowCategories(TDm &dm, const QString &cidList)
{
    dm.exec(QStringLiteral("Update category Set isVisible = -1 Where cId in (") + requireList(cidList)
            + QLatin1Char(')'));
}

qint64 InsertCategoryCopy(TDm &dm, const QString &cName, const QString &cImPath, int tID)
{
    // Stored at the top level and visible, so the copy survives the next rebuild of the tree.
    dm.exec(QStringLiteral("Insert into category(cName,cImPath,tID,pID,isVisible) values(?,?,?,0,-1)"),
            {cName, cImPath, tID});
    return dm.scalar(QStringLiteral("Select Max(cID) From category")).toLongLong();
}

void DeleteCategoryItems(TDm &dm, const QString &cidList);

void DeleteCategories(TDm &dm, const QString &cidList)
{
    requireList(cidList);
    DeleteCategoryItems(dm, cidList);
    dm.exec(QStringLiteral("Delete From category Where cID in (") + cidList + QLatin1Char(')'));
}

qint64 FindCategoryByPath(TDm &dm, const QString &path)
{
    const QVariant id = dm.scalar(QStringLiteral("Select cID from Category where cImPath = ? order by cID"), {path});
    return id.isNull() ? -1 : id.toLongLong();
}

namespace {

void collectDescendants(TDm &dm, qint64 cID, QSet<qint64> &seen, QStringList &result)
{
    // Read the whole level before descending: the recursion reuses the statement object.
    const QVariantList children = dm.column(QStringLiteral("Select cID from Category where pID=? order by cID"), {cID});
    QList<qint64> fresh;
    for (const QVariant &child : children) {
        const qint64 id = child.toLongLong();
        if (seen.contains(id))
            continue; // a damaged tree whose parents form a loop must still end
        seen.insert(id);
        fresh << id;
        result << QString::number(id);
    }
    for (qint64 id : fresh)
        collectDescendants(dm, id, seen, result);
}

} // namespace

QString ChildCategoryIds(TDm &dm, qint64 cID)
{
    // Direct children first, then the descendants of the first child, of the second, ...
    QSet<qint64> seen{cID};
    QStringList result;
    collectDescendants(dm, cID, seen, result);
    return result.join(QLatin1Char(','));
}

QString CategoryAndDescendants(TDm &dm, qint64 cID)
{
    const QString children = ChildCategoryIds(dm, cID);
    const QString self = QString::number(cID);
    return children.isEmpty() ? self : self + QLatin1Char(',') + children;
}

void ChildCategories(TDm &dm, QList<CategoryChild> &children, qint64 pID)
{
    QSqlQuery &q = dm.exec(QStringLiteral("Select cID,cName from Category where pID=? order by cID"), {pID});
    while (q.next())
        children.append({q.value(0).toLongLong(), q.value(1).toString()});
    q.finish();
}

QList<CategoryRow> VisibleCategoryLevel(TDm &dm, qint64 pID)
{
    QSqlQuery &q = dm.exec(QStringLiteral("select cID,pID,cName,cImPath,tID from Category "
                                          "where isVisible=-1 and pID = ? order by cID"),
                           {pID});
    QList<CategoryRow> rows;
    while (q.next())
        rows.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toString(),
                     q.value(4).toInt()});
    q.finish();
    return rows;
}

QList<TObjCat> VisibleCategoriesForCombo(TDm &dm, bool rootsOnly)
{
    QSqlQuery &q = dm.exec(rootsOnly ? QStringLiteral("select cID,cName,cImPath from Category Where pID =0 and "
                                                      "isVisible=-1 order by cID")
                                     : QStringLiteral("select cID,cName,cImPath from Category Where isVisible=-1 "
                                                      "order by cID"));
    QList<TObjCat> rows;
    while (q.next())
        rows.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
    q.finish();
    return rows;
}

bool ReadCategory(TDm &dm, qint64 cID, CategoryRow &row)
{
    QSqlQuery &q = dm.exec(QStringLiteral("select cID,pID,cName,cImPath,tID from Category where cID=?"), {cID});
    const bool found = q.next();
    if (found)
        row = {q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toString(),
               q.value(4).toInt()};
    q.finish();
    return found;
}

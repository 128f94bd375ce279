#include "item_queries.h"

#include "category_store.h"
#include "data_module.h"
#include "item_tables.h"

#include <QStringList>

namespace {

QString requireList(const QString &list)
{
    if (!IsCategoryList(list))
        throw StoreError(QStringLiteral("无效的编号列表：") + list);
    return list;
}

// A category identifier passed as text goes into the statement as a bound number.
QVariant categoryValue(const QString &cID)
{
    bool ok = false;
    const qint64 id = cID.trimmed().toLongLong(&ok);
    if (!ok)
        throw StoreError(QStringLiteral("无效的分类编号：") + cID);
    return id;
}

void openQuery(ItemQuery &query, const QString &sql, const QString &key, const QVariant &locate)
{
    query.sql = sql;
    query.keyColumn = key;
    query.locateValue = locate;
    query.open = true;
}

template <typename Work>
bool catching(QString &error, Work work)
{
    try {
        work();
        return true;
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
}

} // namespace

void OpenCategoryItems(TDm &dm, const QString &cID, const QVariant &locateValue, int mode)
{
    const QString id = QString::number(categoryValue(cID).toLongLong());
    if (mode == AllQueries || mode == BaseQuery)
        openQuery(dm.AdqBase, QStringLiteral("Select * from BaseData Where cID =") + id + QStringLiteral(" Order by bID"),
                  QStringLiteral("bID"), locateValue);
    if (mode == AllQueries || mode == BabyQuery)
        openQuery(dm.AdqBaby, QStringLiteral("select * from BabyData Where cID =") + id + QStringLiteral(" Order by ID"),
                  QStringLiteral("ID"), locateValue);
    if (mode == AllQueries || mode == PPQuery)
        // In PPData the name ID is the column id, the Paipai file's own item number.
        openQuery(dm.AdqPP, QStringLiteral("select * from PPData Where cID =") + id + QStringLiteral(" Order by ID"),
                  QStringLiteral("ID"), locateValue);
}

void RequeryItems(TDm &dm, const QVariant &locateValue, int mode)
{
    const auto requery = [&](ItemQuery &query, const QString &key) {
        query.open = true;
        query.keyColumn = key;
        query.locateValue = locateValue;
    };
    if (mode == AllQueries || mode == BaseQuery)
        requery(dm.AdqBase, QStringLiteral("bID"));
    if (mode == AllQueries || mode == BabyQuery)
        requery(dm.AdqBaby, QStringLiteral("ID"));
    if (mode == AllQueries || mode == PPQuery)
        requery(dm.AdqPP, QStringLiteral("PID"));
}

bool NativeRowsExist(TDm &dm, int formatCode, qint64 cID)
{
    const QString table = FormatTableName(formatCode == FormatTaobao5 ? FormatTaobao4 : formatCode);
    return dm.scalar(QStringLiteral("Select Count(0) from ") + table + QStringLiteral(" where cID=?"), {cID})
               .toLongLong()
        > 0;
}

bool UntickCategory(TDm &dm, const QString &cID, QString &error)
{
    return catching(error, [&] {
        const QVariant id = categoryValue(cID);
        for (const QString &table : LinkedTables())
            dm.exec(QStringLiteral("Update ") + table + QStringLiteral(" Set 选择=0 where cID=?"), {id});
    });
}

bool SetTickByLink(TDm &dm, int formatCode, const QString &bidList, int tickMode, QString &error)
{
    return catching(error, [&] {
        const QString changed = FormatTableName(formatCode);
        const QString value = tickMode == 0 ? QStringLiteral("-1")
            : tickMode == 1                 ? QStringLiteral("iif(选择,0,-1)")
                                            : QStringLiteral("0");
        for (const QString &table : LinkedTables()) {
            if (table.compare(changed, Qt::CaseInsensitive) == 0)
                continue;
            dm.exec(QStringLiteral("Update ") + table + QStringLiteral(" Set 选择=") + value
                    + QStringLiteral(" where bID  in (") + requireList(bidList) + QLatin1Char(')'));
        }
    });
}

bool DeleteByLink(TDm &dm, int formatCode, const QString &bidList, QString &error)
{
    return catching(error, [&] {
        const QString changed = FormatTableName(formatCode);
        for (const QString &table : LinkedTables()) {
            if (table.compare(changed, Qt::CaseInsensitive) == 0)
                continue;
            dm.exec(QStringLiteral("Delete From ") + table + QStringLiteral("  Where bId in (") + requireList(bidList)
                    + QLatin1Char(')'));
        }
    });
}

void DeleteCategoryItems(TDm &dm, const QString &cidList)
{
    for (const QString &table : LinkedTables())
        dm.exec(QStringLiteral("Delete From ") + table + QStringLiteral("  Where cId in (") + requireList(cidList)
                + QLatin1Char(')'));
}

namespace {

bool addStagingFile(TDm &dm, const QString &table, const QString &flagColumn, const QString &filePath,
                    const QString &pictureDir, const QString &categoryName, const QString &parentName,
                    const QString &cID, bool flag, QString &error)
{
    return catching(error, [&] {
        dm.exec(QStringLiteral("Insert Into %1(文件路径,图片路径,%2,分类,上层分类,cID) Values(?,?,?,?,?,?)")
                    .arg(table, flagColumn),
                {filePath, pictureDir, flag ? -1 : 0, categoryName, parentName, categoryValue(cID)});
    });
}

} // namespace

bool AddImportFile(TDm &dm, const QString &filePath, const QString &pictureDir, const QString &categoryName,
                   const QString &parentName, const QString &cID, bool importPictures, QString &error)
{
    return addStagingFile(dm, QStringLiteral("Imfile"), QStringLiteral("导入图片"), filePath, pictureDir, categoryName,
                          parentName, cID, importPictures, error);
}

bool AddExportFile(TDm &dm, const QString &filePath, const QString &pictureDir, const QString &categoryName,
                   const QString &parentName, const QString &cID, bool exportPictures, QString &error)
{
    return addStagingFile(dm, QStringLiteral("Exfile"), QStringLiteral("导出图片"), filePath, pictureDir, categoryName,
                          parentName, cID, exportPictures, error);
}

bool ClearImportFiles(TDm &dm, QString &error)
{
    return catching(error, [&] { dm.exec(QStringLiteral("Delete From Imfile")); });
}

bool ClearExportFiles(TDm &dm, QString &error)
{
    return catching(error, [&] { dm.exec(QStringLiteral("Delete From Exfile")); });
}

bool ClearBabyNewData(TDm &dm, QString &error)
{
    return catching(error, [&] { dm.exec(QStringLiteral("Delete From BabyNewData")); });
}

#include "native_rows.h"

#include "store/category_store.h"
#include "store/conversions.h"
#include "store/data_module.h"
#include "store/item_queries.h"
#include "store/item_tables.h"

#include <QStringList>

namespace {

QString joinIds(const QVariantList &ids)
{
    QStringList parts;
    parts.reserve(ids.size());
    for (const QVariant &id : ids)
        if (!id.isNull())
            parts << QString::number(id.toLongLong());
    return parts.join(QLatin1Char(','));
}

// The categories to convert: the one asked for when its native table lacks it, or, for
// every category, those that have generic rows and no native row.
QString categoriesToConvert(TDm &dm, int formatCode, qint64 cID)
{
    if (cID != 0)
        return NativeRowsExist(dm, formatCode, cID) ? QString() : QString::number(cID);
    const QString native = FormatTableName(formatCode == FormatTaobao5 ? FormatTaobao4 : formatCode);
    return joinIds(dm.column(QStringLiteral("select distinct cID from BaseData where cID is not null and cID not in "
                                            "(select cID from %1 where cID is not null) order by cID")
                                 .arg(native)));
}

QString stagedCategories(TDm &dm, qint64 cID)
{
    if (cID != 0)
        return QString::number(cID);
    return joinIds(dm.column(QStringLiteral("select distinct cID from BabyData where cID is not null order by cID")));
}

} // namespace

bool PrepareNativeRows(TDm &dm, int formatCode, qint64 cID, QString &error)
{
    if (formatCode == FormatGeneric || formatCode == FormatYoua || formatCode > FormatYoua)
        return true; // no conversion reaches these tables
    try {
        const QString list = categoriesToConvert(dm, formatCode, cID);
        if (!list.isEmpty() && IsCategoryList(list) && !ConvertBaseToNative(dm, formatCode, list, error))
            return false;
        if (formatCode != FormatTaobao5)
            return true;
        // Rows left by an earlier run that stopped would be written with ours.
        if (!ClearBabyNewData(dm, error))
            return false;
        const QString staged = stagedCategories(dm, cID);
        return staged.isEmpty() || !IsCategoryList(staged) || ConvertBabyToBabyNew(dm, staged, error);
    } catch (const StoreError &e) {
        error = e.message();
        return false;
    }
}

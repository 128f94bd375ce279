// Conversion into the generic table: Taobao 5.x staging rows into BabyData, then
// BabyData or PPData rows into BaseData, each native row linked to its generic row by bID.

#include "conversions.h"

#include "category_store.h"
#include "data_module.h"
#include "item_queries.h"
#include "item_tables.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

#include <utility>

namespace {

const QString kNewToOld = QStringLiteral(
    "insert into BabyData(宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,"
    "运费承担,平邮,EMS,快递,发票,保修,放入仓库,橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,"
    "上传状态,图片状态,返点比例,新图片,视频,销售属性组合,用户输入ID串,用户输入名值对,商家编码,销售属性别名,代充类型,"
    "数字ID,图片1,图片2,图片3,图片4,图片5,bID,cID,选择) "
    "Select 宝贝名称,宝贝类目,店铺类目,iif(新旧程度=1,0,iif(新旧程度=2,2,1)),省,城市,iif(出售方式=1,'b','a'),"
    "宝贝价格,加价幅度,宝贝数量,有效期,iif(运费承担=1,2,1),平邮,EMS,快递,发票,保修,iif(放入仓库=2,-2,0),橱窗推荐,"
    "开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,上传状态,图片状态,返点比例,新图片,视频,销售属性组合,"
    "用户输入ID串,用户输入名值对,商家编码,销售属性别名,代充类型,数字ID,图片1,图片2,图片3,图片4,图片5,bID,cID,选择 "
    "from BabyNewData where cID in (");

const QString kBaseColumns = QStringLiteral(
    "insert into BaseData(商品名称,商品数量,商品价格,图片1,图片2,图片3,图片4,图片5,商品描述,新旧程度,出售方式,加价幅度,"
    "省,市,有效期,运费承担,平邮,EMS,快递,付款方式,发票,保修,自动重发,橱窗,上架选项,上架时间,商家编码,cID,选择,TmpID) ");

const QString kFromBaby = QStringLiteral(
    "Select 宝贝名称,宝贝数量,宝贝价格,图片1,图片2,图片3,图片4,图片5,宝贝描述,"
    "iif(新旧程度=0,'全新',iif(新旧程度=1,'二手','闲置')),iif(出售方式='b','一口价','拍卖'),加价幅度,省,城市,有效期,"
    "iif(运费承担=2,'卖家',iif(邮费模版ID=0,'买家','模板')),平邮,EMS,快递,付款方式,发票,保修,自动重发,橱窗推荐,"
    "iif(放入仓库=0,'立即',iif(放入仓库=-2,'仓库','定时')),开始时间,商家编码,cID,选择,ID "
    "from BabyData where bID is null and cID in (");

const QString kFromPP = QStringLiteral(
    "Select 商品名称,商品数量,价格,图片,图片2,图片3,图片4,图片5,商品详情,"
    "iif(新旧程度='1','全新','二手'),iif(出售方式='b','一口价','拍卖'),加价幅度,省,市,有效期,"
    "iif(运费承担='1','卖家',iif(运费承担='2','买家','模板')),平邮,EMS,快递,付款方式,有发票,有保修,自动重发,橱窗,"
    "iif(上架选项='1','立即',iif(上架选项='2','仓库','定时')),定时上架,商家编码,cID,选择,pID "
    "from PPData where bID is null and cID in (");

QString queryError(const QSqlQuery &query)
{
    const QSqlError e = query.lastError();
    return (e.databaseText().isEmpty() ? e.text() : e.databaseText()).trimmed();
}

// Gives every entry that the pattern matches the kind digit `kind`; the pattern's two
// groups are the text before and after the digit. Matches follow one another without overlap.
QString replaceKind(const QString &list, const QRegularExpression &pattern, QChar kind)
{
    QString result;
    qsizetype done = 0;
    QRegularExpressionMatchIterator it = pattern.globalMatch(list);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        result += QStringView(list).mid(done, m.capturedStart() - done);
        result += m.capturedView(1);
        result += kind;
        result += m.capturedView(2);
        done = m.capturedEnd();
    }
    if (done == 0)
        return list;
    result += QStringView(list).mid(done);
    return result;
}

const QRegularExpression &kindPattern(int kind)
{
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("([^;:]*?:)0(:\\d:)")),
        QRegularExpression(QStringLiteral("([^;:]*?:)1(:\\d:)")),
        QRegularExpression(QStringLiteral("([^;:]*?:)2(:\\d:)")),
    };
    return patterns[kind];
}

} // namespace

QString PictureKindsToTaobao4(const QString &pictureList)
{
    // 1 -> 0 first, so the entries that 2 -> 1 makes stay 1.
    return replaceKind(replaceKind(pictureList, kindPattern(1), QLatin1Char('0')), kindPattern(2), QLatin1Char('1'));
}

QString PictureKindsToTaobao5(const QString &pictureList)
{
    // 1 -> 2 first, so the entries that 0 -> 1 makes stay 1.
    return replaceKind(replaceKind(pictureList, kindPattern(1), QLatin1Char('2')), kindPattern(0), QLatin1Char('1'));
}

bool RunConversionWork(TDm &dm, QString &error, const std::function<void()> &work)
{
    if (!dm.beginWork(&error)) {
        dm.rollbackWork();
        return false;
    }
    try {
        work();
        dm.AdqExec().finish();
    } catch (const StoreError &e) {
        dm.rollbackWork();
        error = e.message();
        return false;
    }
    return dm.commitWork(&error);
}

QString CheckedCategoryList(const QString &cidList)
{
    if (!IsCategoryList(cidList))
        throw StoreError(QStringLiteral("无效的编号列表：") + cidList);
    return cidList;
}

qint64 LastRowKey(TDm &dm, const QString &table, const QString &key)
{
    return dm.scalar(QStringLiteral("Select max(%1) from %2").arg(key, table)).toLongLong();
}

void RewritePictureKinds(TDm &dm, const QString &table, qint64 afterId, QString (*rewrite)(const QString &))
{
    // Read a block of rows, then write back the changed lists: AdqExec is free again by then.
    const QString select = QStringLiteral("Select ID,新图片 from %1 where ID > ? order by ID limit 500").arg(table);
    QSqlQuery update(dm.Adc());
    if (!update.prepare(QStringLiteral("Update %1 set 新图片=? where ID=?").arg(table)))
        throw StoreError(queryError(update));
    qint64 last = afterId;
    for (;;) {
        QVector<std::pair<qint64, QString>> changed;
        bool any = false;
        QSqlQuery &rows = dm.exec(select, {last});
        while (rows.next()) {
            any = true;
            last = rows.value(0).toLongLong();
            const QString list = rows.value(1).toString();
            const QString rewritten = rewrite(list);
            if (rewritten != list)
                changed.append({last, rewritten});
        }
        rows.finish();
        if (!any)
            return;
        for (const auto &row : changed) {
            update.addBindValue(row.second);
            update.addBindValue(row.first);
            if (!update.exec())
                throw StoreError(queryError(update));
        }
    }
}

bool ConvertNewToOld(TDm &dm, const QString &cidList, QString &error)
{
    return RunConversionWork(dm, error, [&] {
        const QString list = CheckedCategoryList(cidList);
        const qint64 before = LastRowKey(dm, QStringLiteral("BabyData"), QStringLiteral("ID"));
        dm.exec(kNewToOld + list + QStringLiteral(") order by ID"));
        QString clearError;
        if (!ClearBabyNewData(dm, clearError))
            throw StoreError(clearError);
        RewritePictureKinds(dm, QStringLiteral("BabyData"), before, PictureKindsToTaobao4);
    });
}

bool ConvertToBase(TDm &dm, int formatCode, const QString &cidList, QString &error)
{
    return RunConversionWork(dm, error, [&] {
        const QString list = CheckedCategoryList(cidList);
        if (formatCode != FormatTaobao4 && formatCode != FormatPaipai)
            return;
        const QString table = FormatTableName(formatCode);
        const QString key = FormatKeyField(formatCode);
        const qint64 before = LastRowKey(dm, QStringLiteral("BaseData"), QStringLiteral("bID"));
        // Only native rows without a generic row are converted; the generic rows that exist stay.
        dm.exec(kBaseColumns + (formatCode == FormatTaobao4 ? kFromBaby : kFromPP) + list
                + QStringLiteral(") order by ") + key);
        // Pair each native row with the generic row just made from it in its own category: TmpID
        // values of the two native tables overlap, and older generic rows carry TmpIDs too.
        dm.exec(QStringLiteral("Update %1 as b set bID=a.bID from BaseData as a "
                               "where a.bID > ? and a.TmpID = b.%2 and a.cID = b.cID and b.bID is null "
                               "and b.cID in (")
                        .arg(table, key)
                    + list + QLatin1Char(')'),
                {before});
    });
}

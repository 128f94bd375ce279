// Conversion out of the generic table: BaseData rows into BabyData (Taobao 4.x and 5.x) or
// PPData (Paipai), and BabyData rows into the 5.x staging table BabyNewData.

#include "conversions.h"

#include "data_module.h"
#include "item_tables.h"

#include <QStringList>

namespace {

// The picture list of the main pictures 图片1 to 图片5: an entry name:0:n-1:|; for every
// non-empty column. A null column compares as not true and so adds '' like an empty one.
QString pictureListSql()
{
    QStringList entries;
    for (int n = 1; n <= 5; ++n)
        entries << QStringLiteral("iif(图片%1<>'',图片%1||':0:%2:|;','')").arg(n).arg(n - 1);
    return entries.join(QStringLiteral("||"));
}

// A number as the shortest decimal text: 12.50 gives "12.5" and 10.00 "10". Whole numbers come
// back from the store as integers and become their digits through the text column; null stays null.
QString shortestText(const QString &column)
{
    return QStringLiteral("iif(typeof(") + column + QStringLiteral(")='real',printf('%.15g',") + column
        + QStringLiteral("),") + column + QLatin1Char(')');
}

QString toBabySql()
{
    return QStringLiteral("insert into BabyData(宝贝名称,宝贝数量,宝贝价格,新图片,宝贝描述,新旧程度,出售方式,加价幅度,"
                          "省,城市,有效期,运费承担,平邮,EMS,快递,付款方式,发票,保修,自动重发,橱窗推荐,放入仓库,开始时间,"
                          "商家编码,邮费模版ID,bID,cID,选择) Select 商品名称,商品数量,商品价格,")
        + pictureListSql()
        + QStringLiteral(",商品描述,iif(新旧程度='全新',0,iif(新旧程度='二手',1,2)),iif(出售方式='一口价','b','a'),"
                         "加价幅度,省,市,有效期,iif(运费承担='卖家',2,1),平邮,EMS,快递,付款方式,发票,保修,自动重发,橱窗,"
                         "iif(上架选项='立即',0,iif(上架选项='仓库',-2,-1010)),上架时间,商家编码,"
                         "iif(运费承担='模板',1,0),bID,cID,选择 from BaseData where cID in (");
}

QString toPPSql()
{
    QStringList numbers;
    for (const char *column : {"有效期", "平邮", "EMS", "快递", "付款方式", "发票", "保修", "自动重发", "橱窗"})
        numbers << shortestText(QString::fromUtf8(column));
    return QStringLiteral("insert into PPData(id,商品名称,商品数量,价格,图片,图片2,图片3,图片4,图片5,商品详情,新旧程度,"
                          "出售方式,加价幅度,省,市,有效期,平邮,EMS,快递,付款方式,有发票,有保修,自动重发,橱窗,运费承担,"
                          "上架选项,定时上架,商家编码,bID,cID,选择) "
                          "Select -1,商品名称,商品数量,商品价格,图片1,图片2,图片3,图片4,图片5,商品描述,"
                          "iif(新旧程度='全新','1','2'),iif(出售方式='一口价','b','a'),加价幅度,省,市,")
        + numbers.join(QLatin1Char(','))
        + QStringLiteral(",iif(运费承担='卖家','1',iif(运费承担='买家','2','3')),"
                         "iif(上架选项='立即','1',iif(上架选项='仓库','2','3')),上架时间,商家编码,bID,cID,选择 "
                         "from BaseData where cID in (");
}

const QString kBabyToNew = QStringLiteral(
    "insert into BabyNewData(宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,"
    "运费承担,平邮,EMS,快递,发票,保修,放入仓库,橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,"
    "上传状态,图片状态,返点比例,新图片,视频,销售属性组合,用户输入ID串,用户输入名值对,商家编码,销售属性别名,代充类型,"
    "数字ID,图片1,图片2,图片3,图片4,图片5,bID,cID,选择) "
    "Select 宝贝名称,宝贝类目,店铺类目,iif(新旧程度=0,1,iif(新旧程度=2,2,3)),省,城市,iif(出售方式='b',1,2),"
    "宝贝价格,加价幅度,宝贝数量,有效期,iif(运费承担=1,2,1),平邮,EMS,快递,发票,保修,"
    "iif(放入仓库=0,1,iif(放入仓库=-2,2,1)),橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,"
    "上传状态,图片状态,返点比例,新图片,视频,销售属性组合,用户输入ID串,用户输入名值对,商家编码,销售属性别名,代充类型,"
    "数字ID,图片1,图片2,图片3,图片4,图片5,bID,cID,选择 from BabyData where cID in (");

} // namespace

bool ConvertBaseToNative(TDm &dm, int formatCode, const QString &cidList, QString &error)
{
    return RunConversionWork(dm, error, [&] {
        const QString list = CheckedCategoryList(cidList);
        const QString tail = list + QStringLiteral(") order by bID");
        if (formatCode == FormatTaobao4 || formatCode == FormatTaobao5)
            dm.exec(toBabySql() + tail);
        else if (formatCode == FormatPaipai)
            dm.exec(toPPSql() + tail);
    });
}

bool ConvertBabyToBabyNew(TDm &dm, const QString &cidList, QString &error)
{
    return RunConversionWork(dm, error, [&] {
        const QString list = CheckedCategoryList(cidList);
        // Only the rows made now are rewritten: rows left from an earlier run already hold 5.x kinds.
        const qint64 before = LastRowKey(dm, QStringLiteral("BabyNewData"), QStringLiteral("ID"));
        dm.exec(kBabyToNew + list + QStringLiteral(") order by ID"));
        RewritePictureKinds(dm, QStringLiteral("BabyNewData"), before, PictureKindsToTaobao5);
    });
}

#include "export_layouts.h"

#include "csv/shop_formats.h"
#include "store/item_tables.h"

namespace {

QStringList split(const char *names)
{
    return QString::fromUtf8(names).split(QLatin1Char(','));
}

} // namespace

int FormatFromIndex(int index)
{
    return index >= 0 && index <= 3 ? index + 1 : FormatGeneric;
}

QStringList FormatSelectList(int formatCode)
{
    static const QStringList taobao4 = split(
        "宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,运费承担,平邮,EMS,"
        "快递,付款方式,支付宝,发票,保修,闪电发货,自动重发,放入仓库,橱窗推荐,开始时间,心情故事,宝贝描述,宝贝图片,"
        "宝贝属性,团购价,最小团购件数,邮费模版ID,会员打折,修改时间,上传状态,图片状态,返点比例,新图片,视频,"
        "销售属性组合,用户输入ID串,用户输入名值对,商家编码,销售属性别名,代充类型,宝贝编号,宝贝链接");
    static const QStringList taobao5 = split(
        "宝贝名称,宝贝类目,店铺类目,新旧程度,省,城市,出售方式,宝贝价格,加价幅度,宝贝数量,有效期,运费承担,平邮,EMS,"
        "快递,发票,保修,放入仓库,橱窗推荐,开始时间,宝贝描述,宝贝属性,邮费模版ID,会员打折,修改时间,上传状态,"
        "图片状态,返点比例,新图片,视频,销售属性组合,用户输入ID串,用户输入名值对,商家编码,销售属性别名,代充类型,"
        "数字ID,本地ID,宝贝分类,账户名称,宝贝状态");
    static const QStringList paipai = split(
        "id,商品名称,出售方式,商品类目,店铺类目,商品数量,商品重量,有效期,定时上架,新旧程度,价格,加价幅度,省,市,"
        "运费承担,平邮,快递,EMS,购买限制,付款方式,有发票,有保修,支持财付通,自动重发,错误原因,图片,图片2,图片3,"
        "图片4,图片5,商品详情,上架选项,皮肤风格,属性,诚保,假一陪三,橱窗,库存属性,产品ID,商家编码,尺码对照表,版本");
    switch (formatCode) {
    case FormatGeneric: return {};
    case FormatTaobao4: return taobao4;
    case FormatTaobao5: return taobao5;
    default: return paipai;
    }
}

QStringList Taobao5EnglishNames()
{
    static const QStringList names = split(
        "title,cid,seller_cids,stuff_status,location_state,location_city,item_type,price,auction_increment,num,"
        "valid_thru,freight_payer,post_fee,ems_fee,express_fee,has_invoice,has_warranty,approve_status,"
        "has_showcase,list_time,description,cateProps,postage_id,has_discount,modified,upload_fail_msg,"
        "picture_status,auction_point,picture,video,skuProps,inputPids,inputValues,outer_id,propAlias,auto_fill,"
        "num_id,local_cid,navigation_type,user_name,syncStatus");
    return names;
}

QString ExportHeaderText(int formatCode, const QStringList &columns)
{
    QString text;
    if (formatCode == FormatTaobao5) {
        text += QStringLiteral("version 1.00\n");
        text += Taobao5EnglishNames().join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QStringList names;
    names.reserve(columns.size());
    for (const QString &column : columns)
        names << HeaderFieldName(column);
    return text + names.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

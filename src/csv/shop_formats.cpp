#include "shop_formats.h"

#include "store/item_tables.h"

#include <QRegularExpression>

namespace {

QStringList utf8List(std::initializer_list<const char *> names)
{
    QStringList list;
    list.reserve(int(names.size()));
    for (const char *name : names)
        list << QString::fromUtf8(name);
    return list;
}

ShopLayout makeTaobao4()
{
    ShopLayout l;
    l.formatCode = FormatTaobao4;
    l.tableName = FormatTableName(FormatTaobao4);
    l.columns = utf8List({"宝贝名称", "宝贝类目", "店铺类目", "新旧程度", "省", "城市", "出售方式", "宝贝价格",
                          "加价幅度", "宝贝数量", "有效期", "运费承担", "平邮", "EMS", "快递", "付款方式", "支付宝",
                          "发票", "保修", "闪电发货", "自动重发", "放入仓库", "橱窗推荐", "开始时间", "心情故事",
                          "宝贝描述", "宝贝图片", "宝贝属性", "团购价", "最小团购件数", "邮费模版ID", "会员打折",
                          "修改时间", "上传状态", "图片状态", "返点比例", "新图片", "视频", "销售属性组合",
                          "用户输入ID串", "用户输入名值对", "商家编码", "销售属性别名", "代充类型", "宝贝编号",
                          "宝贝链接"});
    l.nameColumn = QString::fromUtf8("宝贝名称");
    l.hasPictureColumns = true;
    return l;
}

ShopLayout makeTaobao5()
{
    ShopLayout l;
    l.formatCode = FormatTaobao5;
    l.tableName = FormatTableName(FormatTaobao5);
    l.columns = utf8List({"宝贝名称", "宝贝类目", "店铺类目", "新旧程度", "省", "城市", "出售方式", "宝贝价格",
                          "加价幅度", "宝贝数量", "有效期", "运费承担", "平邮", "EMS", "快递", "发票", "保修",
                          "放入仓库", "橱窗推荐", "开始时间", "宝贝描述", "宝贝属性", "邮费模版ID", "会员打折",
                          "修改时间", "上传状态", "图片状态", "返点比例", "新图片", "视频", "销售属性组合",
                          "用户输入ID串", "用户输入名值对", "商家编码", "销售属性别名", "代充类型", "数字ID",
                          "本地ID", "宝贝分类", "账户名称", "宝贝状态"});
    l.englishNames = utf8List({"title", "cid", "seller_cids", "stuff_status", "location_state", "location_city",
                               "item_type", "price", "auction_increment", "num", "valid_thru", "freight_payer",
                               "post_fee", "ems_fee", "express_fee", "has_invoice", "has_warranty",
                               "approve_status", "has_showcase", "list_time", "description", "cateProps",
                               "postage_id", "has_discount", "modified", "upload_fail_msg", "picture_status",
                               "auction_point", "picture", "video", "skuProps", "inputPids", "inputValues",
                               "outer_id", "propAlias", "auto_fill", "num_id", "local_cid", "navigation_type",
                               "user_name", "syncStatus"});
    l.nameColumn = QString::fromUtf8("宝贝名称");
    l.hasPictureColumns = true;
    return l;
}

QStringList paipaiColumns()
{
    return utf8List({"id", "商品名称", "出售方式", "商品类目", "店铺类目", "商品数量", "商品重量", "有效期",
                     "定时上架", "新旧程度", "价格", "加价幅度", "省", "市", "运费承担", "平邮", "快递", "EMS",
                     "购买限制", "付款方式", "有发票", "有保修", "支持财付通", "自动重发", "错误原因", "图片",
                     "图片2", "图片3", "图片4", "图片5", "商品详情", "上架选项", "皮肤风格", "属性", "诚保",
                     "假一陪三", "橱窗", "库存属性", "产品ID", "商家编码", "尺码对照表", "版本"});
}

ShopLayout makePaipai()
{
    ShopLayout l;
    l.formatCode = FormatPaipai;
    l.tableName = FormatTableName(FormatPaipai);
    l.columns = paipaiColumns();
    l.nameColumn = QString::fromUtf8("商品名称");
    return l;
}

// Youa files share the Paipai container; YAData has every Paipai column but 尺码对照表,
// so a Youa file's 尺码对照表 field is skipped instead of failing the row.
ShopLayout makeYoua()
{
    ShopLayout l = makePaipai();
    l.formatCode = FormatYoua;
    l.tableName = FormatTableName(FormatYoua);
    l.columns.removeAll(QString::fromUtf8("尺码对照表"));
    return l;
}

QString unquoted(QString text)
{
    if (text.startsWith(QLatin1Char('"')))
        text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"')))
        text.chop(1);
    return text;
}

const QString &inputValuesColumn()
{
    static const QString name = QString::fromUtf8("用户输入名值对");
    return name;
}

const QString &inputValuesHeader()
{
    static const QString name = QString::fromUtf8("用户输入名-值对");
    return name;
}

const QRegularExpression &pictureEntryPattern()
{
    static const QRegularExpression re(QStringLiteral("([^;:]*?):(\\d):\\d:"));
    return re;
}

// The characters a Windows file name cannot hold (the bracket expressions below).
bool isForbiddenNameChar(QChar c)
{
    return QStringView(u"\\/?:*\"<>|").contains(c);
}

// The value without the final newline that "$" lets the patterns skip, and without .htm or .html;
// a null view when it ends in neither.
QStringView stemBeforeHtmSuffix(QStringView value)
{
    if (value.endsWith(u'\n'))
        value.chop(1);
    for (QStringView suffix : {QStringView(u".html"), QStringView(u".htm")})
        if (value.endsWith(suffix))
            return value.chopped(suffix.size());
    return QStringView();
}

// Cheap tests that every value the description patterns match passes. The bare-name pattern
// backtracks exponentially on long values it cannot match; these tests keep it from ever seeing one.
bool mayBeFullPath(QStringView value)
{
    const QStringView stem = stemBeforeHtmSuffix(value);
    if (stem.size() < 2 || !stem[0].isLetter() || stem[0].unicode() > 0x7F || stem[1] != u':')
        return false;
    for (QChar c : stem.mid(2))
        if (c != u'\\' && isForbiddenNameChar(c))
            return false;
    return true;
}

bool mayBeBareFileName(QStringView value)
{
    const QStringView stem = stemBeforeHtmSuffix(value);
    if (stem.isNull())
        return false;
    for (QChar c : stem)
        if (isForbiddenNameChar(c))
            return false;
    return true;
}

} // namespace

const ShopLayout &Taobao4Layout() { static const ShopLayout l = makeTaobao4(); return l; }
const ShopLayout &Taobao5Layout() { static const ShopLayout l = makeTaobao5(); return l; }
const ShopLayout &PaipaiLayout() { static const ShopLayout l = makePaipai(); return l; }

const ShopLayout &LayoutOfFormat(int formatCode)
{
    static const ShopLayout youa = makeYoua();
    switch (formatCode) {
    case FormatTaobao5: return Taobao5Layout();
    case FormatPaipai: return PaipaiLayout();
    case FormatYoua: return youa;
    default: return Taobao4Layout();
    }
}

QString HeaderFieldName(const QString &column)
{
    return column == inputValuesColumn() ? inputValuesHeader() : column;
}

QString StoreColumnOfHeaderName(const QString &headerName)
{
    const QString name = unquoted(headerName.trimmed()).trimmed();
    return name == inputValuesHeader() ? inputValuesColumn() : name;
}

QStringList PictureListNames(const QString &pictureList)
{
    QStringList names;
    auto it = pictureEntryPattern().globalMatch(pictureList);
    while (it.hasNext())
        names << it.next().captured(1);
    return names;
}

QStringList PictureListNamesOfKind(const QString &pictureList, int kind)
{
    QStringList names;
    auto it = pictureEntryPattern().globalMatch(pictureList);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedView(2).toInt() == kind)
            names << m.captured(1);
    }
    return names;
}

PaipaiDescriptionForm ClassifyPaipaiDescription(const QString &value)
{
    static const QRegularExpression fullPath(QStringLiteral(R"(^[A-Za-z]\:(\\[^\\/\?:*"<>|]+?)*\.htm(l)?$)"));
    static const QRegularExpression bareName(QStringLiteral(R"(^([^\\/\?:*"<>|]+?)*\.htm(l)?$)"));
    if (mayBeFullPath(value) && fullPath.match(value).hasMatch())
        return PaipaiDescriptionForm::FullPath;
    if (mayBeBareFileName(value) && bareName.match(value).hasMatch())
        return PaipaiDescriptionForm::BareFileName;
    return PaipaiDescriptionForm::HtmlText;
}

QString PaipaiVersionText()
{
    return QString::fromUtf8("拍拍助理2012 [100]");
}

#include "grid_views.h"

#include "store/item_tables.h"

namespace {

// Columns from a space-separated list, all of one width.
QVector<GridColumn> columns(const char *names, int width)
{
    QVector<GridColumn> result;
    const QStringList list = QString::fromUtf8(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &name : list)
        result.append({name, width});
    return result;
}

GridViewDef makeBase()
{
    GridViewDef v;
    v.levelName = QStringLiteral("cxgrdlvl_Base");
    v.viewName = QStringLiteral("cxgrdbtblvw_Base");
    v.table = QStringLiteral("BaseData");
    v.key = QStringLiteral("bID");
    v.formatCode = FormatGeneric;
    v.viewType = 1;
    v.columns = columns("选择", 50) + columns("商品名称", 400) + columns("商品数量 商品价格 图片1 图片2 图片3 图片4 图片5", 100)
        + columns("商品描述", 400)
        + columns("新旧程度 出售方式 加价幅度 省 市 有效期 运费承担 平邮 EMS 快递 付款方式 发票 保修 自动重发 橱窗 "
                  "上架选项 上架时间 商家编码",
                  100)
        + columns("bID cID", 50);
    v.tickColumn = QStringLiteral("选择");
    v.nameColumn = QStringLiteral("商品名称");
    v.descriptionColumn = QStringLiteral("商品描述");
    v.pictureColumns = QString::fromUtf8("图片1 图片2 图片3 图片4 图片5").split(QLatin1Char(' '));
    return v;
}

GridViewDef makeBaby()
{
    GridViewDef v;
    v.levelName = QStringLiteral("cxgrdlvl_Baby");
    v.viewName = QStringLiteral("cxgrdbtblvw_Baby");
    v.table = QStringLiteral("BabyData");
    v.key = QStringLiteral("ID");
    v.formatCode = FormatTaobao4;
    v.viewType = 2;
    v.columns = columns("选择", 50) + columns("宝贝名称", 400)
        + columns("宝贝类目 店铺类目 新旧程度 省 城市 出售方式 宝贝价格 加价幅度 宝贝数量 有效期 运费承担 平邮 EMS 快递 "
                  "付款方式 支付宝 发票 保修 自动重发 放入仓库 橱窗推荐 心情故事",
                  100)
        + columns("宝贝描述", 500) + columns("宝贝图片", 300) + columns("宝贝属性", 200)
        + columns("团购价 最小团购件数 邮费模版ID 会员打折 修改时间 上传状态 图片状态 返点比例", 100)
        + columns("新图片", 300)
        + columns("视频 销售属性组合 用户输入ID串 用户输入名值对 商家编码 销售属性别名 代充类型 宝贝编号 数字ID 宝贝链接 ID",
                  100);
    v.tickColumn = QStringLiteral("选择");
    v.nameColumn = QStringLiteral("宝贝名称");
    v.descriptionColumn = QStringLiteral("宝贝描述");
    v.editableColumns = QStringList{QStringLiteral("宝贝描述")};
    return v;
}

GridViewDef makePP()
{
    GridViewDef v;
    v.levelName = QStringLiteral("cxgrdlvl_PP");
    v.viewName = QStringLiteral("cxgrdbtblvw_PP");
    v.table = QStringLiteral("PPData");
    v.key = QStringLiteral("pID");
    v.formatCode = FormatPaipai;
    v.viewType = 3;
    v.columns = columns("选择", 50) + columns("id", 25) + columns("商品名称", 400)
        + columns("出售方式 商品类目 店铺类目 商品数量 商品重量 有效期 定时上架 新旧程度 价格 加价幅度 省 市 运费承担 平邮 "
                  "快递 EMS 购买限制 付款方式 有发票 有保修 支持财付通 自动重发 错误原因",
                  100)
        + columns("图片", 300) + columns("图片2 图片3 图片4 图片5", 100) + columns("商品详情", 300)
        + columns("上架选项 皮肤风格 属性 诚保 假一陪三 橱窗 库存属性 产品ID 商家编码 尺码对照表 版本", 100)
        + columns("pID bID cID", 50);
    v.tickColumn = QStringLiteral("选择");
    v.nameColumn = QStringLiteral("商品名称");
    v.descriptionColumn = QStringLiteral("商品详情");
    v.pictureColumns = QString::fromUtf8("图片 图片2 图片3 图片4 图片5").split(QLatin1Char(' '));
    return v;
}

} // namespace

int GridViewDef::indexOf(const QString &column) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const GridViewDef &BaseGridView()
{
    static const GridViewDef v = makeBase();
    return v;
}

const GridViewDef &BabyGridView()
{
    static const GridViewDef v = makeBaby();
    return v;
}

const GridViewDef &PPGridView()
{
    static const GridViewDef v = makePP();
    return v;
}

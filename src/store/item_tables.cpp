#include "item_tables.h"

namespace {

using T = ColumnType;

ColumnDef text(const char *name, int size = 0) { return {QString::fromUtf8(name), T::Text, size}; }
ColumnDef memo(const char *name) { return {QString::fromUtf8(name), T::Memo, 0}; }
ColumnDef integer(const char *name) { return {QString::fromUtf8(name), T::Integer, 0}; }
ColumnDef decimal(const char *name) { return {QString::fromUtf8(name), T::Decimal, 0}; }
ColumnDef bit(const char *name) { return {QString::fromUtf8(name), T::Bit, 0}; }
ColumnDef counter(const char *name) { return {QString::fromUtf8(name), T::Counter, 0}; }

QVector<ColumnDef> pictureColumns()
{
    return {text("图片1"), text("图片2"), text("图片3"), text("图片4"), text("图片5")};
}

TableDef makeBaseData()
{
    return {QStringLiteral("BaseData"),
            {text("商品名称"), integer("商品数量"), decimal("商品价格"), text("图片1"), text("图片2"),
             text("图片3"), text("图片4"), text("图片5"), text("商品描述"), text("新旧程度", 10),
             text("出售方式", 10), decimal("加价幅度"), text("省", 20), text("市", 20), integer("有效期"),
             text("运费承担", 10), decimal("平邮"), decimal("EMS"), decimal("快递"), integer("付款方式"),
             integer("发票"), integer("保修"), integer("自动重发"), integer("橱窗"), text("上架选项", 10),
             text("上架时间", 40), text("商家编码"), counter("bID"), integer("cID"), bit("选择"),
             integer("TmpID")},
            QStringLiteral("bID")};
}

TableDef makeBabyData()
{
    QVector<ColumnDef> c = {
        text("宝贝名称", 150), integer("宝贝类目"), text("店铺类目", 50), integer("新旧程度"), text("省", 20),
        text("城市", 20), text("出售方式", 10), decimal("宝贝价格"), decimal("加价幅度"), integer("宝贝数量"),
        integer("有效期"), integer("运费承担"), decimal("平邮"), decimal("EMS"), decimal("快递"),
        integer("付款方式"), integer("支付宝"), integer("发票"), integer("保修"), integer("闪电发货"),
        integer("自动重发"), integer("放入仓库"), integer("橱窗推荐"), text("开始时间", 40), text("心情故事", 10),
        memo("宝贝描述"), text("宝贝图片"), memo("宝贝属性"), integer("团购价"), integer("最小团购件数"),
        integer("邮费模版ID"), integer("会员打折"), text("修改时间", 40), integer("上传状态"), text("图片状态", 20),
        integer("返点比例"), memo("新图片"), text("视频"), text("销售属性组合"), text("用户输入ID串"),
        text("用户输入名值对"), text("商家编码"), text("销售属性别名"), integer("代充类型"), text("宝贝编号"),
        integer("数字ID"), text("宝贝链接"), counter("ID"), integer("bID"), integer("cID"), bit("选择")};
    c += pictureColumns();
    return {QStringLiteral("BabyData"), c, QStringLiteral("ID")};
}

TableDef makeBabyNewData()
{
    QVector<ColumnDef> c = {
        text("宝贝名称", 150), integer("宝贝类目"), text("店铺类目", 50), integer("新旧程度"), text("省", 20),
        text("城市", 20), integer("出售方式"), decimal("宝贝价格"), decimal("加价幅度"), integer("宝贝数量"),
        integer("有效期"), integer("运费承担"), decimal("平邮"), decimal("EMS"), decimal("快递"),
        integer("发票"), integer("保修"), integer("放入仓库"), integer("橱窗推荐"), text("开始时间", 40),
        memo("宝贝描述"), memo("宝贝属性"), integer("邮费模版ID"), integer("会员打折"), text("修改时间", 40),
        text("上传状态", 20), text("图片状态", 20), integer("返点比例"), memo("新图片"), text("视频"),
        text("销售属性组合"), text("用户输入ID串"), text("用户输入名值对"), text("商家编码"), text("销售属性别名"),
        integer("代充类型"), integer("数字ID"), integer("本地ID"), integer("宝贝分类"), text("账户名称"),
        integer("宝贝状态"), counter("ID"), integer("bID"), integer("cID"), bit("选择")};
    c += pictureColumns();
    return {QStringLiteral("BabyNewData"), c, QStringLiteral("ID")};
}

QVector<ColumnDef> shopAssistantColumns(bool paipai)
{
    // PPData and YAData share their layout; they differ in a few types and in 尺码对照表.
    QVector<ColumnDef> c = {
        integer("id"), text("商品名称"), text("出售方式", 10), text("商品类目", 10), text("店铺类目", 10),
        paipai ? integer("商品数量") : text("商品数量", 10), text("商品重量", 10), text("有效期", 10),
        text("定时上架", paipai ? 40 : 10), text("新旧程度", 10), paipai ? decimal("价格") : text("价格", 10),
        paipai ? decimal("加价幅度") : text("加价幅度", 10), text("省", 10), text("市", 10),
        text("运费承担", 10), text("平邮", 10), text("快递", 10), text("EMS", 10), text("购买限制", 10),
        text("付款方式", 10), text("有发票", 10), text("有保修", 10), text("支持财付通", 10),
        text("自动重发", 10), text("错误原因", 10), text("图片"), text("图片2"), text("图片3"), text("图片4"),
        text("图片5"), text("商品详情"), text("上架选项", 10), text("皮肤风格", 10),
        paipai ? text("属性") : text("属性", 10), text("诚保", 10), text("假一陪三", 10), text("橱窗", 10),
        text("库存属性", 10), text("产品ID", 10), text("商家编码")};
    if (paipai)
        c += text("尺码对照表", 10);
    c += {text("版本", 100), counter("pID"), integer("bID"), integer("cID"), bit("选择")};
    return c;
}

TableDef makePPData() { return {QStringLiteral("PPData"), shopAssistantColumns(true), QStringLiteral("pID")}; }
TableDef makeYAData() { return {QStringLiteral("YAData"), shopAssistantColumns(false), QStringLiteral("pID")}; }

QString sqlType(const ColumnDef &c)
{
    switch (c.type) {
    case T::Text:
        return c.size > 0 ? QStringLiteral("text(%1)").arg(c.size) : QStringLiteral("text");
    case T::Memo:
        return QStringLiteral("Memo");
    case T::Integer:
        return QStringLiteral("INTEGER");
    case T::Decimal:
        return QStringLiteral("DECIMAL(14,2)");
    case T::Bit:
        return QStringLiteral("bit NOT NULL DEFAULT 0");
    case T::Counter:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return QString();
}

} // namespace

int TableDef::indexOf(const QString &name) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const ColumnDef *TableDef::column(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &columns[i];
}

QStringList TableDef::columnNames() const
{
    QStringList names;
    names.reserve(columns.size());
    for (const ColumnDef &c : columns)
        names << c.name;
    return names;
}

QString FormatTableName(int formatCode)
{
    switch (formatCode) {
    case FormatGeneric: return QStringLiteral("BaseData");
    case FormatTaobao4: return QStringLiteral("BabyData");
    case FormatTaobao5: return QStringLiteral("BabyNewData");
    case FormatPaipai: return QStringLiteral("PPData");
    default: return QStringLiteral("YAData");
    }
}

QString FormatKeyField(int formatCode)
{
    switch (formatCode) {
    case FormatGeneric: return QStringLiteral("bID");
    case FormatTaobao4: return QStringLiteral("ID");
    case FormatTaobao5: return QStringLiteral("bID");
    case FormatPaipai: return QStringLiteral("pID");
    default: return QStringLiteral("ID");
    }
}

int FormatOfViewType(int viewType)
{
    switch (viewType) {
    case 1: return FormatGeneric;
    case 2: return FormatTaobao4;
    case 3: return FormatPaipai;
    default: return FormatYoua;
    }
}

const TableDef &BaseDataTable() { static const TableDef t = makeBaseData(); return t; }
const TableDef &BabyDataTable() { static const TableDef t = makeBabyData(); return t; }
const TableDef &BabyNewDataTable() { static const TableDef t = makeBabyNewData(); return t; }
const TableDef &PPDataTable() { static const TableDef t = makePPData(); return t; }
const TableDef &YADataTable() { static const TableDef t = makeYAData(); return t; }

const TableDef &ItemTable(const QString &name)
{
    for (const TableDef *t : {&BaseDataTable(), &BabyDataTable(), &BabyNewDataTable(), &PPDataTable()})
        if (t->name.compare(name, Qt::CaseInsensitive) == 0)
            return *t;
    return YADataTable();
}

const TableDef &ItemTableOfFormat(int formatCode) { return ItemTable(FormatTableName(formatCode)); }

QStringList LinkedTables()
{
    return {QStringLiteral("BaseData"), QStringLiteral("BabyData"), QStringLiteral("PPData"),
            QStringLiteral("YAData")};
}

QString CreateItemTableSql(const TableDef &table)
{
    QStringList parts;
    for (const ColumnDef &c : table.columns)
        parts << c.name + QLatin1Char(' ') + sqlType(c);
    return QStringLiteral("CREATE TABLE %1(%2)").arg(table.name, parts.join(QLatin1Char(',')));
}

#include "header_recognition.h"

#include "shop_formats.h"
#include "store/item_tables.h"

#include <QHash>

namespace {

const QChar Tab(u'\t');

bool isTaobao(int formatCode)
{
    return formatCode != FormatPaipai && formatCode != FormatYoua;
}

bool isTaobao5Start(const QString &line1)
{
    return line1.contains(QLatin1String("version"));
}

QString utf8(const char *text) { return QString::fromUtf8(text); }

// Maps header names to layout columns; a name the layout lacks, or one named twice, maps to -1.
QVector<int> columnsByName(const QStringList &headerNames, const QStringList &layoutNames, int &matched)
{
    QHash<QString, int> indexOf;
    for (int i = 0; i < layoutNames.size(); ++i)
        indexOf.insert(layoutNames[i].toLower(), i);
    QVector<int> columns;
    QVector<bool> taken(layoutNames.size(), false);
    matched = 0;
    for (const QString &name : headerNames) {
        const int column = indexOf.value(StoreColumnOfHeaderName(name).toLower(), -1);
        const bool fresh = column >= 0 && !taken[column];
        if (fresh) {
            taken[column] = true;
            ++matched;
        }
        columns << (fresh ? column : -1);
    }
    return columns;
}

bool mostlyMatched(int matched, int fieldCount)
{
    return matched * 2 >= fieldCount;
}

// Takes the header by name when most of its names are the layout's.
bool planByName(HeaderPlan &plan, const QStringList &names, const QStringList &layoutNames, int layoutSize)
{
    int matched = 0;
    const QVector<int> columns = columnsByName(names, layoutNames, matched);
    if (!mostlyMatched(matched, int(names.size())))
        return false;
    plan.byName = true;
    plan.columnCount = int(names.size());
    plan.columnOfPosition = columns;
    plan.extraBase = layoutSize;
    return true;
}

// Fields go to the layout's columns in order; a 4.x header without 闪电发货 lacks that column,
// so from the field after 保修 on every field moves one column on.
void planByPosition(HeaderPlan &plan, int columnCount, int skipAfter)
{
    const int shift = skipAfter >= 0 ? 1 : 0;
    plan.byName = false;
    plan.columnCount = columnCount;
    plan.columnOfPosition.resize(columnCount);
    for (int p = 0; p < columnCount; ++p)
        plan.columnOfPosition[p] = (shift && p > skipAfter) ? p + shift : p;
    plan.extraBase = columnCount + shift;
}

HeaderRecognition recognizeTaobao4(const QString &line1)
{
    HeaderRecognition r;
    if (!line1.contains(utf8("宝贝名称"))) {
        r.verdict = HeaderVerdict::NotTaobao;
        return r;
    }
    const ShopLayout &layout = Taobao4Layout();
    r.plan.formatCode = FormatTaobao4;
    const QStringList names = line1.split(Tab);
    if (!planByName(r.plan, names, layout.columns, int(layout.columns.size()))) {
        const int skipAfter = line1.contains(utf8("闪电发货")) ? -1 : int(layout.columns.indexOf(utf8("保修")));
        planByPosition(r.plan, int(names.size()), skipAfter);
    }
    return r;
}

HeaderRecognition recognizeTaobao5(const QString &line2, const QString &line3)
{
    HeaderRecognition r;
    r.headerLines = 3;
    if (!line2.contains(QLatin1String("title")) && !line3.contains(utf8("宝贝名称"))) {
        r.verdict = HeaderVerdict::NotTaobao;
        return r;
    }
    const ShopLayout &layout = Taobao5Layout();
    const int size = int(layout.columns.size());
    r.plan.formatCode = FormatTaobao5;
    if (!planByName(r.plan, line2.split(Tab), layout.englishNames, size)
        && !planByName(r.plan, line3.split(Tab), layout.columns, size))
        planByPosition(r.plan, int(line3.count(Tab)) + 1, -1);
    return r;
}

// Paipai, and Youa on the same container: only the part of line 1 before 版本 counts, 版本 being
// the last field of a record.
HeaderRecognition recognizePaipai(int formatCode, const QString &line1)
{
    HeaderRecognition r;
    if (formatCode == FormatPaipai && !line1.contains(utf8("商品名称"))) {
        r.verdict = HeaderVerdict::NotPaipai;
        return r;
    }
    const ShopLayout &layout = LayoutOfFormat(formatCode);
    const int size = int(layout.columns.size());
    const int versionColumn = int(layout.columns.indexOf(utf8("版本")));
    const qsizetype cut = line1.indexOf(utf8("版本"));
    QStringList names = (cut >= 0 ? line1.left(cut) : line1).split(Tab);
    if (cut >= 0)
        names.removeLast(); // the opening of the 版本 field, mapped below
    r.plan.formatCode = formatCode;
    if (planByName(r.plan, names, layout.columns, size)) {
        if (cut >= 0) {
            r.plan.columnOfPosition << (r.plan.columnOfPosition.contains(versionColumn) ? -1 : versionColumn);
            ++r.plan.columnCount;
        }
    } else {
        planByPosition(r.plan, int(names.size()) + (cut >= 0 ? 1 : 0), -1);
    }
    r.plan.cutColumn = versionColumn;
    return r;
}

} // namespace

int HeaderLinesNeeded(int requestedFormat, const QString &line1)
{
    return isTaobao(requestedFormat) && isTaobao5Start(line1) ? 3 : 1;
}

HeaderRecognition RecognizeHeader(int requestedFormat, const QStringList &lines)
{
    const QString line1 = lines.value(0);
    if (!isTaobao(requestedFormat))
        return recognizePaipai(requestedFormat, line1);
    if (isTaobao5Start(line1))
        return recognizeTaobao5(lines.value(1), lines.value(2));
    return recognizeTaobao4(line1);
}

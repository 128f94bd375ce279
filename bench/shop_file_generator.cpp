#include "shop_file_generator.h"

#include "csv/shop_formats.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sys/resource.h>

namespace {

QString description(qint64 n, int bytes)
{
    QString html = QStringLiteral("<p style=\"\"font-size:14px\"\">第%1号宝贝：纯棉面料，做工精细。</p>").arg(n);
    const QString para = QStringLiteral("<p>尺码 S/M/L/XL，颜色：红、蓝、黑。洗涤说明：手洗，不可漂白。</p>\t");
    while (html.size() * 2 < bytes)
        html += para;
    return html;
}

QString record(qint64 n, const QStringList &columns, int descriptionBytes, int pictures)
{
    QString pictureList;
    for (int p = 0; p < pictures; ++p)
        pictureList += QStringLiteral("p%1x%2:0:%2:|;").arg(n).arg(p);
    QStringList fields;
    for (const QString &c : columns) {
        if (c == QStringLiteral("宝贝名称"))
            fields << QStringLiteral("\"春季新款连衣裙 %1号\"").arg(n);
        else if (c == QStringLiteral("宝贝描述"))
            fields << QLatin1Char('"') + description(n, descriptionBytes) + QLatin1Char('"');
        else if (c == QStringLiteral("新图片"))
            fields << QLatin1Char('"') + pictureList + QLatin1Char('"');
        else if (c == QStringLiteral("宝贝价格"))
            fields << QStringLiteral("%1.50").arg(50 + n % 300);
        else if (c == QStringLiteral("宝贝数量") || c == QStringLiteral("数字ID"))
            fields << QString::number(c == QStringLiteral("数字ID") ? 520000000000LL + n : n % 100);
        else if (c == QStringLiteral("店铺类目"))
            fields << QStringLiteral("\"101,102\"");
        else if (c == QStringLiteral("省") || c == QStringLiteral("城市"))
            fields << QStringLiteral("\"浙江\"");
        else if (c == QStringLiteral("出售方式"))
            fields << QStringLiteral("\"b\"");
        else
            fields << QStringLiteral("0");
    }
    return fields.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
}

void append(QByteArray &out, const QString &text)
{
    out.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

} // namespace

GeneratedFile GenerateTaobao4File(const QString &path, qint64 records, int descriptionBytes, int pictures,
                                  const QString &pictureDir)
{
    const QStringList columns = Taobao4Layout().columns;
    QStringList header;
    for (const QString &c : columns)
        header << HeaderFieldName(c);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray out("\xFF\xFE", 2);
    append(out, header.join(QLatin1Char('\t')) + QStringLiteral("\r\n"));
    if (!pictureDir.isEmpty())
        QDir().mkpath(pictureDir);
    const QByteArray picture(20 * 1024, 'j');
    GeneratedFile result;
    for (qint64 n = 1; n <= records; ++n) {
        append(out, record(n, columns, descriptionBytes, pictures));
        if (out.size() > (1 << 20)) {
            result.bytes += file.write(out);
            out.clear();
        }
        for (int p = 0; !pictureDir.isEmpty() && p < pictures; ++p) {
            QFile tbi(pictureDir + QStringLiteral("/p%1x%2.tbi").arg(n).arg(p));
            if (tbi.open(QIODevice::WriteOnly))
                tbi.write(picture);
        }
    }
    result.bytes += file.write(out);
    result.records = records;
    return result;
}

double PeakMemoryMb()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

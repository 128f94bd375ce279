#include "list_file.h"

namespace ListFiles {

QStringList all()
{
    return {ImageFilterList, ImageDeleteList, PriceFilterList, SalePriceFilterList,
            NumberFilterList, SaleNumberFilterList, AddressList, PT1ReplaceList,
            PT2ReplaceList, TZ1ReplaceList, TZ2ReplaceList, TZ3ReplaceList,
            DelContentList, AddContentList, NewContentList, ZZ1ReplaceList,
            ZZ2ReplaceList, ImageChar1List, ImageChar2List};
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

} // namespace ListFiles

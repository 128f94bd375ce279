#include "field_text.h"

#include "base/ansi_text.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace {

QString doubleText(double value)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    const double magnitude = std::fabs(value);
    // Plain digits over the range prices and fees live in; exponents beyond it, as the tools write them.
    const char form = magnitude >= 1e-5 && magnitude < 1e15 ? 'f' : 'g';
    return QString::number(value, form, QLocale::FloatingPointShortest);
}

// A number column holding text (edited by hand) must still not break the line.
QString bareText(QString text)
{
    text.remove(QLatin1Char('\t')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('"'));
    return text.trimmed();
}

} // namespace

QString NumberFieldText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return doubleText(value.toDouble());
    default:
        return bareText(value.toString());
    }
}

QString QuotedFieldText(const QString &value)
{
    const QChar quote = QLatin1Char('"');
    if (!value.contains(quote))
        return quote + value + quote;
    QString text;
    text.reserve(value.size() + 8);
    text += quote;
    int run = 0;
    for (const QChar c : value) {
        if (c == quote) {
            ++run;
        } else {
            if (run % 2)
                text += quote;
            run = 0;
        }
        text += c;
    }
    if (run % 2)
        text += quote;
    text += quote;
    return text;
}

bool ReadDescriptionFile(const QString &path, QString &text, QString &error)
{
    text.clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return true;
    QString content;
    if (!AnsiText::readFile(path, &content, &error))
        return false;
    content.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
    content.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    text = content;
    return true;
}

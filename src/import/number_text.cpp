#include "number_text.h"

#include <cmath>
#include <limits>

namespace NumberText {

namespace {

struct Scanned
{
    bool negative = false;
    QString intDigits;
    QString fracDigits;
    bool hasExponent = false;
};

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool scan(const QString &text, Scanned &s)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        s.negative = text[i++] == QLatin1Char('-');
    while (i < n && isDigit(text[i]))
        s.intDigits += text[i++];
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i]))
            s.fracDigits += text[i++];
    }
    if (s.intDigits.isEmpty() && s.fracDigits.isEmpty())
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        const int start = i;
        while (i < n && isDigit(text[i]))
            ++i;
        if (i == start)
            return false;
        s.hasExponent = true;
    }
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    return i == n;
}

// Rounds the decimal digits exactly, halves to even: "2.675" to 2 places is "2.68", "2.5" to 0 is "2".
QString roundDigits(const Scanned &s, int places)
{
    QString intPart = s.intDigits.isEmpty() ? QStringLiteral("0") : s.intDigits;
    QString frac = s.fracDigits;
    if (frac.size() <= places)
        return intPart + QLatin1Char('.') + frac;
    const QString kept = frac.left(places);
    const QChar first = frac.at(places);
    const QString rest = frac.mid(places + 1);
    bool roundUp = first > QLatin1Char('5');
    if (first == QLatin1Char('5')) {
        const bool exactHalf = rest.count(QLatin1Char('0')) == rest.size();
        const QChar last = places > 0 ? kept.back() : intPart.back();
        roundUp = !exactHalf || (last.digitValue() % 2 == 1);
    }
    QString digits = intPart + kept;
    if (roundUp) {
        int i = digits.size() - 1;
        while (i >= 0 && digits[i] == QLatin1Char('9'))
            digits[i--] = QLatin1Char('0');
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
        else
            digits[i] = QChar(digits[i].unicode() + 1);
    }
    const int intLength = digits.size() - places;
    return digits.left(intLength) + QLatin1Char('.') + digits.mid(intLength);
}

} // namespace

QVariant parse(const QString &text, int places)
{
    Scanned s;
    if (!scan(text, s))
        return QVariant();
    double value;
    if (s.hasExponent) {
        bool ok = false;
        value = text.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return QVariant();
        const double scale = std::pow(10.0, places);
        value = std::nearbyint(value * scale) / scale; // the default rounding mode sends halves to even
    } else {
        const QString rounded = roundDigits(s, places);
        if (places == 0) {
            bool ok = false;
            const qint64 whole = rounded.chopped(1).toLongLong(&ok);
            if (ok)
                return s.negative ? -whole : whole;
        }
        value = rounded.toDouble();
    }
    if (s.negative)
        value = -value;
    if (places == 0) {
        if (std::fabs(value) >= 9.2e18)
            return QVariant();
        return qint64(value);
    }
    return value;
}

} // namespace NumberText

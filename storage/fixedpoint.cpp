#include "fixedpoint.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace storage {

namespace {

// The value rounded to `decimals` places, as a string of decimal digits of the value times
// 10^decimals (no sign, no leading zeros beyond one "0").
std::string roundedDigits(double magnitude, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
    // buffer: d.ddddddddddddddddde[+-]XX
    std::string mantissa;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            mantissa.push_back(*p);
    }
    const int exponent = std::atoi(p + 1);

    // Digits that stand before the rounding position: integer digits plus decimals.
    const int kept = exponent + 1 + decimals;
    if (kept < 0)
        return "0";
    std::string digits;
    bool roundUp = false;
    if (kept >= static_cast<int>(mantissa.size())) {
        digits = mantissa + std::string(kept - mantissa.size(), '0');
    } else {
        digits = mantissa.substr(0, kept);
        roundUp = mantissa[kept] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
    }
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return "0";
    return digits.substr(firstNonZero);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Skips leading blanks and an optional sign; returns the position after them.
qsizetype skipBlanksAndSign(const QString &text, bool &negative)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    return i;
}

} // namespace

QString FormatFixed(double value, int width, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    const bool negative = std::signbit(value);
    std::string digits = roundedDigits(std::fabs(value), decimals);
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(digits.begin(), decimals + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - decimals);
    if (decimals > 0)
        text += "." + digits.substr(digits.size() - decimals);
    // A value that rounds to zero is written without a sign.
    if (negative && digits.find_first_not_of('0') != std::string::npos)
        text.insert(text.begin(), '-');
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return result.rightJustified(width, QLatin1Char(' '));
}

QString FormatStored(double value, int width, int decimals)
{
    return value > 0.0 ? FormatFixed(value, width, decimals) : QString();
}

double ParseFixed(const QString &text)
{
    const qsizetype n = text.size();
    bool negative = false;
    qsizetype i = skipBlanksAndSign(text, negative);
    const qsizetype start = i;
    qsizetype end = start; // end of the longest valid prefix
    bool digitsSeen = false;
    while (i < n && isDigit(text[i])) {
        ++i;
        digitsSeen = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            digitsSeen = true;
        }
    }
    if (!digitsSeen)
        return 0.0;
    end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    const std::string number = text.mid(start, end - start).toStdString();
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc())
        return 0.0; // beyond the range of a double: no usable value
    return negative ? -value : value;
}

qint32 ParseInt32(const QString &text)
{
    const qsizetype n = text.size();
    bool negative = false;
    qsizetype i = skipBlanksAndSign(text, negative);
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    for (; i < n && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        value = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(value);
}

} // namespace storage

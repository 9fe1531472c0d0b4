#include "textcodec.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <utility>

namespace storage {

namespace {

// The characters of the bytes 0x80 to 0xFF; the five bytes the code page leaves undefined stand
// for the control characters of the same number. Below 0x80 a byte is its ASCII character. The
// conversion is the one the Windows-1250 codec of Qt's compatibility module makes, done here
// without the ICU converter that codec loads (more than a megabyte at every start).
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Characters that vanish when written rather than become "?": the invisible joiners, marks,
// variation selectors and tags.
constexpr std::pair<char32_t, char32_t> kDropped[] = {
    {0x34F, 0x34F},   {0x61C, 0x61C},     {0x115F, 0x1160},   {0x17B4, 0x17B5},
    {0x180B, 0x180F}, {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x206F},
    {0x3164, 0x3164}, {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},
    {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
};

bool dropped(char32_t c)
{
    return std::any_of(std::begin(kDropped), std::end(kDropped),
                       [c](const auto &range) { return c >= range.first && c <= range.second; });
}

// The byte of a character above 0x7F, or 0 when the code page has none.
uchar byteOf(char32_t c)
{
    static const std::array<std::pair<char16_t, uchar>, 128> sorted = [] {
        std::array<std::pair<char16_t, uchar>, 128> pairs{};
        for (int i = 0; i < 128; ++i)
            pairs[i] = {kHighHalf[i], static_cast<uchar>(0x80 + i)};
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }();
    if (c > 0xFFFF)
        return 0;
    const auto found =
        std::lower_bound(sorted.begin(), sorted.end(), std::pair<char16_t, uchar>{char16_t(c), 0});
    return found != sorted.end() && found->first == c ? found->second : 0;
}

// The decoder converts a byte-order mark like any other character, so only the one that
// DecodeText strips is dropped; a truncated sequence at the end counts as an error.
QStringDecoder utf8Decoder()
{
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                      QStringConverter::Flag::Stateless);
}

} // namespace

QByteArray ToWindows1250(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        char32_t c = text.at(at).unicode();
        if (QChar::isHighSurrogate(c)) {
            // A high surrogate that ends the text is left out; one without its low half is "?".
            if (at + 1 == text.size())
                break;
            if (!QChar::isLowSurrogate(text.at(at + 1).unicode())) {
                bytes += '?';
                continue;
            }
            c = QChar::surrogateToUcs4(char16_t(c), text.at(++at).unicode());
        }
        if (c < 0x80)
            bytes += static_cast<char>(c);
        else if (const uchar byte = byteOf(c))
            bytes += static_cast<char>(byte);
        else if (!dropped(c))
            bytes += '?';
    }
    return bytes;
}

QString FromWindows1250(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<uchar>(bytes.at(at));
        text[at] = QChar(byte < 0x80 ? char16_t(byte) : kHighHalf[byte - 0x80]);
    }
    return text;
}

QString DecodeText(const QByteArray &bytes)
{
    const QByteArrayView byteOrderMark("\xEF\xBB\xBF");
    if (bytes.startsWith(byteOrderMark)) {
        QStringDecoder utf8 = utf8Decoder();
        return utf8.decode(QByteArrayView(bytes).sliced(byteOrderMark.size()));
    }
    // Pure ASCII reads the same in both; only a byte above 0x7F can start a multi-byte sequence.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<uchar>(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8 = utf8Decoder();
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return FromWindows1250(bytes);
}

QStringList TextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, at - start);
        if (c == QLatin1Char('\r') && at + 1 < text.size() && text.at(at + 1) == QLatin1Char('\n'))
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

} // namespace storage

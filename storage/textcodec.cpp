#include "textcodec.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QTextCodec>

#include <algorithm>

namespace storage {

namespace {

QTextCodec *codec()
{
    static QTextCodec *const windows1250 = QTextCodec::codecForName("Windows-1250");
    Q_ASSERT(windows1250);
    return windows1250;
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
    return codec()->fromUnicode(text);
}

QString FromWindows1250(const QByteArray &bytes)
{
    return codec()->toUnicode(bytes);
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

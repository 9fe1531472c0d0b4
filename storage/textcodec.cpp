#include "textcodec.h"

#include <QTextCodec>

namespace storage {

namespace {

QTextCodec *codec()
{
    static QTextCodec *const windows1250 = QTextCodec::codecForName("Windows-1250");
    Q_ASSERT(windows1250);
    return windows1250;
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

} // namespace storage

#include "testfiles.h"

#include "textcodec.h"

#include <QDir>
#include <QFile>

namespace testfiles {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool makeDataTree(const QString &dir)
{
    QDir root(dir);
    for (const char *name : {"DANE", "KOSZ", "Admini", "FONT", "TAPETY", "POMOC"}) {
        if (!root.mkpath(QLatin1String(name)))
            return false;
    }
    return true;
}

QByteArray shortString(const QString &text, int capacity)
{
    const QByteArray encoded = storage::ToWindows1250(text).left(capacity);
    QByteArray bytes(1 + capacity, '\0');
    bytes[0] = static_cast<char>(encoded.size());
    bytes.replace(1, encoded.size(), encoded);
    return bytes;
}

} // namespace testfiles

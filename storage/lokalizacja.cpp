#include "lokalizacja.h"

#include "paths.h"
#include "recordfile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace storage {

namespace lokalizacja {
Record defaultRecord(const QString &workingDir)
{
    Record record(kSize);
    record.setByte(kMode, Local);
    record.setText(localPath, workingDir);
    return record;
}

Mode ModeOf(quint8 stored)
{
    return stored >= Network ? Network : Local;
}
} // namespace lokalizacja

QString LocationFile(const QString &dir)
{
    return PathIn(dir, lokalizacja::kName);
}

DatabaseLocation ReadLocation(const QString &workingDir)
{
    const QString path = LocationFile(workingDir);
    if (!FileExists(path))
        WriteRecord(path, lokalizacja::defaultRecord(workingDir));
    Record record(lokalizacja::kSize);
    ReadRecord(path, record);
    DatabaseLocation location;
    location.mode = lokalizacja::ModeOf(record.byte(lokalizacja::kMode));
    location.localPath = record.text(lokalizacja::localPath);
    location.networkPath = record.text(lokalizacja::networkPath);
    return location;
}

void WriteLocation(const QString &workingDir, int mode, const QString &localPath,
                   const QString &networkPath)
{
    Record record(lokalizacja::kSize);
    record.setByte(lokalizacja::kMode, static_cast<quint8>(mode));
    record.setText(lokalizacja::localPath, localPath.left(200));
    record.setText(lokalizacja::networkPath, networkPath.left(200));
    WriteRecord(LocationFile(workingDir), record);
}

LocationCheck CheckLocation(const QString &workingDir, bool checkLocation)
{
    LocationCheck check;
    check.location = ReadLocation(workingDir);
    if (check.location.mode == lokalizacja::Network) {
        QFile probe(LocationFile(check.location.networkPath));
        if (!probe.open(QIODevice::ReadOnly))
            check.status = LocationCheck::Status::NetworkUnavailable;
        else
            check.baseDir = check.location.networkPath;
        return check;
    }
    if (checkLocation && workingDir != check.location.localPath)
        check.status = LocationCheck::Status::Moved;
    else
        check.baseDir = check.location.localPath;
    return check;
}

void RepairLocation(const QString &workingDir, const LocationCheck &check)
{
    const QString local =
        check.status == LocationCheck::Status::Moved ? workingDir : check.location.localPath;
    WriteLocation(workingDir, lokalizacja::Local, local, check.location.networkPath);
}

FileError OnDatabase(const FileError &error, const QString &baseDir)
{
    const QByteArray probe = QFile::encodeName(LocationFile(baseDir));
    const int fd = ::open(probe.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return error;
    }
    const int code = errno;
    return {code, QStringLiteral("I/O error %1\nFolder bazy danych %2 jest nieosiągalny: serwer "
                                 "lub połączenie sieciowe nie odpowiada.\nSprawdź połączenie z "
                                 "serwerem i ponów operację.")
                      .arg(code)
                      .arg(QDir::toNativeSeparators(baseDir))};
}

} // namespace storage

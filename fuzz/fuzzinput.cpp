#include "fuzzinput.h"

#include "paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

// A folder in memory where the machine has one: every input is written to a file and read back,
// and a disk would make that the slowest part of a run.
QString temporaryTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    const QFileInfo info(memory);
    const QString base = info.isDir() && info.isWritable() ? memory : QDir::tempPath();
    return base + QStringLiteral("/mirtal-fuzz-XXXXXX");
}

} // namespace

const QString &WorkingDir()
{
    static const QTemporaryDir dir(temporaryTemplate());
    static const QString path = [] {
        if (!dir.isValid())
            Fail("no temporary directory");
        for (const char *sub : {"DANE", "Admini", "FONT", "TAPETY"})
            QDir(dir.path()).mkdir(QLatin1String(sub));
        return dir.path();
    }();
    return path;
}

QString WriteInput(const QString &fragment, const QByteArray &bytes)
{
    const QString path = storage::PathIn(WorkingDir(), fragment);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        Fail("the input could not be written");
    return path;
}

void RemoveInput(const QString &fragment)
{
    const QString path = storage::PathIn(WorkingDir(), fragment);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        Fail("an earlier input could not be removed");
}

void ClearData()
{
    QDir dane(storage::PathIn(WorkingDir(), QStringLiteral("DANE")));
    for (const QString &name : dane.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        // Joined by hand: QDir takes a name that starts with ':' for a resource.
        if (!QFile::remove(dane.path() + QLatin1Char('/') + name))
            Fail("an earlier input could not be removed");
    }
}

QList<std::optional<QByteArray>> Parts(const QByteArray &bytes, int count)
{
    QList<std::optional<QByteArray>> parts;
    const QByteArray marker(kPartMarker);
    qsizetype from = 0;
    for (int part = 0; part < count; ++part) {
        if (from > bytes.size()) {
            parts.append(std::nullopt);
            continue;
        }
        const qsizetype end = part + 1 < count ? bytes.indexOf(marker, from) : -1;
        if (end < 0) {
            parts.append(bytes.mid(from));
            from = bytes.size() + 1;
        } else {
            parts.append(bytes.mid(from, end - from));
            from = end + marker.size();
        }
    }
    return parts;
}

void WritePart(const QString &fragment, const std::optional<QByteArray> &part)
{
    if (part)
        WriteInput(fragment, *part);
    else
        RemoveInput(fragment);
}

void EnsureApplication(bool widgets)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Kept to the end of the process and never destroyed: destroying it from an exit handler
    // would come after Qt's own globals are gone.
    static QCoreApplication *application = nullptr;
    if (application)
        return;
    if (widgets) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = new QApplication(argc, argv);
    } else {
        application = new QCoreApplication(argc, argv);
    }
}

void Fail(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace fuzz

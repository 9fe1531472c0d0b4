#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

struct archive;

// Small helpers around libarchive, shared by archiving and restoring.
namespace archiwizator::zip {

struct ReadDeleter {
    void operator()(archive *a) const;
};
struct WriteDeleter {
    void operator()(archive *a) const;
};
using Reader = std::unique_ptr<archive, ReadDeleter>;
using Writer = std::unique_ptr<archive, WriteDeleter>;

// Entry names are UTF-8 inside the archive whatever the process's locale: while one of these
// lives, the calling thread converts names with a UTF-8 locale.
class Utf8Names
{
public:
    Utf8Names();
    ~Utf8Names();
    Q_DISABLE_COPY(Utf8Names)

private:
    void *m_locale = nullptr;
    void *m_previous = nullptr;
};

// Opens an existing ZIP archive for reading. Only an archive whose central directory is
// intact at its end is accepted, so a truncated file is refused before any entry is read.
// Throws Failure with libarchive's reason.
Reader OpenForReading(const QString &path);

// libarchive's message for the last failure, or `fallback` when it has none.
QString ErrorText(archive *a, const QString &fallback = QString());

// The system error code behind the last failure, 0 when there is none.
int ErrorNumber(archive *a);

} // namespace archiwizator::zip

#include "zip.h"

#include "blad.h"

#include <QFile>

#include <archive.h>
#include <locale.h>

namespace archiwizator::zip {

void ReadDeleter::operator()(archive *a) const
{
    archive_read_free(a);
}

void WriteDeleter::operator()(archive *a) const
{
    archive_write_free(a);
}

Utf8Names::Utf8Names()
{
    locale_t utf8 = ::newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (utf8) {
        m_locale = utf8;
        m_previous = ::uselocale(utf8);
    }
}

Utf8Names::~Utf8Names()
{
    if (m_locale) {
        ::uselocale(static_cast<locale_t>(m_previous));
        ::freelocale(static_cast<locale_t>(m_locale));
    }
}

Reader OpenForReading(const QString &path)
{
    Reader reader(archive_read_new());
    if (!reader)
        throw Failure(QStringLiteral("Brak pamięci na odczyt archiwum."));
    archive_read_support_format_zip_seekable(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 65536) !=
        ARCHIVE_OK)
        throw Failure(ErrorText(reader.get(), QStringLiteral("nieznany błąd")));
    return reader;
}

QString ErrorText(archive *a, const QString &fallback)
{
    const char *text = archive_error_string(a);
    return text ? QString::fromUtf8(text) : fallback;
}

int ErrorNumber(archive *a)
{
    const int err = archive_errno(a);
    return err > 0 ? err : 0;
}

} // namespace archiwizator::zip

// The update decision on a downloaded version information file: its first three lines against
// the installed identifier. The input's first byte gives the length of the identifier that
// follows it; the rest is the downloaded file.
#include "aktualizacja.h"
#include "fuzzinput.h"
#include "textcodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t length = std::min<size_t>(data[0] % 11, size - 1);
    const QString installed = storage::FromWindows1250(fuzz::Bytes(data + 1, length));
    const QByteArray downloaded = fuzz::Bytes(data + 1 + length, size - 1 - length);

    const QStringList lines = admin::FirstLines(downloaded, 3);
    FUZZ_CHECK(lines.size() == 3);
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    switch (admin::DecideUpdate(installed, lines[0], lines[1])) {
    case admin::UpdateAnswer::NewVersion:
        FUZZ_CHECK(admin::Announcement(lines[2]).endsWith(lines[2]));
        break;
    case admin::UpdateAnswer::Current:
    case admin::UpdateAnswer::Silent:
        FUZZ_CHECK(installed == lines[0]);
        break;
    }
    return 0;
}

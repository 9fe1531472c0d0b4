// The client register, DANE\klienci.dat, read as the main window reads it and written back as it
// saves the list.
#include "clientrecords.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "recordfile.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\klienci.dat"), fuzz::Bytes(data, size));
    Record klienci(registerfile::kSize);
    try {
        ReadRecord(path, klienci);
    } catch (const FileError &) {
        return 0;
    }
    QStringList lines;
    for (int position = 1; position <= registerfile::kPositions; ++position)
        lines << klienci.text(registerfile::line(position));

    // Saving puts the lines back; the bytes this program does not use stay as they were read.
    Record saved = klienci;
    for (int position = 1; position <= registerfile::kPositions; ++position)
        saved.setText(registerfile::line(position), lines.at(position - 1));
    FUZZ_CHECK(saved.size() == registerfile::kSize);
    FUZZ_CHECK(saved.bytes().mid(registerfile::kUnusedOffset) ==
               klienci.bytes().mid(registerfile::kUnusedOffset));
    for (int position = 1; position <= registerfile::kPositions; ++position)
        FUZZ_CHECK(saved.text(registerfile::line(position)).size() <= registerfile::kLineCapacity);
    return 0;
}

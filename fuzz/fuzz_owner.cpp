// A client's owner record, DANE\NNN.dat, read as the settlement window reads it: its fields, and
// the identifier as the stem of the per-year file names, which are then looked up.
#include "clientrecords.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "recordfile.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString root = fuzz::WorkingDir();
    const QString path = fuzz::WriteInput(QStringLiteral("DANE\\001.dat"), fuzz::Bytes(data, size));
    Record record(owner::kSize);
    try {
        ReadRecord(path, record);
    } catch (const FileError &) {
        return 0;
    }
    for (const StringField field : {owner::nazwa1, owner::nazwa2, owner::nazwa3, owner::nip,
                                    owner::rejestracja, owner::marka, owner::id})
        FUZZ_CHECK(record.text(field).size() <= field.capacity);
    const QString header3 =
        record.text(owner::marka) + QLatin1Char(' ') + record.text(owner::rejestracja);
    const QString stem = YearStem(record.text(owner::id), QStringLiteral("2007"));
    for (const char *extension : {".prz", ".eks", ".num", ".mie", ".vat"}) {
        const QString file = YearFile(root, stem, QLatin1String(extension));
        FileExists(file);
    }
    return header3.isNull() ? 1 : 0;
}

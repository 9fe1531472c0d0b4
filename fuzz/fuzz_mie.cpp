// The print panel's memory of a year (.mie), read as the print panel reads it.
#include "clientrecords.h"
#include "fileerror.h"
#include "fuzzinput.h"
#include "recordfile.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.mie"), fuzz::Bytes(data, size));
    Record memory(storage::mie::kSize);
    try {
        ReadRecord(path, memory);
    } catch (const FileError &) {
        return 0;
    }
    FUZZ_CHECK(memory.text(storage::mie::miejscowosc).size() <= 50);
    memory.int32(storage::mie::kReserved1);
    memory.int32(storage::mie::kReserved2);
    memory.int32(storage::mie::kReserved3);
    return 0;
}

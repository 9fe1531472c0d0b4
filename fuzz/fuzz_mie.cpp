// The print panel's memory of a year (.mie), read as the print panel reads it.
#include "fileerror.h"
#include "fuzzinput.h"
#include "recordfile.h"
#include "wydruk.h"

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.mie"), fuzz::Bytes(data, size));
    Record memory(printing::mie::kSize);
    try {
        ReadRecord(path, memory);
    } catch (const FileError &) {
        return 0;
    }
    FUZZ_CHECK(memory.text(printing::mie::miejscowosc).size() <= 50);
    memory.int32(printing::mie::kReserved1);
    memory.int32(printing::mie::kReserved2);
    memory.int32(printing::mie::kReserved3);
    return 0;
}

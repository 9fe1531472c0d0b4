// A year's VAT setting (.vat), read as the cost register reads it: the other rate as text, the
// mode byte, and the rate applied to a net amount.
#include "clientrecords.h"
#include "fileerror.h"
#include "fixedpoint.h"
#include "fuzzinput.h"
#include "recordfile.h"

#include <optional>

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path =
        fuzz::WriteInput(QStringLiteral("DANE\\001_2007.vat"), fuzz::Bytes(data, size));
    Record setting(vatsetting::kSize);
    try {
        ReadRecord(path, setting);
    } catch (const FileError &) {
        return 0;
    }
    const QString otherRate = setting.text(vatsetting::otherRate);
    FUZZ_CHECK(otherRate.size() <= 3);
    std::optional<double> rate;
    switch (setting.byte(vatsetting::kMode)) {
    case vatsetting::Vat22:
        rate = 0.22;
        break;
    case vatsetting::Vat7:
        rate = 0.07;
        break;
    case vatsetting::OtherVat:
        rate = ParseFixed(otherRate) / 100.0;
        break;
    default:
        break;
    }
    if (rate)
        FormatFixed(*rate * 1234.56, cost::kAmountWidth, 2);
    return 0;
}

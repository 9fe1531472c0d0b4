// Fixed-point text: the parser on any text (as a record's Windows-1250 bytes decode), the
// formatter on what it parsed, and the integer reading of the numerator.
#include "fixedpoint.h"
#include "fuzzinput.h"
#include "textcodec.h"

#include <cmath>

using namespace storage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int width = data[0] % 24;
    const int decimals = data[1] % 8;
    const QString text = FromWindows1250(fuzz::Bytes(data + 2, size - 2));

    const double value = ParseFixed(text);
    const QString formatted = FormatFixed(value, width, decimals);
    const QString stored = FormatStored(value, width, decimals);
    FUZZ_CHECK(formatted.size() >= width);
    FUZZ_CHECK(stored.isEmpty() == !(value > 0.0));
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        // The text is the value rounded to `decimals` places, and it reads back as that.
        const double back = ParseFixed(formatted);
        const double step = std::pow(10.0, -decimals);
        FUZZ_CHECK(std::fabs(back - value) <= step / 2 + std::fabs(value) * 1e-15);
        FUZZ_CHECK(FormatFixed(back, width, decimals) == formatted);
        FUZZ_CHECK(!formatted.contains(QLatin1Char(',')));
    }

    const qint32 number = ParseInt32(text);
    FUZZ_CHECK(ParseInt32(QString::number(number)) == number);
    return 0;
}

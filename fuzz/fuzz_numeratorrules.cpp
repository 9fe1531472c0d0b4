// The numerator's number conversion: a typed text (Windows-1250) read as the number stored, the
// record saved from it with a suffix, and the number after a print. The first four bytes are
// also taken as a stored number, shown and read back.
#include "clientrecords.h"
#include "fuzzinput.h"
#include "numeratorrules.h"
#include "textcodec.h"

#include <algorithm>
#include <cstring>
#include <limits>

using namespace storage;

namespace {

// The typed number worked out apart from the program: spaces and tabs, a sign, the leading digits,
// held at the 32-bit limits.
qint32 Expected(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    long double value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = std::min<long double>(value * 10 + (text[i].unicode() - '0'), 1e12L);
    if (negative)
        value = -value;
    value = std::clamp<long double>(value, std::numeric_limits<qint32>::min(),
                                    std::numeric_limits<qint32>::max());
    return qint32(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const QString text = FromWindows1250(bytes);
    const qint32 number = settlement::NumeratorNumber(text);
    FUZZ_CHECK(number == Expected(text));

    const QString suffix = text.mid(text.size() / 2);
    const Record record = settlement::NumeratorRecord(text, suffix);
    FUZZ_CHECK(record.size() == numerator::kSize);
    FUZZ_CHECK(record.int32(numerator::kNumber) == number);
    FUZZ_CHECK(record.text(numerator::suffix) == suffix.left(numerator::suffix.capacity));

    const std::optional<qint32> next = settlement::NextDocumentNumber(number);
    if (number == std::numeric_limits<qint32>::max())
        FUZZ_CHECK(!next);
    else
        FUZZ_CHECK(next && *next == number + 1);

    if (size >= 4) {
        qint32 stored = 0;
        std::memcpy(&stored, data, sizeof stored);
        FUZZ_CHECK(settlement::NumeratorNumber(QString::number(stored)) == stored);
        FUZZ_CHECK(settlement::NumeratorNumber(QStringLiteral("  ") + QString::number(stored) +
                                               QStringLiteral("x")) == stored);
    }
    return 0;
}

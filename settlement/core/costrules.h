#pragma once

#include "clientrecords.h"
#include "record.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace settlement {

// The five texts of one invoice row: date, kind of expense, document number, net, VAT (the
// columns storage::cost::kDate … kVat).
using CostRow = std::array<QString, 5>;
// Rows 1 to 20 of one month.
using CostMonth = std::array<CostRow, storage::cost::kRows>;

using VatMode = storage::vatsetting::Mode;

// The mode byte of a stored ".vat" record: 1 to 4 are the defined modes; 0 reads as the
// nearest, "Nie licz" (1), and anything above 4 as "Licz inny" (4).
VatMode VatModeFromByte(quint8 mode);

// The VAT setting as stored: the other rate (cut to 3 characters) and the mode.
struct VatSetting {
    QString otherRate;
    VatMode mode = VatMode::NoVat;
};
VatSetting VatSettingOf(const storage::Record &record);
storage::Record VatSettingRecord(const VatSetting &setting);

// The stored form of a net or VAT amount: width 8, 2 decimals, empty when not above zero.
QString NormalisedAmount(const QString &text);
// Both amounts of a row normalised; the other cells unchanged.
CostRow NormalisedRow(CostRow row);

// A comma before the last two digits of a net text longer than 3 characters becomes ".".
QString NetCommaFixed(const QString &net);

// The VAT cell text that a row with `net` gets in `mode` (width 8, 2 decimals): net × 22 %,
// net × 7 %, or net × `otherRate` percent. No value when the net is empty or the mode is
// "Nie licz": the VAT cell is then left as it is.
std::optional<QString> RowVat(const QString &net, VatMode mode, const QString &otherRate);

// The sums of the net and VAT cells of a month as they stand, as text of width 8, 2 decimals.
struct MonthSums {
    QString net;
    QString vat;
};
MonthSums MonthSumsOf(const CostMonth &rows);

// One refresh of the register: the current row (0..19) gets its net comma fixed and its VAT
// computed in `mode`; then every row without a net loses its VAT; the sums are those of the
// month as it then stands.
struct CostView {
    CostMonth rows;
    MonthSums sums;
};
CostView RefreshCosts(const CostMonth &rows, int currentRow, VatMode mode,
                      const QString &otherRate);

// The rows of `month` (1..12) held by a ".eks" record, each normalised.
CostMonth CostMonthOf(const storage::Record &record, int month);
// Normalises every row and stores its cells, cut to 60 characters, under `month`.
void StoreCostMonth(storage::Record &record, int month, CostMonth rows);
// The rows as "Powrót" saves them: every comma of a net becomes ".", then each row normalised.
CostMonth CostMonthForSave(CostMonth rows);

// Sets the year net and VAT totals (width 10, 2 decimals) from every entry of the record.
void SetCostYearTotals(storage::Record &record);

// The phrase list as shown: the lines of the phrase file sorted alphabetically in Polish order,
// case ignored, equal phrases in file order.
QStringList SortedPhrases(QStringList phrases);

} // namespace settlement

#include "costrules.h"

#include "fixedpoint.h"
#include "textrules.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

using namespace storage;

namespace settlement {

namespace {

constexpr int kDecimals = 2;
constexpr int kEntryCapacity = 60;
constexpr int kStoredTotalLength = 15;
constexpr int kOtherRateLength = 3;

} // namespace

VatMode VatModeFromByte(quint8 mode)
{
    if (mode < VatMode::NoVat)
        return VatMode::NoVat;
    if (mode > VatMode::OtherVat)
        return VatMode::OtherVat;
    return static_cast<VatMode>(mode);
}

VatSetting VatSettingOf(const Record &record)
{
    return {record.text(vatsetting::otherRate), VatModeFromByte(record.byte(vatsetting::kMode))};
}

Record VatSettingRecord(const VatSetting &setting)
{
    Record record(vatsetting::kSize);
    record.setText(vatsetting::otherRate, setting.otherRate.left(kOtherRateLength));
    record.setByte(vatsetting::kMode, setting.mode);
    return record;
}

QString NormalisedAmount(const QString &text)
{
    return FormatStored(ParseFixed(text), cost::kAmountWidth, kDecimals);
}

CostRow NormalisedRow(CostRow row)
{
    row[cost::kNet] = NormalisedAmount(row[cost::kNet]);
    row[cost::kVat] = NormalisedAmount(row[cost::kVat]);
    return row;
}

QString NetCommaFixed(const QString &net)
{
    return DecimalCommaFixed(net, 3, 3);
}

std::optional<QString> RowVat(const QString &net, VatMode mode, const QString &otherRate)
{
    if (net.isEmpty())
        return std::nullopt;
    double rate = 0.0;
    switch (mode) {
    case VatMode::Vat22:
        rate = 0.22;
        break;
    case VatMode::Vat7:
        rate = 0.07;
        break;
    case VatMode::OtherVat:
        rate = ParseFixed(otherRate) / 100.0;
        break;
    case VatMode::NoVat:
        return std::nullopt;
    }
    return FormatFixed(rate * ParseFixed(net), cost::kAmountWidth, kDecimals);
}

MonthSums MonthSumsOf(const CostMonth &rows)
{
    double net = 0.0;
    double vat = 0.0;
    for (const CostRow &row : rows) {
        net += ParseFixed(row[cost::kNet]);
        vat += ParseFixed(row[cost::kVat]);
    }
    return {FormatFixed(net, cost::kAmountWidth, kDecimals),
            FormatFixed(vat, cost::kAmountWidth, kDecimals)};
}

CostView RefreshCosts(const CostMonth &rows, int currentRow, VatMode mode, const QString &otherRate)
{
    CostView view{rows, {}};
    CostRow &current = view.rows[std::clamp(currentRow, 0, cost::kRows - 1)];
    current[cost::kNet] = NetCommaFixed(current[cost::kNet]);
    if (const std::optional<QString> vat = RowVat(current[cost::kNet], mode, otherRate))
        current[cost::kVat] = *vat;
    for (CostRow &row : view.rows) {
        if (row[cost::kNet].isEmpty())
            row[cost::kVat].clear();
    }
    view.sums = MonthSumsOf(view.rows);
    return view;
}

CostMonth CostMonthOf(const Record &record, int month)
{
    CostMonth rows;
    for (int row = 1; row <= cost::kRows; ++row) {
        for (int column = 0; column < int(CostRow().size()); ++column)
            rows[row - 1][column] = record.text(cost::entry(month, column, row));
        rows[row - 1] = NormalisedRow(rows[row - 1]);
    }
    return rows;
}

void StoreCostMonth(Record &record, int month, CostMonth rows)
{
    for (int row = 1; row <= cost::kRows; ++row) {
        const CostRow cells = NormalisedRow(rows[row - 1]);
        for (int column = 0; column < int(cells.size()); ++column)
            record.setText(cost::entry(month, column, row), cells[column].left(kEntryCapacity));
    }
}

CostMonth CostMonthForSave(CostMonth rows)
{
    for (CostRow &row : rows) {
        row[cost::kNet].replace(QLatin1Char(','), QLatin1Char('.'));
        row = NormalisedRow(row);
    }
    return rows;
}

void SetCostYearTotals(Record &record)
{
    double net = 0.0;
    double vat = 0.0;
    for (int month = 1; month <= 12; ++month) {
        for (int row = 1; row <= cost::kRows; ++row) {
            net += ParseFixed(record.text(cost::entry(month, cost::kNet, row)));
            vat += ParseFixed(record.text(cost::entry(month, cost::kVat, row)));
        }
    }
    record.setText(cost::netTotal,
                   FormatFixed(net, cost::kTotalWidth, kDecimals).left(kStoredTotalLength));
    record.setText(cost::vatTotal,
                   FormatFixed(vat, cost::kTotalWidth, kDecimals).left(kStoredTotalLength));
}

QStringList SortedPhrases(QStringList phrases)
{
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(phrases.begin(), phrases.end(), collator);
    return phrases;
}

} // namespace settlement

#include "koszty.h"

#include "clientrecords.h"
#include "fixedpoint.h"

#include <algorithm>

using namespace storage;

namespace settlement {

namespace {

constexpr int kTableWidth = 12;
constexpr int kTableDecimals = 2;

double mileageAmount(const Record &mileage, int month)
{
    return ParseFixed(mileage.text(mileage::cell(mileage::kAmount, month)));
}

double costEntry(const Record &costs, int month, int column, int row)
{
    return ParseFixed(costs.text(cost::entry(month, column, row)));
}

double columnSum(const Record &costs, int month, int column)
{
    double sum = 0.0;
    for (int row = 1; row <= cost::kRows; ++row)
        sum += costEntry(costs, month, column, row);
    return sum;
}

void setTableText(CalculationResults &results, int month, int column, double value)
{
    results.table.setText(CalculationResults::cell(month, column),
                          FormatFixed(value, kTableWidth, kTableDecimals));
}

} // namespace

QString FigureText(double value)
{
    return FormatFixed(value, 10, 2) + QStringLiteral(" zł");
}

MonthFigures WyliczKoszty(const Record &mileage, const Record &costs, int month,
                          CalculationResults &results)
{
    month = std::clamp(month, 1, 12);

    results.cumulativeMileage = 0.0;
    results.cumulativeCosts = 0.0;
    results.totalBooked = 0.0;
    results.table.clear();

    MonthFigures figures;
    figures.mileage = mileageAmount(mileage, month);
    figures.costs = columnSum(costs, month, cost::kNet);

    double cumulativeMileage = 0.0;
    double cumulativeCosts = 0.0;
    double bookedBefore = 0.0; // Epm: the E values of the months before
    double previousToBook = 0.0;
    double toBook = 0.0;
    for (int i = 1; i <= month; ++i) {
        const double a = mileageAmount(mileage, i);
        cumulativeMileage += a;
        double b = 0.0;
        for (int row = 1; row <= cost::kRows; ++row) {
            const double net = costEntry(costs, i, cost::kNet, row);
            b += net;
            cumulativeCosts += net;
        }
        bookedBefore += previousToBook;

        toBook = 0.0;
        if (cumulativeMileage < cumulativeCosts)
            toBook = cumulativeMileage - bookedBefore;
        else if (cumulativeMileage > cumulativeCosts)
            toBook = cumulativeCosts - bookedBefore;

        setTableText(results, i, 0, a);
        setTableText(results, i, 1, cumulativeMileage);
        setTableText(results, i, 2, b);
        setTableText(results, i, 3, cumulativeCosts);
        setTableText(results, i, 4, toBook);

        results.cumulativeMileage = cumulativeMileage;
        results.cumulativeCosts = cumulativeCosts;
        results.totalBooked += toBook;
        previousToBook = toBook;
    }

    figures.cumulativeMileage = cumulativeMileage;
    figures.cumulativeCosts = cumulativeCosts;
    figures.toBook = toBook;
    figures.vat = columnSum(costs, month, cost::kVat);

    results.amountToBook = figures.toBook;
    results.vatToBook = figures.vat;
    return figures;
}

} // namespace settlement

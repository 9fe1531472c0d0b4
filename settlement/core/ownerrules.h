#pragma once

#include "record.h"

#include <QDate>
#include <QString>

namespace settlement {

// The default settlement year for a date: its year, or 2000 outside 1996 to 2012.
int DefaultYear(const QDate &today);

// Whether the working buttons may be used: every owner field but the tax number filled.
bool OwnerComplete(const QString &nazwa1, const QString &nazwa2, const QString &nazwa3,
                   const QString &marka, const QString &rejestracja);

// The three values of the totals panel, each the stored year total followed by " zł", "0.00"
// standing for a total not stored yet. The records are only read.
struct TotalsDisplay {
    QString mileage;
    QString net;
    QString vat;
};
TotalsDisplay TotalsDisplayOf(const storage::Record &mileage, const storage::Record &costs);

} // namespace settlement

#include "stawki.h"

#include "fixedpoint.h"

namespace settlement {

RateProposal ProposeRate(const QDate &date, quint8 vehicleClass)
{
    RateProposal proposal;
    if (!date.isValid() || vehicleClass < storage::triplog::CarUpTo900 ||
        vehicleClass > storage::triplog::Moped)
        return proposal;
    const RateSet *found = nullptr;
    for (int i = 0; i < detail::kRateSetCount; ++i) {
        const RateSet &set = detail::kRateSets[i];
        if (QDate(set.year, set.month, set.day) <= date)
            found = &set;
    }
    if (!found)
        return proposal;
    proposal.kind =
        found->confirmed ? RateProposal::Kind::Confirmed : RateProposal::Kind::Suggestion;
    proposal.rate = storage::FormatStored(found->rates[vehicleClass - 1], 9, 4);
    proposal.act = QString::fromUtf8(found->act);
    return proposal;
}

} // namespace settlement

#pragma once

#include "calculationresults.h"
#include "clientrecords.h"
#include "clientyear.h"
#include "record.h"

#include <memory>

namespace settlement {

// What the calculation hands the print panel when it opens it: the results of the chosen month,
// the owner and cost records they were worked out from, and the year, whose numerator the
// printout advances and under whose stem the panel keeps its memory.
struct StatementHandOver {
    CalculationResults results;
    storage::Record owner{storage::owner::kSize};
    storage::Record costs{storage::cost::kSize};
    std::shared_ptr<ClientYear> year;
};

} // namespace settlement

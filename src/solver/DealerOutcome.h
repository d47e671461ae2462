#pragma once

#include <array>

#include "solver/HandState.h"

namespace solver {

// How the dealer's hand ends: index 0 to 4 for a final 17 to 21, index 5 for a bust. The dealer
// is never checked for a natural, so a two-card 21 is simply a 21.
struct DealerOutcome {
    std::array<double, 6> p{};

    double finished(int total) const { return p[total - kDealerStandsOn]; }
    double bust() const { return p[5]; }
};

}  // namespace solver

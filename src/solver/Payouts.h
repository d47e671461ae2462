#pragma once

#include "solver/DealerOutcome.h"
#include "solver/HandState.h"

namespace solver {

// The expected net, in stakes, of standing on `total` (kBust or more for a busted hand).
double standValue(int total, const DealerOutcome& dealer);

// The net of a natural per unit staked: the table returns 2.5 stakes truncated to whole dollars,
// so an odd stake is paid a little less than 3:2.
double naturalNet(int bet);

// Whether the rules let the player double on this unsplit two-card hand.
bool doubleAllowed(HandState hand);

}  // namespace solver

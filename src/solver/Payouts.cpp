#include "solver/Payouts.h"

namespace solver {

double standValue(int total, const DealerOutcome& dealer) {
    if (total > kBlackjack) {
        return -1.0;
    }
    double value = dealer.bust();
    for (int final = kDealerStandsOn; final <= kBlackjack; ++final) {
        if (total > final) {
            value += dealer.finished(final);
        } else if (total < final) {
            value -= dealer.finished(final);
        }
    }
    return value;
}

double naturalNet(int bet) {
    // The table pays the stake times 2.5 truncated to whole dollars, the stake included.
    const int returned = static_cast<int>(bet * kNaturalReturn);
    return static_cast<double>(returned - bet) / bet;
}

bool doubleAllowed(HandState hand) {
    return !hand.soft && hand.total >= kLowestDouble && hand.total <= kHighestDouble;
}

}  // namespace solver

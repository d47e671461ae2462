#pragma once

#include <vector>

#include "solver/CardStrategy.h"
#include "solver/DealerOdds.h"
#include "solver/HandCatalog.h"
#include "solver/Shoe.h"

namespace solver {

// The values of the hands that may only hit or stand, for one up card and one set of cards gone
// from the shoe besides the hand's own and the up card (on a split hand, the pair's other card).
// Each hand's values are worked out once, when first asked for. The player hits where `plan`
// says so (as a hand of a split of `planPair`, or unsplit), or without a plan wherever hitting is
// worth more than standing.
class HandSolver {
public:
    HandSolver(const HandCatalog& hands, DealerOdds& dealer, const Shoe& shoe, int up,
               const CardCounts& gone, const CardStrategy* plan, int planPair);

    // Whether the shoe holds this hand besides the cards gone and the up card.
    bool possible(int hand) const { return base_.holds(hands_.cards(hand)); }
    // What is left to draw behind a possible hand.
    Shoe left(int hand) const { return base_.without(hands_.cards(hand)); }

    double stand(int hand);
    // One more card, then on as planned (or at best).
    double hit(int hand);
    // One more card at twice the stake, then stand.
    double doubled(int hand);
    // The hand's value as it is played.
    double value(int hand);

private:
    const HandCatalog& hands_;
    DealerOdds& dealer_;
    Shoe base_;
    int up_;
    const CardStrategy* plan_;
    int planPair_;
    std::vector<double> stand_;
    std::vector<double> hit_;
    std::vector<double> value_;
};

}  // namespace solver

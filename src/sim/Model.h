#pragma once

#include <array>

#include "sim/Strategy.h"
#include "solver/DealerOutcome.h"
#include "solver/Payouts.h"

namespace sim {

// Infinite-deck model: every card is drawn with the same chances whatever has been dealt
// (1/13 for each rank, so 4/13 for a card worth ten).
namespace infinite {

double cardProbability(int points);

// The dealer's final total with `up` showing, the hole card not yet drawn.
DealerOutcome dealerOutcome(int up);

// Expected values of one hand against one up card.
struct HandValues {
    DealerOutcome dealer;
    // Standing on a total (index 22 for a busted hand).
    std::array<double, kBust + 1> stand{};
    // Taking one card and going on with the strategy, by [soft][total].
    std::array<std::array<double, kBlackjack + 1>, 2> hit{};
    // Doubling (one card, then stand) from a hard total.
    std::array<double, kBlackjack + 1> doubled{};
    // Splitting a pair of cards worth `points`, both hands played hit-or-stand.
    std::array<double, kAce + 1> split{};
};

// The values when every hit-or-stand decision is the better of the two.
HandValues bestValues(int up);

// The player's best play for every hand and up card: for each hard and soft total the action,
// among those the rules allow, with the highest expected value over the dealer's outcomes. Ties
// go to the simpler play (stand over hit, hit over double, not splitting).
Strategy optimalStrategy();

// The expected net per round, in initial stakes, of playing `strategy` for a stake of `bet`,
// over every initial deal.
double expectedReturn(const Strategy& strategy, int bet);

}  // namespace infinite

// Single-deck model: the first round dealt off a full, freshly shuffled 52-card deck, every card's
// removal followed exactly (RoundValues, in BestPlay.h, playing the chart).
namespace singledeck {

double expectedReturn(const Strategy& strategy, int bet);

}  // namespace singledeck

}  // namespace sim

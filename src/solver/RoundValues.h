#pragma once

#include <array>
#include <memory>

#include "solver/CardStrategy.h"
#include "solver/DealerOdds.h"
#include "solver/HandCatalog.h"
#include "solver/HandSolver.h"
#include "solver/PlayValues.h"
#include "solver/RankCounts.h"
#include "solver/Shoe.h"

namespace solver {

// Exact expected values of the first round dealt off a shoe, every card's removal followed: the
// player's two cards and the up card leave the shoe, and the hole card and every later card come
// from what is left. The engine deals the hole card, and the card each split hand gets at once,
// before the player decides; no decision looks at them, so drawing them when first needed gives
// the same chances.
//
// Without a plan the player takes the best play at every decision, knowing the up card and the
// exact cards of the hand in play; on a hand of a split, also that the pair's other card is gone,
// but not what the other hand drew. A split is then worth exactly twice one of its hands played
// alone off the shoe less the pair and the up card:
// - the dealer's chances after the second hand, averaged over how it ends, are the dealer's
//   chances off the shoe the second hand started from: the hand's plays never look at the
//   dealer's cards and it stops whatever it draws, so the dealer's cards could as well come
//   first;
// - the two hands draw by the same rule from one shoe, so each ends any given way, dealer
//   included, as often as the other.
// A player who also counted the first hand's cards when playing the second could do a little
// better; compareSplit() (in the simulator) measures how much.
//
// Only a pair's rank looks past a card's points: two kings split, a king and a queen do not. The
// values know the shoe's ranks for that, and the play itself goes by points.
class RoundValues {
public:
    // With `plan`, the player follows it; it must be made for the same shoe (its hand catalog is
    // used). The shoe's tens are taken as evenly spread over the four ranks of ten (ranksOf).
    explicit RoundValues(const Shoe& shoe, const CardStrategy* plan = nullptr);
    // Off exactly the cards `ranks`, at best, with tables made for a shoe that holds them all
    // (and may be shared with other values off parts of that shoe).
    RoundValues(const RankCounts& ranks, std::shared_ptr<const HandCatalog> hands,
                std::shared_ptr<DealerOdds> dealer);

    const Shoe& shoe() const { return shoe_; }
    const RankCounts& ranks() const { return ranks_; }
    const HandCatalog& hands() const { return *hands_; }
    const std::shared_ptr<const HandCatalog>& sharedHands() const { return hands_; }
    DealerOdds& dealer() { return *dealer_; }

    // The hands of one up card, unsplit (`pair` CardStrategy::kUnsplit) or of a split of `pair`.
    HandSolver& solver(int pair, int up);

    // The first decision on a two-card hand other than a natural, which may stand, hit, double
    // (9 to 11) or, when `pair` (two cards of one rank), split.
    PlayValues opening(int hand, bool pair, int up);
    // A later decision: stand or hit.
    PlayValues later(int pair, int hand, int up);
    // The expected net per initial stake of `bet` over every first two cards and up card.
    double expectedReturn(int bet);
    // The same in parts: adds to `total` the rounds whose first card is of rank `first` (1 to
    // 13). expectedReturn() adds the ranks 1 to 13 in turn.
    void addReturnOfFirst(int first, int bet, double& total);

private:
    Shoe shoe_;
    RankCounts ranks_;
    const CardStrategy* plan_;
    std::shared_ptr<const HandCatalog> hands_;
    std::shared_ptr<DealerOdds> dealer_;
    std::array<std::array<std::unique_ptr<HandSolver>, kAce + 1>, kUpCards> solvers_;
};

}  // namespace solver

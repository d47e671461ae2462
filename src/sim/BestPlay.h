#pragma once

#include <array>
#include <limits>
#include <memory>
#include <vector>

#include "sim/CardStrategy.h"
#include "sim/DealerOdds.h"
#include "sim/HandCatalog.h"
#include "sim/Shoe.h"
#include "sim/Strategy.h"

namespace sim {

// Expected values, in initial stakes, of the plays open at one decision; NaN for a play the rules
// do not allow there.
struct PlayValues {
    static constexpr double kNotAllowed = std::numeric_limits<double>::quiet_NaN();

    double stand = kNotAllowed;
    double hit = kNotAllowed;
    double doubled = kNotAllowed;
    double split = kNotAllowed;

    double of(Action action) const;
    // The allowed play with the highest value; ties go to the simpler play (stand, hit, double,
    // split in that order).
    Action best() const;
};

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
// better; compareSplit() measures how much.
class RoundValues {
public:
    // With `plan`, the player follows it; it must be made for the same shoe (its hand catalog is
    // used).
    explicit RoundValues(const Shoe& shoe, const CardStrategy* plan = nullptr);

    const Shoe& shoe() const { return shoe_; }
    const HandCatalog& hands() const { return *hands_; }
    const std::shared_ptr<const HandCatalog>& sharedHands() const { return hands_; }
    DealerOdds& dealer() { return dealer_; }

    // The hands of one up card, unsplit (`pair` CardStrategy::kUnsplit) or of a split of `pair`.
    HandSolver& solver(int pair, int up);

    // The first decision on a two-card hand other than a natural, which may stand, hit, double
    // (9 to 11) or, when `pair` (two cards of one rank), split.
    PlayValues opening(int hand, bool pair, int up);
    // A later decision: stand or hit.
    PlayValues later(int pair, int hand, int up);
    // The expected net per initial stake of `bet` over every first two cards and up card; the
    // shoe must be whole decks.
    double expectedReturn(int bet);

private:
    Shoe shoe_;
    const CardStrategy* plan_;
    std::shared_ptr<const HandCatalog> hands_;
    DealerOdds dealer_;
    std::array<std::array<std::unique_ptr<HandSolver>, kAce + 1>, kUpCards> solvers_;
};

// The best play off `shoe` at every decision, as a table.
CardStrategy bestStrategy(RoundValues& values);

// A two-card hand whose best play differs from the row of its total.
struct Deviation {
    int first = 0;  // points, the lower first
    int second = 0;
    int up = 0;
    Action best = Action::Stand;
    double bestValue = 0.0;
    Action row = Action::Stand;
    double rowValue = 0.0;
};

// The best play summed up for a player: a chart by total, each row the play that does best over
// the two-card hands making that total (pairs have rows of their own), weighted by how often each
// is dealt against that up card; and every two-card hand whose best play differs from its row.
struct BestChart {
    Strategy chart;
    std::vector<Deviation> deviations;
};

// `values` without a plan, off whole decks.
BestChart bestChart(RoundValues& values);

// A split valued three ways: twice one hand played alone (what RoundValues does); the first hand
// and then the second both played by `table` (made by bestStrategy), the second after the first
// hand's cards have left the shoe, which must come to the same; and the second hand played at its
// best knowing the first hand's cards.
struct SplitValues {
    double twiceAlone = 0.0;
    double secondByTable = 0.0;
    double secondKnowingFirst = 0.0;
};

SplitValues compareSplit(RoundValues& values, const CardStrategy& table, int pair, int up);

}  // namespace sim

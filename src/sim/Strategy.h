#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/Rules.h"
#include "solver/Action.h"
#include "solver/CardStrategy.h"
#include "solver/HandState.h"

namespace sim {

// The simulator computes with the exact solver's own types, by their plain names.
using namespace solver;

// A complete plan for the player, looked up by hand and dealer up card.
class Strategy {
public:
    using Table = std::array<std::array<std::array<Action, kUpCards>, kBlackjack + 1>, 2>;

    // Hit or stand once the hand may do nothing else: after its first decision, and on both
    // hands of a split.
    Action play(HandState hand, int up) const { return play_[hand.soft][hand.total][upIndex(up)]; }
    // The first decision on the unsplit two-card hand: stand, hit or double.
    Action opening(HandState hand, int up) const {
        return opening_[hand.soft][hand.total][upIndex(up)];
    }
    // Whether to split a pair whose cards are worth `points` each (11 for aces).
    bool splits(int points, int up) const { return split_[points][upIndex(up)]; }

    void setPlay(HandState hand, int up, Action action) {
        play_[hand.soft][hand.total][upIndex(up)] = action;
    }
    void setOpening(HandState hand, int up, Action action) {
        opening_[hand.soft][hand.total][upIndex(up)] = action;
    }
    void setSplit(int points, int up, bool split) { split_[points][upIndex(up)] = split; }

    bool operator==(const Strategy& other) const {
        return play_ == other.play_ && opening_ == other.opening_ && split_ == other.split_;
    }

private:
    Table play_{};
    Table opening_{};
    std::array<std::array<bool, kUpCards>, kAce + 1> split_{};
};

// The chart's plays for every hand of one deck, by its total: the chart's first decision on two
// unsplit cards, its later play everywhere else.
CardStrategy fromChart(const Strategy& chart);

// optimal: the best play for the exact cards off a full deck (BestPlay.h); basic: the best chart by
// total for an infinite deck, the one a player can learn by heart; the two simple ones below.
enum class StrategyKind { Optimal, Basic, MimicDealer, NeverBust };

std::string_view strategyName(StrategyKind kind);
std::optional<StrategyKind> strategyFromName(std::string_view name);

// Hits below 17 like the dealer, soft or hard; never doubles or splits.
Strategy mimicDealerStrategy();
// Hits only when no card can bust the hand: hard 11 or less, and soft totals below 17 (a soft
// hand cannot bust on one card, and from soft 17 up it stands like the dealer). Never doubles or
// splits.
Strategy neverBustStrategy();

// The strategy as a chart a player can read: hard totals, soft totals and pairs down the side,
// the dealer's up card across the top.
std::string formatChart(const Strategy& strategy);

}  // namespace sim

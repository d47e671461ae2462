#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "solver/DealerOutcome.h"
#include "solver/Shoe.h"

namespace solver {

// The dealer's chances off whatever a shoe has left, for every up card. The dealer's play looks at
// nothing but the dealer's own cards, so the sets of cards the dealer can draw are listed once for
// the shoe a round is dealt from (for an up card when it is first asked about); the chance of each
// off a given remainder is a product of counts. Results are kept by remainder, so asking twice
// costs a lookup.
class DealerOdds {
public:
    explicit DealerOdds(const Shoe& full);

    // How the dealer's hand ends with `up` (points) showing and `left` to draw from, the hole card
    // included. `left` must be part of the full shoe less the up card; draws that would need more
    // cards than it holds count for nothing.
    DealerOutcome outcome(int up, const Shoe& left);

    // The expected net, in stakes, of standing on `total` against the same: what standValue()
    // makes of outcome(), worked out from only the chances it needs. Every way the dealer can end
    // adds up to 1, so standing on 17 to 21 loses once to an equal total and twice (against the
    // sure win) to a higher one: 21 needs the dealer's 21 alone, 16 and below the dealer's 17
    // to 21.
    double standValue(int up, int total, const Shoe& left);

    // Lists the draws from `up` now, if not done yet (the questions do it when first asked).
    void prepare(int up);
    bool prepared(int up) const { return listed_[upIndex(up)]; }

    // How many draws were weighed since the start: the measure of the work done.
    long weighed() const { return weighed_; }
    // How many remainders' chances are kept, and forgetting them all (the lists of draws stay).
    std::size_t remembered() const;
    void forget();

private:
    // The most of one kind a dealer's draw can hold, given enough decks (an ace up, five aces to
    // soft 16, a 6 to hard 12, five aces to 17), the most kinds in one draw, and the most cards.
    static constexpr int kMostOfAKind = 10;
    static constexpr int kMostKinds = 5;
    static constexpr int kMostCards = 11;
    // Index of the factor 1, after each kind's factors.
    static constexpr int kUnitFactor = kCardKinds * kMostOfAKind;
    // The ways a dealer's hand ends: 17 to 21, then bust.
    static constexpr std::size_t kEnds = 6;

    // The cards a dealer draws (hole card included) on the way to one final total, as a multiset:
    // for each kind drawn, the index of the ways to take that many of it (kind * kMostOfAKind +
    // taken - 1, padded with kUnitFactor), and in how many orders the dealer, who stops at 17,
    // draws exactly these cards. The final total depends on the cards alone, not their order.
    struct Draw {
        std::array<std::uint8_t, kMostKinds> factor{};
        int cards = 0;
        double orders = 0.0;
    };

    // Every draw from one up card, grouped by outcome: draws[from[o]] to draws[from[o + 1]] end
    // in outcome o (17 to 21, then bust).
    struct DrawList {
        std::vector<Draw> draws;
        std::array<std::size_t, kEnds + 1> from{};
    };

    static DrawList drawsFrom(int up, const Shoe& full);

    // The chances kept for one remainder: bit e of `ends` is set once p[e] is worked out.
    struct Known {
        DealerOutcome outcome;
        std::uint8_t ends = 0;
    };
    // The chances of the ends in the mask `ends`, and any worked out before.
    const DealerOutcome& chances(int up, const Shoe& left, std::uint8_t ends);

    Shoe full_;
    std::array<bool, kUpCards> listed_{};
    long weighed_ = 0;
    std::array<DrawList, kUpCards> lists_;
    std::array<std::unordered_map<std::uint64_t, Known>, kUpCards> memo_;
};

}  // namespace solver

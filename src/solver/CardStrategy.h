#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "solver/Action.h"
#include "solver/HandCatalog.h"
#include "solver/HandState.h"

namespace solver {

// A plan that looks at the exact cards of the hand in play: for every hand of the catalog and every
// up card, what the player does with it, unsplit or as either hand of a split pair; and which
// pairs are split. The simulator plays every strategy from one of these, so a decision at the
// table is a walk through the catalog and one lookup.
class CardStrategy {
public:
    // What `pair` is for a hand that was not split.
    static constexpr int kUnsplit = 0;

    // One deck; every hand stands and nothing is split.
    CardStrategy();
    explicit CardStrategy(std::shared_ptr<const HandCatalog> hands);

    const HandCatalog& hands() const { return *hands_; }
    const std::shared_ptr<const HandCatalog>& sharedHands() const { return hands_; }

    // The play on the hand numbered `hand` with `up` (points) showing: unsplit (`pair` kUnsplit),
    // where two cards may stand, hit or double and more cards stand or hit; or a hand of a split
    // of two cards worth `pair` each, which stands or hits.
    Action play(int pair, int hand, int up) const { return plays_[at(pair, hand, up)]; }
    // The plays of every hand for one `pair` and `up`, indexed by the hand's number.
    const Action* plays(int pair, int up) const { return &plays_[at(pair, 0, up)]; }
    // Whether to split two cards of one rank worth `pair` points each.
    bool splits(int pair, int up) const { return split_[pair][upIndex(up)]; }

    void setPlay(int pair, int hand, int up, Action action) { plays_[at(pair, hand, up)] = action; }
    void setSplit(int pair, int up, bool split) { split_[pair][upIndex(up)] = split; }

private:
    // One block of plays per up card for unsplit hands, then one for each pair, 2 to 11.
    static constexpr int kPlayBlocks = 1 + kUpCards;

    std::size_t at(int pair, int hand, int up) const {
        const int block = pair == kUnsplit ? 0 : pair - 1;
        return (static_cast<std::size_t>(block) * kUpCards +
                static_cast<std::size_t>(upIndex(up))) *
                   static_cast<std::size_t>(hands_->size()) +
               static_cast<std::size_t>(hand);
    }

    std::shared_ptr<const HandCatalog> hands_;
    std::vector<Action> plays_;
    std::array<std::array<bool, kUpCards>, kAce + 1> split_{};
};

}  // namespace solver

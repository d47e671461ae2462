#pragma once

#include <memory>
#include <vector>

#include "solver/DealerOdds.h"
#include "solver/HandCatalog.h"
#include "solver/PlayValues.h"
#include "solver/RankCounts.h"
#include "solver/RoundValues.h"

namespace solver {

// Exact values for this table's rules off one 52-card pack, answered from the cards the player
// has not seen. Make it once and keep it: it keeps the dealer's draws and their chances between
// questions (up to kMostRemembered remainders, then it starts afresh). One thread at a time.
//
// A question no table can ask (a rank outside 1 to 13, more of a rank than the pack holds between
// the hand, the up card and the unseen cards, a hand over 21, no unseen card for the hole, a
// natural on the opening) gets NaN for every value (and best() says Stand, so check the values),
// and a bad next round (counts outside 0 to 4, a stake below 1) NaN; it never fails otherwise.
class TableSolver {
public:
    // Remainders whose dealer chances are kept between questions, about 100 bytes each; a whole
    // round off a full pack needs some 48,000.
    static constexpr std::size_t kMostRemembered = 150'000;
    // The most dealer draws one step() weighs (a nanosecond or two each) before it stops, and the
    // most hands it visits.
    static constexpr long kDrawsPerStep = 300'000;
    static constexpr int kHandsPerStep = 2048;

    // Cheap: the hand catalog (about 2 ms); the dealer's draws are listed for each up card when
    // first needed (under 1.5 ms each).
    TableSolver();

    // The values of the plays open on the hand in play. `hand`: the ranks (1 to 13) of its cards,
    // two or more; `up`: the rank of the dealer's up card; `unseen`: every card not seen (the
    // deck and the dealer's hole card), which excludes the hand and the up card, and must hold at
    // least the hole card. `opening`: the unsplit hand's first decision on two cards (stand,
    // hit, double on 9 to 11, split on two cards of one rank); otherwise stand and hit only
    // (later decisions, and either hand of a split, which can neither double nor split again).
    // A natural on the opening is no decision (the turn ends at once): all NaN.
    PlayValues decide(const std::vector<int>& hand, int up, const RankCounts& unseen, bool opening);

    // The next round's value: the expected net per initial stake of a round dealt off `unseen`
    // at a stake of `bet` dollars (a natural returns 2.5 stakes rounded down to whole dollars),
    // played at its best. Off fewer than kReshuffleBelow cards the table gathers and shuffles
    // the whole pack before it deals, so the round is dealt off a full pack. In slices: begin,
    // then call step() until it returns true; each step() does a bounded slice of work.
    void beginNextRound(const RankCounts& unseen, int bet);
    bool step();
    double nextRoundValue() const { return nextValue_; }  // valid once step() has returned true
    // The same at once.
    double nextRound(const RankCounts& unseen, int bet);

private:
    // Where the steps of the next round are: listing the dealer's draws for an up card, settling
    // the hands of one up card and one pair (or none) from the most cards down, so that every
    // later question about them is a lookup; then adding up the rounds by their first card.
    enum class Stage { List, Settle, Add, Done };

    void forgetIfFull();
    // The next up card the shoe holds after `up` (points), or 0.
    int nextUp(int up) const;
    // The next pair the shoe can deal after `pair`, or 0.
    int nextPair(int pair) const;
    void settleSome(long& drawsLeft, int& handsLeft);

    std::shared_ptr<const HandCatalog> hands_;
    std::shared_ptr<DealerOdds> dealer_;

    std::unique_ptr<RoundValues> round_;
    int bet_ = 0;
    Stage stage_ = Stage::Done;
    int up_ = 0;
    int pair_ = 0;
    int hand_ = 0;
    int rank_ = 0;
    double total_ = 0.0;
    double nextValue_ = PlayValues::kNotAllowed;
};

}  // namespace solver

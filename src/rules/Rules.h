#pragma once

// The numbers of this table's blackjack, each written once: the engine plays by them and the
// simulator computes its strategy from them.

// Ranks run from the ace (1) through the pip cards (2 to 10) to the jack, queen and king (11 to
// 13).
constexpr int kAceRank = 1;
constexpr int kKingRank = 13;

// The money a player sits down with.
constexpr int kStartingWallet = 1000;

// The best a hand can make; a hand over it is bust.
constexpr int kBlackjack = 21;
// The dealer draws below this and stands on every 17, a soft one included.
constexpr int kDealerStandsOn = 17;
// A double is allowed on the unsplit first two cards when they make 9, 10 or 11.
constexpr int kLowestDouble = 9;
constexpr int kHighestDouble = 11;
// Below this many cards in the deck the whole pack is gathered and shuffled before a deal.
constexpr int kReshuffleBelow = 15;
// A natural returns the stake times this, truncated to whole dollars: the stake plus 3:2.
constexpr double kNaturalReturn = 2.5;

// An ace arrives worth 11 and drops to 1 rather than take its hand over 21.
constexpr int kAcePoints = 11;
constexpr int kSoftAceDrop = kAcePoints - 1;

// Points a card of `rank` adds to a hand when it arrives: an ace 11 (it may drop to 1 later), a
// face card 10, any other card its rank.
constexpr int rankPoints(int rank) {
    if (rank == kAceRank) {
        return kAcePoints;
    }
    return rank > 10 ? 10 : rank;
}

#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "solver/HandState.h"
#include "solver/Shoe.h"

namespace solver {

// Every hand a player can hold off a shoe without being bust, numbered: a hand is the cards in it,
// whatever their order. Number 0 is the empty hand, and add() walks from a hand to the hand with
// one more card, so a hand's number follows its cards as they arrive.
class HandCatalog {
public:
    // What add() gives for a hand that goes over 21, or holds more of a kind than the shoe.
    static constexpr int kNone = -1;
    static constexpr int kEmpty = 0;

    explicit HandCatalog(const Shoe& full);

    int size() const { return static_cast<int>(cards_.size()); }
    int add(int hand, int kind) const { return next_[hand * kCardKinds + kind]; }
    // The same by the card's rank (1 to 13), for the simulator's hot path.
    int addRank(int hand, int rank) const { return nextByRank_[hand * kRankSlots + rank]; }
    // The hand holding the cards worth `points` (2 to 11), or kNone.
    int of(std::initializer_list<int> points) const;

    const CardCounts& cards(int hand) const { return cards_[hand]; }
    HandState state(int hand) const { return state_[hand]; }
    int cardCount(int hand) const { return cardCount_[hand]; }

private:
    static constexpr int kRankSlots = 14;  // ranks 1 to 13, and 0 unused

    std::vector<std::int16_t> next_;
    std::vector<std::int16_t> nextByRank_;
    std::vector<CardCounts> cards_;
    std::vector<HandState> state_;
    std::vector<int> cardCount_;
};

}  // namespace solver

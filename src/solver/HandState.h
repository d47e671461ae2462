#pragma once

#include "rules/Rules.h"

namespace solver {

constexpr int kBust = kBlackjack + 1;  // every total above 21 is the same loss
// Dealer up cards by their points: 2 to 10, and 11 for an ace.
constexpr int kLowestUp = 2;
constexpr int kAce = kAcePoints;
constexpr int kUpCards = 10;

inline int upIndex(int upPoints) {
    return upPoints - kLowestUp;
}

// A hand as the rules see it: its value and whether an ace in it still counts 11.
struct HandState {
    int total = 0;
    bool soft = false;

    bool bust() const { return total > kBlackjack; }
    bool operator==(const HandState& other) const {
        return total == other.total && soft == other.soft;
    }
};

// The hand after one more card worth `points` (2 to 10, 11 for an ace): aces drop from 11 to 1
// while the hand would otherwise be over 21, exactly as the table counts them.
inline HandState addCard(HandState hand, int points) {
    int value = hand.total + points;
    int aces = (hand.soft ? 1 : 0) + (points == kAce ? 1 : 0);
    while (value > kBlackjack && aces > 0) {
        value -= kSoftAceDrop;
        --aces;
    }
    return {value, aces > 0};
}

}  // namespace solver

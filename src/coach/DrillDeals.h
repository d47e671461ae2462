#pragma once

#include <random>
#include <vector>

#include "rules/Card.h"

// The cards of the drills, off one pack whose cards are known by their place, 0 to 51: rank
// place / 4 + 1, suit place % 4 (hearts, diamonds, clubs, spades). A deal never holds a card
// twice, never a natural as the hand, and leaves at least 10 cards unseen.
namespace drills {

using Place = int;

// A drill's cards before it is valued: the hand's two, the up card, the seen in their order.
struct Deal {
    std::vector<Place> hand;
    Place up = -1;
    std::vector<Place> seen;
};

Card cardAt(Place place);
int rankAt(Place place);

// A hand's kind as one number: a hard total, a soft total (kSoft more) or a pair (kPair more
// than its cards' value, tens of one rank counting as tens).
constexpr int kSoft = 100;
constexpr int kPair = 200;
int kindOf(const std::vector<int>& ranks);
// Whether two cards make the kind (a natural does not count).
bool dealable(int kind);

// Two cards, an up card and 0 to 20 seen, all at random.
Deal anyDeal(std::mt19937& random);
// A hand of `kind` (dealable) against an up card of `upValue` (1 to 10), 0 to 20 seen at random.
Deal dealOfKind(int kind, int upValue, std::mt19937& random);
// A hand near a boundary of the play against its up card, with 4 to 24 seen cards most of which
// are small, or most of which are tens.
Deal boundaryDeal(std::mt19937& random);

}  // namespace drills

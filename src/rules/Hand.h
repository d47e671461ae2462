#pragma once

#include <string>
#include <vector>

#include "rules/Card.h"
#include "rules/Rules.h"

// The cards one side of the table holds, with their blackjack value kept up to date card by
// card. Aces count 11 for as long as that keeps the hand at 21 or under; `aces` is how many still
// do. The hand points at cards it does not own.
class Hand {
public:
    // The most cards a hand can hold: A A A A 2 2 2 2 3 3 3 makes 21, and one more busts it.
    static constexpr int kMostCards = 12;

    // Room for the longest possible hand up front, so dealing never allocates.
    Hand() { cards.reserve(kMostCards); }

    void addCard(Card* card);
    // Drops the cards (they stay valid, the deck owns them) and keeps the label.
    void clear();

    std::string name;
    std::vector<Card*> cards;
    int value = 0;
    int aces = 0;
};

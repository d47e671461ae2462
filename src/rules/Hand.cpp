#include "rules/Hand.h"

int cardPoints(int rank) {
    if (rank > 10) {
        return 10;
    }
    if (rank == 1) {
        return 11;
    }
    return rank;
}

void Hand::addCard(Card* card) {
    cards.push_back(card);
    value += cardPoints(card->rank);
    if (card->rank == 1) {
        ++aces;
    }
    // An ace counted as 11 drops to 1 rather than let the hand go over 21.
    while (value > 21 && aces > 0) {
        value -= 10;
        --aces;
    }
}

void Hand::clear() {
    cards.clear();
    value = 0;
    aces = 0;
}

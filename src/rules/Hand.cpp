#include "rules/Hand.h"

void Hand::addCard(Card* card) {
    cards.push_back(card);
    value += rankPoints(card->rank);
    if (card->rank == kAceRank) {
        ++aces;
    }
    // An ace counted as 11 drops to 1 rather than let the hand go over 21.
    while (value > kBlackjack && aces > 0) {
        value -= kSoftAceDrop;
        --aces;
    }
}

void Hand::clear() {
    cards.clear();
    value = 0;
    aces = 0;
}

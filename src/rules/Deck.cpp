#include "rules/Deck.h"

#include <algorithm>
#include <utility>

#include "rules/Rules.h"

Deck::Deck() {
    static const char* const suits[] = {"Hearts", "Diamonds", "Clubs", "Spades"};
    cards.reserve(kSize);
    int index = 0;
    for (const char* suit : suits) {
        for (int rank = kAceRank; rank <= kKingRank; ++rank) {
            Card& c = pack[index++];
            c.suit = suit;
            c.rank = rank;
            cards.push_back(&c);
        }
    }
}

void Deck::seed(std::uint32_t value) {
    rng.seed(value);
}

void Deck::seed(std::seed_seq& sequence) {
    rng.seed(sequence);
}

void Deck::shuffle() {
    // Each position from the top down swaps with a position drawn from those not yet fixed,
    // itself included, which makes every order equally likely.
    for (int i = size() - 1; i > 0; --i) {
        std::uniform_int_distribution<int> pick(0, i);
        std::swap(cards[i], cards[pick(rng)]);
    }
}

Card* Deck::deal() {
    if (cards.empty()) {
        return nullptr;
    }
    Card* top = cards.back();
    cards.pop_back();
    return top;
}

int Deck::size() const {
    return static_cast<int>(cards.size());
}

void Deck::restock(const std::vector<const Card*>& inPlay) {
    cards.clear();
    for (Card& card : pack) {
        if (std::find(inPlay.begin(), inPlay.end(), &card) == inPlay.end()) {
            cards.push_back(&card);
        }
    }
}

#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "rules/Card.h"

// The single 52-card pack. `cards` holds the cards still in the deck; its last element is the
// top, the next card dealt. The deck owns all 52 cards (in `pack`) for its whole life, so a
// dealt card stays valid while a hand points at it and is never freed twice.
class Deck {
public:
    static constexpr int kSize = 52;

    // Builds the 52 cards unshuffled: Hearts, Diamonds, Clubs, Spades, each ace to king, so the
    // king of Spades is on top.
    Deck();
    Deck(const Deck&) = delete;
    Deck& operator=(const Deck&) = delete;

    // Reseeds the deck's random engine, so a test or a simulation can reproduce a shuffle.
    void seed(std::uint32_t value);
    void seed(std::seed_seq& sequence);

    // Puts the cards still in the deck in a uniformly random order (Fisher-Yates).
    void shuffle();

    // Takes the top card off the deck; returns null when the deck is empty.
    Card* deal();

    int size() const;

    // Gathers back every card of the pack except those in `inPlay`, in the pack's fixed order;
    // the caller shuffles afterwards.
    void restock(const std::vector<const Card*>& inPlay);

    std::array<Card, kSize> pack;
    std::vector<Card*> cards;
    std::mt19937 rng;
};

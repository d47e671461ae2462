#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "rules/Deck.h"

// Cards by short name: rank A, 2-9, T (or 10), J, Q, K, then suit S, H, D or C ("TH", "AS").
inline Card* findCard(Deck& deck, const std::string& name) {
    static const std::string ranks = "A23456789TJQK";
    const std::string rank = name.substr(0, name.size() - 1);
    const char suitLetter = name.back();
    const int rankNumber =
        rank == "10" ? 10 : static_cast<int>(ranks.find(rank.empty() ? '?' : rank[0])) + 1;
    const std::string suit = suitLetter == 'S'   ? "Spades"
                             : suitLetter == 'H' ? "Hearts"
                             : suitLetter == 'D' ? "Diamonds"
                                                 : "Clubs";
    for (Card& card : deck.pack) {
        if (card.rank == rankNumber && card.suit == suit) {
            return &card;
        }
    }
    ADD_FAILURE() << "no card named " << name;
    return nullptr;
}

// Card names separated by spaces, in order: "AS KH 9D".
inline std::vector<std::string> cardNames(const std::string& list) {
    std::istringstream in(list);
    std::vector<std::string> names;
    for (std::string name; in >> name;) {
        names.push_back(name);
    }
    return names;
}

// Lays the cards named in `order` on top of the deck so that the first is dealt first. With
// `restBelow` the other cards of the pack lie beneath in the pack's order; without it the deck
// holds those cards only.
inline void stackDeck(Deck& deck, const std::string& order, bool restBelow = true) {
    std::vector<Card*> top;
    for (const std::string& name : cardNames(order)) {
        top.push_back(findCard(deck, name));
    }
    deck.cards.clear();
    if (restBelow) {
        for (Card& card : deck.pack) {
            if (std::find(top.begin(), top.end(), &card) == top.end()) {
                deck.cards.push_back(&card);
            }
        }
    }
    deck.cards.insert(deck.cards.end(), top.rbegin(), top.rend());
}

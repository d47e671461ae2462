#include "support/StackedDeck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "rules/CardSheet.h"

Card* findCard(Deck& deck, const std::string& name) {
    static const std::string ranks = "A23456789TJQK";
    static const std::string suitLetters = "SHDC";
    static const char* const suits[] = {"Spades", "Hearts", "Diamonds", "Clubs"};
    const std::string rank = name.size() > 1 ? name.substr(0, name.size() - 1) : "";
    const std::size_t suit = name.empty() ? std::string::npos : suitLetters.find(name.back());
    const std::size_t rankIndex = rank == "10"       ? 9
                                  : rank.size() == 1 ? ranks.find(rank[0])
                                                     : std::string::npos;
    if (rankIndex != std::string::npos && suit != std::string::npos) {
        for (Card& card : deck.pack) {
            if (card.rank == static_cast<int>(rankIndex) + 1 && card.suit == suits[suit]) {
                return &card;
            }
        }
    }
    ADD_FAILURE() << "no card named " << name;
    return nullptr;
}

std::string cardName(const Card& card) {
    static const std::string ranks = "A23456789TJQK";
    return std::string(1, ranks.at(card.rank - 1)) + card.suit.at(0);
}

int sheetCell(const Card& card) {
    return cardCell(card.suit, card.rank);
}

std::vector<std::string> cardNames(const std::string& list) {
    std::istringstream in(list);
    std::vector<std::string> names;
    for (std::string name; in >> name;) {
        names.push_back(name);
    }
    return names;
}

void stackDeck(Deck& deck, const std::string& topFirst, bool restBelow) {
    std::vector<Card*> top;
    for (const std::string& name : cardNames(topFirst)) {
        Card* card = findCard(deck, name);
        if (card == nullptr) {
            return;
        }
        top.push_back(card);
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

std::array<int, 14> rankCounts(const std::string& names) {
    static const std::string ranks = "A23456789TJQK";
    std::array<int, 14> counts{};
    for (const std::string& name : cardNames(names)) {
        const std::string rank = name.substr(0, name.size() - 1);
        const std::size_t index = rank == "10" ? 9 : ranks.find(rank);
        if (rank.empty() || index == std::string::npos) {
            ADD_FAILURE() << "no card named " << name;
            continue;
        }
        ++counts[index + 1];
    }
    return counts;
}

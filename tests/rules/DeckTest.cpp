#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "rules/Deck.h"
#include "support/StackedDeck.h"

namespace {

std::multiset<const Card*> contents(const Deck& deck) {
    return {deck.cards.begin(), deck.cards.end()};
}

TEST(Deck, NewDeckDealsSpadesDownToHeartsThenRunsDry) {
    Deck deck;
    static const char* const suitsFromTop[] = {"Spades", "Clubs", "Diamonds", "Hearts"};
    for (const char* suit : suitsFromTop) {
        for (int rank = 13; rank >= 1; --rank) {
            const Card* card = deck.deal();
            ASSERT_NE(card, nullptr);
            EXPECT_EQ(card->rank, rank);
            EXPECT_EQ(card->suit, suit);
        }
    }
    EXPECT_EQ(deck.size(), 0);
    EXPECT_EQ(deck.deal(), nullptr);
    EXPECT_EQ(deck.size(), 0);
}

TEST(Deck, ShuffleKeepsExactlyTheCardsItHeld) {
    Deck deck;
    deck.seed(7);
    const auto before = contents(deck);
    for (int i = 0; i < 5; ++i) {
        deck.shuffle();
    }
    EXPECT_EQ(contents(deck), before);

    // A deck that has dealt some cards shuffles only what is left.
    deck.deal();
    deck.deal();
    const auto remaining = contents(deck);
    deck.shuffle();
    EXPECT_EQ(contents(deck), remaining);

    deck.cards.clear();
    deck.shuffle();
    EXPECT_EQ(deck.size(), 0);

    stackDeck(deck, "7D", false);
    deck.shuffle();
    ASSERT_EQ(deck.size(), 1);
    EXPECT_EQ(deck.cards[0], findCard(deck, "7D"));
}

TEST(Deck, SeedMakesTheShuffleReproducible) {
    Deck first;
    Deck second;
    Deck third;
    first.seed(42);
    second.seed(42);
    third.seed(43);
    first.shuffle();
    second.shuffle();
    third.shuffle();
    auto order = [](const Deck& deck) {
        std::vector<std::pair<int, std::string>> out;
        for (const Card* card : deck.cards) {
            out.emplace_back(card->rank, card->suit);
        }
        return out;
    };
    EXPECT_EQ(order(first), order(second));
    EXPECT_NE(order(first), order(third));
}

// The shuffle pinned down: seed 2026 deals exactly this order, so a change to the shuffle or to
// its random engine shows at once. The order depends on how the standard library draws from
// std::uniform_int_distribution, which the C++ standard leaves open; this is libstdc++'s (GCC on
// Linux and MinGW).
TEST(Deck, Seed2026DealsExactlyThisOrder) {
#ifndef __GLIBCXX__
    GTEST_SKIP() << "the pinned order is libstdc++'s draw; this standard library draws otherwise";
#endif
    Deck deck;
    deck.seed(2026);
    deck.shuffle();
    std::string dealt;
    while (const Card* card = deck.deal()) {
        dealt += (dealt.empty() ? "" : " ") + cardName(*card);
    }
    EXPECT_EQ(dealt,
              "QH AS 8D 9S 8S 7S 5H 6C 9D AH 3S KD 8H "
              "5C 9C JH JS 3H AC 2S TH 7D KS KC 9H 2D "
              "JD 5S 2H 3C 6S 5D 4C 4H 7H 6H TD TS KH "
              "7C 4S 3D AD QD 2C JC 6D 8C TC QC QS 4D");
}

TEST(Deck, RestockGathersEveryCardNotInPlay) {
    Deck deck;
    deck.seed(1);
    deck.shuffle();
    const Card* kept = deck.deal();
    const Card* lost = deck.deal();  // dealt but no longer on the table
    deck.restock({kept});
    EXPECT_EQ(deck.size(), 51);
    EXPECT_EQ(std::count(deck.cards.begin(), deck.cards.end(), kept), 0);
    EXPECT_EQ(std::count(deck.cards.begin(), deck.cards.end(), lost), 1);
    EXPECT_EQ(std::set<const Card*>(deck.cards.begin(), deck.cards.end()).size(), 51u);
}

// Pearson's statistic of how often each card of an n-card deck lands on each position over
// `rounds` shuffles from the same starting order. Each card's row is a multinomial over n
// positions, so a fair shuffle gives about n * (n - 1) degrees of freedom.
double positionChiSquare(int n, int rounds, const std::function<void(std::vector<Card*>&)>& mix) {
    Deck deck;
    // The deck starts in pack order, so a card's index in the pack names it.
    const std::vector<Card*> start(deck.cards.begin(), deck.cards.begin() + n);
    std::vector<int> seen(n * n);
    for (int r = 0; r < rounds; ++r) {
        std::vector<Card*> cards = start;
        mix(cards);
        for (int pos = 0; pos < n; ++pos) {
            ++seen[(cards[pos] - deck.pack.data()) * n + pos];
        }
    }
    const double expected = static_cast<double>(rounds) / n;
    double chi = 0;
    for (const int count : seen) {
        chi += (count - expected) * (count - expected) / expected;
    }
    return chi;
}

// Five standard deviations above the mean of a fair shuffle's statistic.
double limitFor(int n) {
    const double dof = n * (n - 1.0);
    return dof + 5 * std::sqrt(2 * dof);
}

TEST(DeckShuffle, EveryCardIsEquallyLikelyAtEveryPosition) {
    for (const int n : {52, 5}) {
        Deck deck;
        deck.seed(20240601);
        const double chi = positionChiSquare(n, 10000, [&](std::vector<Card*>& cards) {
            deck.cards = cards;
            deck.shuffle();
            cards = deck.cards;
        });
        EXPECT_LT(chi, limitFor(n)) << n << " cards";
    }
}

TEST(DeckShuffle, TheUniformityCheckRejectsSwappingWithAnyPosition) {
    // The same check on the naive shuffle that swaps each position with one drawn from the
    // whole deck, to show it has the power to catch that bias.
    std::mt19937 rng(20240601);
    for (const int n : {52, 5}) {
        const double chi = positionChiSquare(n, 10000, [&](std::vector<Card*>& cards) {
            std::uniform_int_distribution<int> any(0, n - 1);
            for (int i = 0; i < n; ++i) {
                std::swap(cards[i], cards[any(rng)]);
            }
        });
        EXPECT_GT(chi, limitFor(n)) << n << " cards";
    }
}

}  // namespace

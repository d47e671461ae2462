#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/Hand.h"
#include "support/StackedDeck.h"

namespace {

struct HandCase {
    const char* cards;
    int value;
    int aces;
};

void PrintTo(const HandCase& c, std::ostream* out) {
    *out << c.cards;
}

class HandValue : public testing::TestWithParam<HandCase> {};

TEST_P(HandValue, CountsAcesHighOnlyWhileTheHandStaysAtOrUnder21) {
    Deck deck;
    Hand hand;
    for (const std::string& name : cardNames(GetParam().cards)) {
        hand.addCard(findCard(deck, name));
    }
    EXPECT_EQ(hand.value, GetParam().value);
    EXPECT_EQ(hand.aces, GetParam().aces);
    EXPECT_EQ(hand.cards.size(), cardNames(GetParam().cards).size());
}

INSTANTIATE_TEST_SUITE_P(
    Hands, HandValue,
    testing::Values(HandCase{"AS AH", 12, 1}, HandCase{"AS KH", 21, 1},
                    HandCase{"AS 6H TD", 17, 0},  // the ace drops to 1 for the ten
                    HandCase{"AS AH 9D", 21, 1},  //
                    HandCase{"AS AH 9D AC", 12, 0}, HandCase{"KS QH 5D", 25, 0},  // bust
                    HandCase{"JS QH", 20, 0}, HandCase{"KS TH", 20, 0}, HandCase{"2S 9H", 11, 0},
                    HandCase{"AS AH AD AC", 14, 1}, HandCase{"5S AH AD KC", 17, 0}));

TEST(Hand, ClearEmptiesTheHandButKeepsItsLabel) {
    Deck deck;
    Hand hand;
    hand.name = "Dealer";
    hand.addCard(findCard(deck, "AS"));
    hand.addCard(findCard(deck, "9H"));
    hand.clear();
    EXPECT_TRUE(hand.cards.empty());
    EXPECT_EQ(hand.value, 0);
    EXPECT_EQ(hand.aces, 0);
    EXPECT_EQ(hand.name, "Dealer");
    hand.addCard(findCard(deck, "AD"));
    EXPECT_EQ(hand.value, 11);
    EXPECT_EQ(hand.aces, 1);
}

}  // namespace

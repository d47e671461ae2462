#include <gtest/gtest.h>

#include "rules/Deck.h"

TEST(Deck, NewDeckDealsKingOfSpadesFirstAndAceOfHeartsLast) {
    Deck deck;
    Card* top = deck.deal();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->rank, 13);
    EXPECT_EQ(top->suit, "Spades");
}

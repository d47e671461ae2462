#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "rules/Game.h"
#include "support/StackedDeck.h"

namespace {

// Stakes `stake` and deals a round from a deck stacked with `cards` (the deal goes player,
// dealer, player, dealer), then plays `moves`: h hit, s stand, d double, p split.
void play(Game& game, int stake, const std::string& cards, const std::string& moves) {
    stackDeck(*game.deck, cards);
    game.placeBet(stake);
    game.startRound();
    for (const char move : moves) {
        ASSERT_FALSE(game.isRoundOver()) << "move " << move << " after the round was settled";
        switch (move) {
            case 'h':
                game.hit();
                break;
            case 's':
                game.stand();
                break;
            case 'd':
                game.doubleDown();
                break;
            case 'p':
                game.split();
                break;
            default:
                FAIL() << "unknown move " << move;
        }
    }
}

struct RoundCase {
    const char* name;
    int stake;
    const char* cards;
    std::string moves;
    std::string text;
    int wallet;
    int dealerCards;
};

void PrintTo(const RoundCase& c, std::ostream* out) {
    *out << c.name;
}

class Settlement : public testing::TestWithParam<RoundCase> {};

TEST_P(Settlement, PaysTheTablesAndWritesTheResult) {
    const RoundCase& round = GetParam();
    Game game(nullptr);
    play(game, round.stake, round.cards, round.moves);
    EXPECT_TRUE(game.isRoundOver());
    EXPECT_TRUE(game.dealerRevealed);
    EXPECT_EQ(game.getResultText(), round.text);
    EXPECT_EQ(game.getWallet(), round.wallet);
    EXPECT_EQ(game.getBet(), 0);
    EXPECT_EQ(static_cast<int>(game.dealer.cards.size()), round.dealerCards);
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, Settlement,
    testing::Values(
        // Naturals settle inside startRound; the dealer still plays to 17.
        RoundCase{"Natural", 100, "AS 9H KD TH", "", "PLAYER WINS | 150$ Won | Blackjack!", 1150,
                  2},
        RoundCase{"NaturalAgainstThreeCard21", 100, "AS 9H KD 5C 7D", "", "TIE/PUSH | 0$ | Push",
                  1000, 3},
        // The dealer's own natural is never looked for: the round is settled all the same.
        RoundCase{"NaturalAgainstNatural", 100, "AS AH KD QC", "", "TIE/PUSH | 0$ | Push", 1000, 2},
        RoundCase{"NaturalDealerBusts", 100, "AS TH KD 6C KC", "",
                  "PLAYER WINS | 150$ Won | Blackjack! (Dealer Busted)", 1150, 3},
        RoundCase{"NaturalOf5Returns12", 5, "AS 9H KD TH", "", "PLAYER WINS | 7$ Won | Blackjack!",
                  1007, 2},
        RoundCase{"NaturalOf1Returns2", 1, "AS 9H KD TH", "", "PLAYER WINS | 1$ Won | Blackjack!",
                  1001, 2},
        RoundCase{"HigherScore", 100, "TS 9H QD 9C", "s",
                  "PLAYER WINS | 100$ Won | Player Higher Score", 1100, 2},
        RoundCase{"Push", 100, "TS TH QD QC", "s", "TIE/PUSH | 0$ | Push", 1000, 2},
        RoundCase{"DealerHigher", 100, "TS TH 7D QC", "s",
                  "DEALER WINS | 100$ Lost | Dealer Higher Score", 900, 2},
        RoundCase{"DealerDrawsOn16AndBusts", 100, "TS 6H 7D TC KC", "s",
                  "PLAYER WINS | 100$ Won | Dealer Busted", 1100, 3},
        // Drawing on the soft 17 would have given the dealer 20.
        RoundCase{"DealerStandsOnSoft17", 100, "TS AH 8D 6C 3C", "s",
                  "PLAYER WINS | 100$ Won | Player Higher Score", 1100, 2},
        RoundCase{"DealerStandsOnDrawnSoft17", 100, "TS 2H 8D 4C AC 3C", "s",
                  "PLAYER WINS | 100$ Won | Player Higher Score", 1100, 3},
        RoundCase{"BustWithoutSplit", 100, "TS 6H 6D TC KC", "h",
                  "DEALER WINS | 100$ Lost | Player Busted", 900, 2},
        // Reaching 21 by a hit does not end the turn: the stand still has to come.
        RoundCase{"HitTo21ThenStand", 100, "TS 9H 5D 8C 6C", "hs",
                  "PLAYER WINS | 100$ Won | Player Higher Score", 1100, 2},
        RoundCase{"DoubleOn11Wins", 50, "6S 9H 5D 8C 9D", "d",
                  "PLAYER WINS | 100$ Won | Player Higher Score", 1100, 2},
        RoundCase{"DoubleOn9Loses", 100, "5S TH 4D 9C 2H", "d",
                  "DEALER WINS | 200$ Lost | Dealer Higher Score", 800, 2},
        RoundCase{"SplitEightsBothWin", 50, "8S TH 8D 7C 3H TD KC", "phss",
                  "PLAYER WINS | 100$ Won | Player Higher Score | Hand 2 Player Higher Score", 1100,
                  2},
        RoundCase{"SplitFirstWinsSecondBusts", 50, "8S TH 8D 8C AC 5D KD", "psh",
                  "TIE/PUSH | 0$ | Player Higher Score | Hand 2 Busted", 1000, 2},
        // Both hands bust: the dealer, on 13, draws nothing.
        RoundCase{"SplitBothBust", 50, "8S TH 8D 3C 5C 7D KC QC", "phh",
                  "DEALER WINS | 100$ Lost | Player Busted | Hand 2 Busted", 900, 2},
        RoundCase{"SplitFirstBustsDealerBusts", 50, "8S TH 8D 6C 5C TD KC 9H", "phs",
                  "TIE/PUSH | 0$ | Player Busted | Hand 2 Dealer Busted", 1000, 3},
        RoundCase{"SplitPushAndLoss", 50, "9S TH 9D 9C TC 8D", "pss",
                  "DEALER WINS | 50$ Lost | Push | Hand 2 Dealer Higher Score", 950, 2},
        RoundCase{"SplitLossAndPush", 50, "9S TH 9D 9C 8D TC", "pss",
                  "DEALER WINS | 50$ Lost | Dealer Higher Score | Hand 2 Push", 950, 2},
        // 21 on two cards after a split is no natural: it is paid 1:1.
        RoundCase{"SplitAcesMake21", 50, "AS 9H AD 8C KH 7D", "pss",
                  "PLAYER WINS | 100$ Won | Player Higher Score | Hand 2 Player Higher Score", 1100,
                  2}),
    [](const testing::TestParamInfo<RoundCase>& info) { return std::string(info.param.name); });

TEST(Game, StartsWithAnEmptyTableAndTakesTheStakeFromTheWallet) {
    Game game(nullptr);
    EXPECT_EQ(game.cardTexture, nullptr);
    EXPECT_EQ(game.getWallet(), 1000);
    EXPECT_EQ(game.getBet(), 0);
    EXPECT_FALSE(game.isRoundOver());
    EXPECT_FALSE(game.isSplit());
    EXPECT_EQ(game.getResultText(), "");
    EXPECT_EQ(game.dealerShownValue(), 0);
    EXPECT_EQ(game.player.name, "Player");
    EXPECT_EQ(game.dealer.name, "Dealer");
    EXPECT_EQ(game.deck->size(), 52);
    game.placeBet(100);
    EXPECT_EQ(game.getWallet(), 900);
    EXPECT_EQ(game.getBet(), 100);
}

TEST(Game, TwoGamesStartedTogetherDealDifferently) {
    Game first(nullptr);
    Game second(nullptr);
    auto order = [](const Game& game) {
        std::vector<std::string> names;
        for (const Card* card : game.deck->cards) {
            names.push_back(std::to_string(card->rank) + card->suit);
        }
        return names;
    };
    EXPECT_NE(order(first), order(second));
}

struct OptionCase {
    const char* cards;  // the deal (the dealer always holds 9 and 7), then what a hit brings
    std::string moves;
    bool canSplit;
    bool canDouble;
};

void PrintTo(const OptionCase& c, std::ostream* out) {
    *out << c.cards << " " << c.moves;
}

class PlayerOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(PlayerOptions, SplitNeedsAPairAndDoubleNeeds9To11OnTwoCards) {
    const OptionCase& c = GetParam();
    Game game(nullptr);
    play(game, 10, c.cards, c.moves);
    EXPECT_EQ(game.canSplit(), c.canSplit);
    EXPECT_EQ(game.canDouble(), c.canDouble);
}

INSTANTIATE_TEST_SUITE_P(Hands, PlayerOptions,
                         testing::Values(OptionCase{"KS 9H QD 7C", "", false, false},
                                         OptionCase{"5S 9H 5D 7C", "", true, true},
                                         OptionCase{"AS 9H 8D 7C", "", false, false},
                                         OptionCase{"4S 9H 5D 7C", "", false, true},
                                         OptionCase{"3S 9H 5D 7C", "", false, false},
                                         OptionCase{"5S 9H 6D 7C", "", false, true},
                                         OptionCase{"AS 9H AD 7C", "", true, false},
                                         OptionCase{"2S 9H 3D 7C 5H", "h", false, false},
                                         // After a split neither is offered again.
                                         OptionCase{"5S 9H 5D 7C 5H 4C", "p", false, false}));

TEST(Game, SplitWithoutAPairDoesNothing) {
    Game game(nullptr);
    play(game, 50, "KS 9H QD 7C", "p");
    EXPECT_FALSE(game.isSplit());
    EXPECT_EQ(game.getWallet(), 950);
    EXPECT_EQ(game.getBet(), 50);
    EXPECT_EQ(game.player.cards.size(), 2u);
    EXPECT_TRUE(game.splitHand.cards.empty());
}

TEST(Game, SplittingEightsStakesTheSecondHandAndDealsEachOneCard) {
    Game game(nullptr);
    play(game, 50, "8S 9H 8D 7C 3H KD", "p");
    EXPECT_TRUE(game.isSplit());
    EXPECT_EQ(game.getWallet(), 900);
    EXPECT_EQ(game.getBet(), 100);
    Deck& deck = *game.deck;
    EXPECT_EQ(game.player.cards, (std::vector<Card*>{findCard(deck, "8S"), findCard(deck, "3H")}));
    EXPECT_EQ(game.splitHand.cards,
              (std::vector<Card*>{findCard(deck, "8D"), findCard(deck, "KD")}));
    EXPECT_EQ(game.getPlayerValue(), 11);
    EXPECT_EQ(game.getSplitValue(), 18);
    EXPECT_FALSE(game.isRoundOver());
}

TEST(Game, SplitAcesEachStartAsASoft11) {
    Game game(nullptr);
    play(game, 50, "AS 9H AD 7C 5H 9D", "p");
    EXPECT_EQ(game.player.value, 16);
    EXPECT_EQ(game.player.aces, 1);
    EXPECT_EQ(game.splitHand.value, 20);
    EXPECT_EQ(game.splitHand.aces, 1);
    EXPECT_FALSE(game.isRoundOver());  // a two-card 21 after a split would not stand either
}

TEST(Game, BustingTheFirstSplitHandMovesOnWithoutDealerPlay) {
    Game game(nullptr);
    play(game, 50, "8S KH 8D 6C 5C 7D KC 2H", "ph");
    EXPECT_EQ(game.getPlayerValue(), 23);
    EXPECT_TRUE(game.playingSplit);
    EXPECT_FALSE(game.isRoundOver());
    EXPECT_FALSE(game.dealerRevealed);
    EXPECT_EQ(game.dealer.cards.size(), 2u);
    EXPECT_EQ(game.dealerShownValue(), 10);
    game.hit();  // now on the second hand
    EXPECT_EQ(game.getSplitValue(), 17);
    EXPECT_EQ(game.splitHand.cards.size(), 3u);
}

TEST(Game, DealerShowsOnlyTheUpCardUntilTheRoundIsSettled) {
    Game game(nullptr);
    play(game, 10, "TS KH 7D AC", "");
    EXPECT_EQ(game.dealerShownValue(), 10);
    game.stand();
    EXPECT_EQ(game.dealerShownValue(), 21);
    // The settled table keeps answering until the next deal.
    EXPECT_EQ(game.getPlayerValue(), 17);
    EXPECT_EQ(game.getResultText(), "DEALER WINS | 10$ Lost | Dealer Higher Score");

    play(game, 10, "TS AH 7D 5C", "");
    EXPECT_EQ(game.dealerShownValue(), 11);
    EXPECT_FALSE(game.isRoundOver());
    EXPECT_FALSE(game.dealerRevealed);
    EXPECT_EQ(game.getResultText(), "");
}

// Every card of the pack is exactly once in the deck or a hand.
void expectWholePack(const Game& game) {
    std::multiset<const Card*> all(game.deck->cards.begin(), game.deck->cards.end());
    for (const Hand* hand : {&game.player, &game.dealer, &game.splitHand}) {
        all.insert(hand->cards.begin(), hand->cards.end());
    }
    EXPECT_EQ(all.size(), 52u);
    EXPECT_EQ(std::set<const Card*>(all.begin(), all.end()).size(), 52u);
}

TEST(GameRefill, FourteenCardsLeftBringsTheWholePackBackBeforeTheDeal) {
    Game game(nullptr);
    game.deck->seed(14);
    stackDeck(*game.deck, "AS 2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS AH", false);
    game.placeBet(10);
    game.startRound();
    expectWholePack(game);  // the deck holds all 52 less the cards dealt
}

TEST(GameRefill, FifteenCardsLeftAreDealtAsTheyLie) {
    Game game(nullptr);
    const std::string fifteen = "TS 9H 5D 8C 2S 3S 4S 5S 6S 7S 8S 9S JS QS KS";
    stackDeck(*game.deck, fifteen, false);
    const std::vector<Card*> rest(game.deck->cards.begin(), game.deck->cards.end() - 4);
    game.placeBet(10);
    game.startRound();
    Deck& deck = *game.deck;
    EXPECT_EQ(game.player.cards, (std::vector<Card*>{findCard(deck, "TS"), findCard(deck, "5D")}));
    EXPECT_EQ(game.dealer.cards, (std::vector<Card*>{findCard(deck, "9H"), findCard(deck, "8C")}));
    EXPECT_EQ(deck.cards, rest);  // 11 left, in the order they lay
}

TEST(GameRefill, AnEmptyDeckMidRoundRefillsWithTheCardsOffTheTable) {
    Game game(nullptr);
    play(game, 10, "2S 2H 3D 3C", "");
    game.deck->cards.clear();
    game.hit();
    ASSERT_EQ(game.player.cards.size(), 3u);
    EXPECT_NE(game.player.cards[2], nullptr);
    EXPECT_EQ(game.deck->size(), 47);
    expectWholePack(game);

    // The dealer's draws and a split's deals refill the same way.
    game.deck->cards.clear();
    game.stand();
    EXPECT_GE(game.dealer.value, 17);
    expectWholePack(game);

    play(game, 10, "8S 9H 8D 8C", "");
    game.deck->cards.clear();
    game.split();
    EXPECT_EQ(game.player.cards.size(), 2u);
    EXPECT_EQ(game.splitHand.cards.size(), 2u);
    expectWholePack(game);
}

TEST(Game, PollEventsDropsWaitingEventsButKeepsAWindowClose) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    Game game(nullptr);
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
    game.pollEvents();
    std::vector<Uint32> left;
    while (SDL_PollEvent(&event) != 0) {
        left.push_back(event.type);
    }
    EXPECT_EQ(left, std::vector<Uint32>{SDL_QUIT});
    SDL_Quit();
}

}  // namespace

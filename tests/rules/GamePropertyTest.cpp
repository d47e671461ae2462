#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "rules/Game.h"
#include "support/RulesChecker.h"

namespace {

// The first broken rule of the table, or an empty string.
std::string tableFault(const Game& game, int walletBefore, int staked) {
    std::ostringstream fault;
    std::array<int, Deck::kSize> seen{};
    int onTable = 0;
    auto count = [&](const std::vector<Card*>& cards, const char* where) {
        for (const Card* card : cards) {
            if (card == nullptr) {
                fault << "null card in " << where << "; ";
                continue;
            }
            const auto index = card - game.deck->pack.data();
            if (index < 0 || index >= Deck::kSize) {
                fault << "foreign card in " << where << "; ";
            } else if (++seen[index] > 1) {
                fault << "card " << card->rank << card->suit << " twice; ";
            }
            ++onTable;
        }
    };
    count(game.deck->cards, "deck");
    for (const Hand* hand : {&game.player, &game.dealer, &game.splitHand}) {
        count(hand->cards, hand->name.c_str());
        if (fault.tellp() == 0) {
            bool soft = false;
            const int value = handValue(hand->cards, hand->cards.size(), &soft);
            if (hand->value != value || hand->aces != (soft ? 1 : 0)) {
                fault << "hand '" << hand->name << "' holds " << hand->value << "/" << hand->aces
                      << " for cards worth " << value << "; ";
            }
        }
    }
    if (onTable > Deck::kSize) {
        fault << onTable << " cards; ";
    }
    if (game.splitActive != game.splitDone || (game.playingSplit && !game.splitActive)) {
        fault << "split flags disagree; ";
    }
    if (!game.roundOver &&
        (game.bet != staked || game.wallet != walletBefore - staked || game.dealerRevealed)) {
        fault << "in play: bet " << game.bet << " wallet " << game.wallet << " staked " << staked
              << "; ";
    }
    return fault.str();
}

std::string settlementFault(const Game& game, int walletBefore, int staked) {
    std::ostringstream fault;
    const int payout = expectedPayout(game, staked);
    if (game.wallet != walletBefore - staked + payout || game.bet != 0 || !game.dealerRevealed) {
        fault << "wallet " << game.wallet << " after " << walletBefore << " - " << staked << " + "
              << payout << "; ";
    }
    const int net = payout - staked;
    const std::string head = expectedResultHead(net);
    if (game.resultText.compare(0, head.size(), head) != 0) {
        fault << "text '" << game.resultText << "' for a net of " << net << "; ";
    }
    if (!dealerPlayedByTheRules(game)) {
        fault << "dealer stopped at " << game.dealer.value << " with " << game.dealer.cards.size()
              << " cards; ";
    }
    return fault.str();
}

TEST(GameProperty, RandomLegalPlayKeepsTheTableSoundAndConservesMoney) {
    std::mt19937 rng(2024);
    auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
    };
    Game game(nullptr);
    game.deck->seed(99);
    game.deck->restock({});
    game.deck->shuffle();

    int splits = 0;
    int doubles = 0;
    int naturals = 0;
    int refills = 0;
    for (int round = 0; round < 20000; ++round) {
        if (game.wallet < 500) {
            game.wallet += 5000;
        }
        const int walletBefore = game.wallet;
        int staked = std::uniform_int_distribution<int>(1, 200)(rng);
        game.placeBet(staked);
        game.startRound();
        ASSERT_EQ(tableFault(game, walletBefore, staked), "") << "round " << round << " deal";
        naturals += game.roundOver ? 1 : 0;
        // Now and then leave the deck nearly empty so the round has to refill it.
        if (!game.roundOver && chance(15)) {
            const auto keep =
                std::min(std::uniform_int_distribution<int>(0, 2)(rng), game.deck->size());
            game.deck->cards.erase(game.deck->cards.begin(), game.deck->cards.end() - keep);
        }
        while (!game.roundOver) {
            const int before = game.deck->size();
            const bool covered = game.wallet >= game.bet;
            const int handInPlay = game.playingSplit ? game.getSplitValue() : game.getPlayerValue();
            const int choice = std::uniform_int_distribution<int>(0, 9)(rng);
            if (choice < 4 && covered) {
                // Without a pair split does nothing, and the table checks below must agree.
                if (game.canSplit()) {
                    staked += game.bet;
                    ++splits;
                }
                game.split();
            } else if (choice < 6 && covered && game.canDouble()) {
                staked += game.bet;
                ++doubles;
                game.doubleDown();
            } else if (choice == 8 || (choice < 8 && handInPlay < 17)) {
                game.hit();
            } else {
                game.stand();
            }
            refills += game.deck->size() > before ? 1 : 0;
            ASSERT_EQ(tableFault(game, walletBefore, staked), "") << "round " << round;
        }
        ASSERT_EQ(settlementFault(game, walletBefore, staked), "") << "round " << round;
    }
    // The run went through every kind of round at least a few times.
    EXPECT_GT(splits, 50);
    EXPECT_GT(doubles, 50);
    EXPECT_GT(naturals, 50);
    EXPECT_GT(refills, 50);
}

}  // namespace

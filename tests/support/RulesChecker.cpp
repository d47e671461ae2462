#include "support/RulesChecker.h"

#include <algorithm>

int handValue(const std::vector<Card*>& cards, std::size_t count, bool* soft) {
    int total = 0;
    bool ace = false;
    for (std::size_t i = 0; i < cards.size() && i < count; ++i) {
        total += std::min(cards[i]->rank, 10);
        ace = ace || cards[i]->rank == 1;
    }
    const bool high = ace && total + 10 <= 21;
    if (soft != nullptr) {
        *soft = high;
    }
    return high ? total + 10 : total;
}

bool dealerPlayedByTheRules(const Game& game) {
    const bool someHandStands = handValue(game.player.cards) <= 21 ||
                                (game.isSplit() && handValue(game.splitHand.cards) <= 21);
    const std::vector<Card*>& dealer = game.dealer.cards;
    if (!someHandStands) {
        return dealer.size() == 2;
    }
    return handValue(dealer) >= 17 &&
           (dealer.size() == 2 || handValue(dealer, dealer.size() - 1) < 17);
}

int expectedPayout(const Game& game, int staked) {
    const bool split = game.isSplit();
    const int stake = split ? staked / 2 : staked;
    const int player = handValue(game.player.cards);
    const int dealer = handValue(game.dealer.cards);
    const bool natural = !split && game.player.cards.size() == 2 && player == 21;
    // A bust hand returns nothing, a win twice its stake (a natural 2.5 times, truncated), a push
    // its stake.
    auto returnOf = [&](int hand, bool paysAsNatural) {
        if (hand > 21) {
            return 0;
        }
        if (dealer > 21 || hand > dealer) {
            return paysAsNatural ? stake * 5 / 2 : 2 * stake;
        }
        return hand == dealer ? stake : 0;
    };
    int payout = returnOf(player, natural);
    if (split) {
        payout += returnOf(handValue(game.splitHand.cards), false);
    }
    return payout;
}

std::string expectedResultHead(int net) {
    if (net > 0) {
        return "PLAYER WINS | " + std::to_string(net) + "$ Won | ";
    }
    if (net < 0) {
        return "DEALER WINS | " + std::to_string(-net) + "$ Lost | ";
    }
    return "TIE/PUSH | 0$ | ";
}

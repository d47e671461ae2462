#include "support/KeptRounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/StackedDeck.h"

namespace {

int rankOf(const std::string& name) {
    static const std::string ranks = "A23456789TJQK";
    const std::size_t index = name.rfind("10", 0) == 0 ? 9 : ranks.find(name.substr(0, 1));
    EXPECT_NE(index, std::string::npos) << "no rank in \"" << name << "\"";
    return static_cast<int>(index) + 1;
}

void readCards(const std::string& names, std::vector<int>& ranks, std::string& suits) {
    for (const std::string& name : cardNames(names)) {
        ranks.push_back(rankOf(name));
        suits += name.back();
    }
}

}  // namespace

RoundRecord keptRound(const std::string& dealer, const std::vector<KeptHand>& hands, int wallet,
                      long long session) {
    RoundRecord round;
    round.time = "2026-12-09T01:32:00Z";
    round.session = session;
    round.bet = 25;
    readCards(dealer, round.dealer, round.dealerSuits);
    for (const KeptHand& kept : hands) {
        RoundRecord::HandRecord hand;
        readCards(kept.cards, hand.cards, hand.suits);
        hand.stake = kept.stake;
        hand.result = kept.result;
        round.net += kept.result;
        round.hands.push_back(hand);
    }
    round.wallet = wallet;
    round.text = round.net > 0 ? "PLAYER WINS" : round.net < 0 ? "DEALER WINS" : "TIE/PUSH";
    return round;
}

RoundRecord::Decision keptDecision(const std::string& hand, const std::string& up,
                                   solver::PlayValues values, solver::Action chosen, int stake) {
    RoundRecord::Decision decision;
    std::istringstream names(hand);
    for (std::string name; names >> name;) {
        decision.cards.push_back(rankOf(name));
    }
    decision.up = rankOf(up);
    decision.values = values;
    decision.chosen = chosen;
    decision.best = values.best();
    decision.cost = std::max(0.0, (values.of(decision.best) - values.of(chosen)) * stake);
    return decision;
}

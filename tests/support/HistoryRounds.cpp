#include "support/HistoryRounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "solver/TableSolver.h"

RoundRecord::Decision solvedDecision(const std::vector<int>& cards, int up,
                                     const std::vector<int>& seen, bool split,
                                     solver::Action chosen, int bet) {
    solver::RankCounts unseen = solver::fullPack();
    for (const std::vector<int>* some : {&cards, &seen}) {
        for (const int rank : *some) {
            --unseen[rank];
        }
    }
    --unseen[up];
    static solver::TableSolver solver;
    RoundRecord::Decision d;
    d.split = split;
    d.hand = split ? 1 : 0;
    d.cards = cards;
    d.up = up;
    d.seen = seen;
    d.values = solver.decide(cards, up, unseen, !split && cards.size() == 2);
    d.best = d.values.best();
    d.chosen = chosen;
    d.cost = std::max(0.0, d.values.of(d.best) - d.values.of(chosen)) * bet;
    return d;
}

RoundRecord historyRound(long long session, int bet, int net, double edge,
                         std::vector<RoundRecord::Decision> decisions) {
    RoundRecord round;
    round.time = "2026-12-09T01:32:00Z";
    round.session = session;
    round.bet = bet;
    round.dealer = {10, 7};
    round.dealerSuits = "HS";
    round.hands.push_back(RoundRecord::HandRecord{{9, 8}, "DC", bet, net});
    round.net = net;
    round.edge = edge;
    round.wallet = 1000 + net;
    round.text = net > 0 ? "You win" : net < 0 ? "Dealer wins" : "Push";
    round.decisions = std::move(decisions);
    return round;
}

RoundRecord fullRound() {
    using solver::Action;
    RoundRecord round = historyRound(7, 50, 50, -0.1234567890123456789);
    round.dealer = {1, 6, 12};
    round.dealerSuits = "SHD";
    round.hands = {{{8, 3, 13}, "HCD", 100, 100}, {{8, 10}, "SS", 50, -50}};
    round.wallet = 1234;
    round.text = "Split: \"win\" \\ lose\n\t\x01 caf\xc3\xa9";
    round.decisions = {solvedDecision({8, 8}, 6, {2, 5, 13}, false, Action::Split, 50),
                       solvedDecision({8, 3}, 6, {2, 5, 13, 8}, true, Action::Hit, 50),
                       solvedDecision({8, 10}, 6, {2, 5, 13, 8, 3, 13}, true, Action::Stand, 50)};
    return round;
}

std::string scratchFile(const std::string& name) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("blackjack-history-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    for (const char* end : {"", ".torn", ".new"}) {
        std::filesystem::remove(path.string() + end);
    }
    return path.string();
}

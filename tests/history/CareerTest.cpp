#include <gtest/gtest.h>

#include "history/Career.h"
#include "support/HistoryRounds.h"

namespace {

using solver::Action;

RoundRecord::Decision costing(std::vector<int> cards, double cost, bool split = false) {
    RoundRecord::Decision d;
    d.cards = std::move(cards);
    d.split = split;
    d.up = 10;
    d.cost = cost;
    return d;
}

TEST(Career, LedgerAddsUpToTheNetToTheCent) {
    std::vector<RoundRecord> rounds;
    // A thousand rounds at half a cent of edge and of decision cost each: rounded one by one they
    // would come to $10.00 or nothing; rounded once, $5.00.
    for (int i = 0; i < 1000; ++i) {
        const int net = i % 3 == 0 ? 10 : i % 3 == 1 ? -10 : 0;
        rounds.push_back(historyRound(i < 400 ? 5 : 2, 10, net, 0.005, {costing({10, 6}, 0.005)}));
    }
    rounds.push_back(historyRound(9, 10, 15, -1.0 / 3.0));
    rounds.back().blackjack = true;
    const Career career(rounds);
    const Career::Tally& whole = career.whole;
    EXPECT_EQ(whole.rounds, 1001);
    EXPECT_EQ(whole.won, 335);
    EXPECT_EQ(whole.lost, 333);
    EXPECT_EQ(whole.pushed, 333);
    EXPECT_EQ(whole.blackjacks, 1);
    EXPECT_EQ(whole.net, 334 * 10 + 15 - 333 * 10);
    EXPECT_EQ(whole.edgeCents, 500 - 33);
    EXPECT_EQ(whole.decisionCents, -500);
    EXPECT_EQ(whole.edgeCents + whole.decisionCents + whole.luckCents, 100 * whole.net);

    // Sessions in the order of their numbers, whatever the order of the file.
    ASSERT_EQ(career.sessions.size(), 3U);
    EXPECT_EQ(career.sessions[0].session, 2);
    EXPECT_EQ(career.sessions[1].session, 5);
    EXPECT_EQ(career.sessions[2].session, 9);
    EXPECT_EQ(career.sessions[0].rounds, 600);
    EXPECT_EQ(career.sessions[0].edgeCents, 300);
    EXPECT_EQ(career.sessions[1].decisionCents, -200);
    for (const Career::Tally& session : career.sessions) {
        EXPECT_EQ(session.edgeCents + session.decisionCents + session.luckCents, 100 * session.net);
    }
    EXPECT_EQ(career.sessions[2].luckCents, 1500 + 33);
}

TEST(Career, CostliestDecisionsAndDecisionsByKind) {
    std::vector<RoundRecord::Decision> decisions = {
        costing({8, 8}, 1.0),         costing({8, 8}, 2.0, true), costing({1, 6}, 3.0),
        costing({1, 6, 10}, 4.0),     costing({10, 6}, 0.0),      costing({1, 1}, 5.0),
        costing({10, 12}, 6.0),       costing({2, 3, 1}, 7.0),    costing({1, 1, 9}, 8.0),
        costing({10, 13}, 6.0, true),
    };
    std::vector<RoundRecord> rounds = {
        historyRound(1, 10, 0, 0.0, decisions),
        historyRound(2, 10, 0, 0.0, {costing({9, 2}, 0.5), costing({9, 2}, 6.0)})};
    RoundRecord drill = historyRound(3, 100, 0, 0.0, {costing({10, 6}, 50.0)});
    drill.drill = true;
    rounds.push_back(drill);
    rounds.push_back(drill);
    const Career career(rounds);

    // Ten of the eleven that cost anything, the drills' answers not among them; of the three at
    // $6, the earliest first.
    ASSERT_EQ(career.costliest.size(), Career::kCostliest);
    std::vector<double> costs;
    for (const Career::Costly& c : career.costliest) {
        costs.push_back(c.decision.cost);
    }
    EXPECT_EQ(costs, (std::vector<double>{8, 7, 6, 6, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(career.costliest[2].decision.cards, (std::vector<int>{10, 12}));
    EXPECT_EQ(career.costliest[3].decision.cards, (std::vector<int>{10, 13}));
    EXPECT_EQ(career.costliest[4].session, 2);

    // Pairs: 8,8 and A,A unsplit. Soft: A,6 and 2,3,A and A,A,9 (an ace still 11). Hard: the rest,
    // the split 8,8 and A,6,10 among them.
    EXPECT_EQ(career.pairs.count, 2);
    EXPECT_DOUBLE_EQ(career.pairs.cost, 6.0);
    EXPECT_EQ(career.soft.count, 3);
    EXPECT_DOUBLE_EQ(career.soft.cost, 18.0);
    EXPECT_EQ(career.hard.count, 7);
    EXPECT_DOUBLE_EQ(career.hard.cost, 2.0 + 4.0 + 0.0 + 6.0 + 6.0 + 0.5 + 6.0);

    EXPECT_EQ(career.drills, 2);
    EXPECT_DOUBLE_EQ(career.drillCost, 100.0);
    EXPECT_EQ(career.whole.rounds, 2);
    ASSERT_EQ(career.sessions.size(), 2U);
}

}  // namespace

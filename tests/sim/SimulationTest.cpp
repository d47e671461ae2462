#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "rules/Game.h"
#include "rules/Rules.h"
#include "sim/Plan.h"
#include "sim/Report.h"
#include "sim/Simulation.h"
#include "solver/Payouts.h"

namespace sim {
namespace {

// Each kind's plan, worked out once for the whole file.
const Plan& planOf(StrategyKind kind) {
    static std::map<StrategyKind, Plan> plans;
    auto found = plans.find(kind);
    if (found == plans.end()) {
        found = plans.emplace(kind, makePlan(kind, 100)).first;
    }
    return found->second;
}

const CardStrategy& optimal() {
    return planOf(StrategyKind::Optimal).table;
}

// Gathers the whole deck and puts cards of `ranks` on top, the first rank dealt first.
void stackDeck(Game& game, const std::vector<int>& ranks) {
    std::vector<Card*>& cards = game.deck->cards;
    game.deck->restock({});
    auto top = cards.end();
    for (const int rank : ranks) {
        const auto card =
            std::find_if(cards.begin(), top, [rank](const Card* c) { return c->rank == rank; });
        ASSERT_NE(card, top) << "no card of rank " << rank << " left to stack";
        --top;
        std::iter_swap(card, top);
    }
}

Tally playStacked(const std::vector<int>& ranks, int bet = 100,
                  const CardStrategy& strategy = optimal()) {
    Game game(nullptr);
    stackDeck(game, ranks);
    Tally tally;
    RoundPlayer(strategy, bet, false).play(game, tally);
    EXPECT_EQ(tally.rounds, 1u);
    EXPECT_EQ(tally.wins + tally.pushes + tally.losses, 1u);
    return tally;
}

TEST(RoundPlayer, CountsANaturalAndPaysItThreeToTwoTruncated) {
    // Player ace and king; the dealer's 9 and 7 draw a ten and bust.
    Tally tally = playStacked({1, 9, 13, 7, 10});
    EXPECT_EQ(tally.naturals, 1u);
    EXPECT_EQ(tally.net, 150);
    EXPECT_EQ(tally.dealerBusts, 1u);
    EXPECT_EQ(tally.wagered, 100u);

    // A stake of 5 is paid 7, as the model assumes.
    tally = playStacked({1, 9, 13, 7, 10}, 5);
    EXPECT_EQ(tally.net, 7);
    EXPECT_EQ(naturalNet(5) * 5, 7.0);

    // A dealer who reaches 21 with three cards pushes the natural.
    tally = playStacked({1, 9, 13, 7, 5});
    EXPECT_EQ(tally.naturals, 1u);
    EXPECT_EQ(tally.pushes, 1u);
    EXPECT_EQ(tally.net, 0);
}

TEST(RoundPlayer, DoublesElevenAgainstASix) {
    // Player 6 and 5 against a 6 up; the double draws a ten, the dealer's 16 draws a ten.
    const Tally tally = playStacked({6, 6, 5, 10, 10, 10});
    EXPECT_EQ(tally.doubles, 1u);
    EXPECT_EQ(tally.net, 200);
    EXPECT_EQ(tally.wagered, 200u);
    EXPECT_EQ(tally.wins, 1u);
}

TEST(RoundPlayer, PlaysBothHandsOfASplit) {
    // 8s against a 6 (dealer 16): the hands draw 3 and 10; 11 hits a ten to 21; the dealer
    // draws a 9 and busts.
    Tally tally = playStacked({8, 6, 8, 10, 3, 10, 10, 9});
    EXPECT_EQ(tally.splits, 1u);
    EXPECT_EQ(tally.net, 200);
    EXPECT_EQ(tally.wagered, 200u);
    EXPECT_EQ(tally.playerBusts, 0u);
    EXPECT_EQ(tally.dealerBusts, 1u);

    // 8s against a 9 (dealer 17): the first hand's 12 hits and busts, which moves play to the
    // second hand's 18; one hand lost and one won is a push.
    ASSERT_EQ(optimal().play(8, optimal().hands().of({8, 4}), 9), Action::Hit);
    tally = playStacked({8, 9, 8, 8, 4, 10, 10});
    EXPECT_EQ(tally.splits, 1u);
    EXPECT_EQ(tally.playerBusts, 1u);
    EXPECT_EQ(tally.pushes, 1u);
    EXPECT_EQ(tally.net, 0);
}

TEST(RoundPlayer, PlaysTheExactCardsNotJustTheTotal) {
    // 12 against a 4 (dealer 14), then a 5 and a 10: a hit makes 17 and leaves the dealer the 10
    // to bust on; a stand lets the dealer draw the 5 to 19.
    EXPECT_EQ(playStacked({10, 4, 2, 10, 5, 10}).net, 100);  // 10,2 hits
    EXPECT_EQ(playStacked({9, 4, 3, 10, 5, 10}).net, -100);  // 9,3 stands
    const CardStrategy& basic = planOf(StrategyKind::Basic).table;
    EXPECT_EQ(playStacked({10, 4, 2, 10, 5, 10}, 100, basic).net, -100);  // the chart stands
    // 6,6 against a 2 is split off one deck, not by the infinite-deck chart.
    const std::vector<int> sixes = {6, 2, 6, 10, 11, 12, 13, 10};
    EXPECT_EQ(playStacked(sixes).splits, 1u);
    EXPECT_EQ(playStacked(sixes, 100, basic).splits, 0u);
}

TEST(RoundPlayer, CountsABustAndKeepsTheDealerFromDrawing) {
    // Hard 16 against a 7 hits and busts; the dealer's 17 stands anyway.
    const Tally tally = playStacked({10, 7, 6, 10, 10});
    EXPECT_EQ(tally.playerBusts, 1u);
    EXPECT_EQ(tally.dealerBusts, 0u);
    EXPECT_EQ(tally.losses, 1u);
    EXPECT_EQ(tally.net, -100);
}

TEST(RoundPlayer, KeepsTheWalletInRangeOverLongRunsWithTheLargestStake) {
    Game game(nullptr);
    game.deck->seed(7u);
    Tally tally;
    const RoundPlayer player(optimal(), kMaxBet, false);
    for (int round = 0; round < 20000; ++round) {
        player.play(game, tally);
        ASSERT_GE(game.getWallet(), 0);
        ASSERT_LE(game.getWallet(), 4 * kMaxBet);
    }
    EXPECT_EQ(tally.rounds, 20000u);
}

SimulationConfig smallRun(std::uint64_t seed, unsigned threads) {
    SimulationConfig config;
    config.rounds = 20001;
    config.strategy = optimal();
    config.seed = seed;
    config.threads = threads;
    return config;
}

// All but the last line (the rounds per second).
std::string withoutSpeed(const std::string& report) {
    const std::size_t lastLine = report.rfind('\n', report.size() - 2);
    return report.substr(0, lastLine);
}

TEST(Simulation, TheSameSeedAndThreadCountGiveTheSameReport) {
    const Options options;
    const Analytic analytic;
    const SimulationConfig config = smallRun(42, 3);
    const SimulationResult first = simulate(config);
    const SimulationResult second = simulate(config);
    EXPECT_EQ(first.tally.rounds, 20001u);
    EXPECT_EQ(withoutSpeed(formatReport(options, config, first, analytic)),
              withoutSpeed(formatReport(options, config, second, analytic)));
    EXPECT_EQ(first.tally.squaredReturns, second.tally.squaredReturns);

    const SimulationResult otherSeed = simulate(smallRun(43, 3));
    EXPECT_NE(withoutSpeed(formatReport(options, config, first, analytic)),
              withoutSpeed(formatReport(options, config, otherSeed, analytic)));
    // The share of each thread depends on the thread count, so the rounds differ.
    const SimulationResult otherThreads = simulate(smallRun(42, 2));
    EXPECT_EQ(otherThreads.tally.rounds, 20001u);
    EXPECT_NE(first.tally.net, otherThreads.tally.net);
}

// Off a freshly shuffled full deck every round, the engine must return what the single-deck
// model computes, within the run's own 95% interval.
TEST(Simulation, IntervalCoversTheSingleDeckReturn) {
    for (const StrategyKind kind :
         {StrategyKind::Optimal, StrategyKind::Basic, StrategyKind::NeverBust}) {
        SimulationConfig config;
        config.rounds = 200000;
        config.strategy = planOf(kind).table;
        config.seed = 20240611;
        config.threads = 2;
        config.freshDeckEachRound = true;
        const Estimate estimate = estimateReturn(simulate(config).tally, config.bet);
        const double computed = planOf(kind).analytic.fullDeck;
        EXPECT_TRUE(estimate.covers(computed))
            << strategyName(kind) << ": " << computed << " outside " << estimate.low() << " .. "
            << estimate.high();
        EXPECT_LT(estimate.halfWidth, 0.006);
    }
}

// Each computed line says what it is: the best play has one figure, a chart two.
TEST(Report, NamesWhatEachComputedFigureIs) {
    SimulationConfig config = smallRun(5, 1);
    config.rounds = 1000;
    const SimulationResult result = simulate(config);
    Options options;
    const std::string best =
        formatReport(options, config, result, planOf(options.strategy).analytic);
    EXPECT_NE(best.find("  computed, best play off a full deck     -0.259%"), std::string::npos)
        << best;
    EXPECT_EQ(best.find("chart"), std::string::npos);
    EXPECT_EQ(best.find("infinite"), std::string::npos);
    // Rounds dealt on from one deck are told where the table gathers it, and only they.
    const std::string downTo =
        "deals on down to " + std::to_string(kReshuffleBelow) + "\n   cards, which costs";
    EXPECT_NE(best.find(downTo), std::string::npos) << best;
    config.freshDeckEachRound = true;
    EXPECT_EQ(formatReport(options, config, result, planOf(options.strategy).analytic)
                  .find("deals on down"),
              std::string::npos);
    config.freshDeckEachRound = false;

    options.strategy = StrategyKind::Basic;
    const std::string chart =
        formatReport(options, config, result, planOf(options.strategy).analytic);
    EXPECT_NE(chart.find("  computed, this chart off a full deck    -0.301%"), std::string::npos)
        << chart;
    EXPECT_NE(chart.find("  computed, infinite deck                 -0.837%"), std::string::npos);
    EXPECT_EQ(chart.find("best play"), std::string::npos);
}

TEST(Estimate, IsTheMeanReturnPerStakeWithANormalInterval) {
    Tally tally;
    tally.rounds = 4;
    tally.net = 100;  // +1, +1, -1, 0 stakes of 100 would be net 100
    tally.squaredReturns = 3.0;
    const Estimate estimate = estimateReturn(tally, 100);
    EXPECT_DOUBLE_EQ(estimate.mean, 0.25);
    // Sample variance (3 - 4 * 0.0625) / 3, over 4 rounds.
    EXPECT_NEAR(estimate.halfWidth, 1.959964 * std::sqrt((3.0 - 0.25) / 3.0 / 4.0), 1e-6);
    EXPECT_DOUBLE_EQ(estimateReturn(Tally{}, 100).halfWidth, 0.0);
}

}  // namespace
}  // namespace sim

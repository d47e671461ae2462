// The drill dealer without a screen: drills whose values are the solver's from their own cards,
// the single deck's exceptions among them, answers kept as history lines the simulator confirms,
// mistakes that come back, drills that follow a costly history, the score, and the frame's share.
#include "coach/DrillDealer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "history/HistoryLine.h"
#include "sim/HistoryCheck.h"
#include "support/HistoryRounds.h"

namespace {

using solver::Action;
using Clock = DrillDealer::Clock;

const Drill& ready(DrillDealer& dealer) {
    EXPECT_TRUE(dealer.prepare(Clock::now() + std::chrono::seconds(30)));
    return dealer.current();
}

std::vector<int> ranks(const std::vector<Card>& cards) {
    std::vector<int> out;
    for (const Card& card : cards) {
        out.push_back(card.rank);
    }
    return out;
}

// Every card of the drill, hand, up card and seen, as "rank suit" words.
std::vector<std::string> cardsOf(const Drill& drill) {
    std::vector<std::string> out;
    for (const auto* some : {&drill.hand, &drill.seen}) {
        for (const Card& card : *some) {
            out.push_back(std::to_string(card.rank) + " " + card.suit);
        }
    }
    out.push_back(std::to_string(drill.up.rank) + " " + drill.up.suit);
    return out;
}

// The live play worth least: the costliest answer.
Action worst(const Drill& drill) {
    Action worst = Action::Stand;
    for (const Action play : {Action::Hit, Action::Double, Action::Split}) {
        worst = drill.values.of(play) < drill.values.of(worst) ? play : worst;
    }
    return worst;
}

TEST(DrillDealerDeals, FortyAnswersOverManySeedsAreSoundAndHoldTheExceptions) {
    const std::set<std::string> suits{"Hearts", "Diamonds", "Clubs", "Spades"};
    for (std::uint32_t seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        DrillDealer dealer(seed);
        std::string lines;
        int exceptions = 0;
        for (int n = 1; n <= 40; ++n) {
            const Drill drill = ready(dealer);
            const std::vector<int> hand = ranks(drill.hand);
            ASSERT_EQ(hand.size(), 2u);
            EXPECT_FALSE(std::min(hand[0], hand[1]) == 1 && std::max(hand[0], hand[1]) >= 10);
            EXPECT_NE(drill.kind, Drill::Kind::Costly) << "no history, no costly drill";
            EXPECT_GE(52 - 3 - static_cast<int>(drill.seen.size()), 10);
            const std::vector<std::string> cards = cardsOf(drill);
            EXPECT_EQ(std::set<std::string>(cards.begin(), cards.end()).size(), cards.size());
            for (const Card& card : drill.seen) {
                EXPECT_TRUE(card.rank >= 1 && card.rank <= 13 && suits.count(card.suit) == 1);
            }

            // A fresh solve off the drill's own cards, and off the full pack.
            const RoundRecord::Decision solved =
                solvedDecision(hand, drill.up.rank, ranks(drill.seen), false, Action::Stand, 100);
            for (const Action play : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
                ASSERT_EQ(dealer.isLive(play), !std::isnan(solved.values.of(play)));
                if (dealer.isLive(play)) {
                    EXPECT_NEAR(drill.values.of(play), solved.values.of(play), sim::kTolerance);
                }
            }
            EXPECT_EQ(drill.best, solved.best);
            EXPECT_EQ(drill.packBest,
                      solvedDecision(hand, drill.up.rank, {}, false, Action::Stand, 100).best);
            if (drill.kind == Drill::Kind::Exception) {
                ++exceptions;
                EXPECT_EQ(n % 4, 0) << "an exception as drill " << n;
                EXPECT_NE(drill.best, drill.packBest);
            }

            const DrillGrade grade = dealer.answer((seed + n) % 2 == 0 ? worst(drill) : drill.best);
            EXPECT_GE(grade.cost, 0.0);
            lines += historyLine(grade.record()) + "\n";
        }
        EXPECT_GE(exceptions, 8);

        // Each answer reads back as a drill, and the simulator's check confirms them all.
        const HistoryFile::Contents contents = HistoryFile::read(lines);
        ASSERT_EQ(contents.rounds.size(), 40u);
        int packExceptions = 0;
        for (const RoundRecord& round : contents.rounds) {
            EXPECT_TRUE(round.drill && round.bet == DrillDealer::kStake && round.hands.empty());
            ASSERT_EQ(round.decisions.size(), 1u);
            EXPECT_TRUE(round.decisions[0].hasPackBest) << "a drill's line tells the pack's best";
            packExceptions += round.decisions[0].best != round.decisions[0].packBest ? 1 : 0;
            EXPECT_EQ(round.time.size(), std::string("2026-12-09T01:32:00Z").size());
        }
        EXPECT_GE(packExceptions, exceptions) << "the exceptions counted from the lines alone";
        const sim::HistoryCheck check = sim::checkHistory(contents);
        EXPECT_TRUE(check.agrees) << check.report;
        EXPECT_NE(check.report.find("40 of 40 decisions agree"), std::string::npos);
    }
}

// A wrong answer on drill 1 comes back on drills 2, 6, 10 (the same cards, so the same values)
// until answered right twice: right at 2, wrong at 6, right at 10, then gone.
TEST(DrillDealerMistakes, AMistakeComesBackUntilAnsweredRightTwice) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        DrillDealer dealer(seed);
        const Drill missed = ready(dealer);
        const bool mistake = dealer.answer(worst(missed)).cost > 0.01;
        ASSERT_EQ(dealer.mistakesWaiting(), mistake ? 1u : 0u) << "within a cent is no mistake";
        for (int n = 2; mistake && n <= 14; ++n) {
            const Drill drill = ready(dealer);
            const bool back = n % 4 == 2 && n <= 10;
            EXPECT_EQ(drill.kind == Drill::Kind::Mistake, back) << "drill " << n;
            EXPECT_EQ(cardsOf(drill) == cardsOf(missed), back) << "drill " << n;
            const double cost = dealer.answer(n == 6 ? worst(drill) : drill.best).cost;
            EXPECT_EQ(cost > 0.01, n == 6);
            EXPECT_EQ(dealer.mistakesWaiting(), n < 10 ? 1u : 0u) << "after drill " << n;
        }
    }
}

// Drills 1 and 3 answered wrong (2, the first coming back, right): drill 6 is the costlier.
TEST(DrillDealerMistakes, TheCostliestWaitingComesBackFirst) {
    int checked = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        DrillDealer dealer(seed);
        std::vector<Drill> missed;
        std::vector<double> costs;
        for (int n = 1; n <= 5; ++n) {
            const Drill drill = ready(dealer);
            const bool wrong = n == 1 || n == 3;
            costs.push_back(dealer.answer(wrong ? worst(drill) : drill.best).cost);
            missed.push_back(drill);
        }
        if (dealer.mistakesWaiting() == 2 && costs[0] != costs[2]) {
            ++checked;
            const Drill& costlier = costs[2] > costs[0] ? missed[2] : missed[0];
            EXPECT_EQ(cardsOf(ready(dealer)), cardsOf(costlier)) << "seed " << seed;
        }
    }
    EXPECT_GT(checked, 0) << "no seed made two mistakes of different costs";
}

// The history's cost is all on hard 16 against a ten (of two cards or three): every other one of
// the rest is such a hand, with fresh seen cards; the others are still close calls.
TEST(DrillDealerHistory, CostlyDrillsFollowAHistoryWhoseCostIsAllInOneKind) {
    const auto missed = [](std::vector<int> cards, int up, bool split) {
        const Action best = solvedDecision(cards, up, {}, split, Action::Stand, 100).best;
        return solvedDecision(cards, up, {}, split,
                              best == Action::Stand ? Action::Hit : Action::Stand, 100);
    };
    DrillDealer dealer(3);
    dealer.learnFrom({historyRound(1, 100, -100, 0.0,
                                   {missed({10, 6}, 13, false),
                                    solvedDecision({10, 9}, 6, {}, false, Action::Stand, 100)}),
                      historyRound(1, 100, 100, 0.0, {missed({5, 5, 6}, 12, true)})});
    std::set<std::vector<std::string>> deals;
    int close = 0;
    for (int n = 1; n <= 40; ++n) {
        const Drill drill = ready(dealer);
        if (drill.kind == Drill::Kind::Costly) {
            const std::vector<int> hand = ranks(drill.hand);
            EXPECT_EQ(std::min(hand[0], 10) + std::min(hand[1], 10), 16);
            EXPECT_TRUE(hand[0] != 1 && hand[1] != 1 && hand[0] != hand[1] && drill.up.rank >= 10);
            deals.insert(cardsOf(drill));
        }
        close += drill.kind == Drill::Kind::Close ? 1 : 0;
        dealer.answer(drill.best);
    }
    EXPECT_EQ(deals.size(), 15u) << "every other of the 30 not exceptions, each dealt afresh";
    EXPECT_GE(close, 15);
}

TEST(DrillDealerScore, FiguresOverAllAndTheRecentWindowFollowTheAnswers) {
    DrillDealer dealer(5);
    dealer.answer(Action::Stand);
    EXPECT_EQ(dealer.answered(), 0) << "not ready, no answer";
    EXPECT_EQ(dealer.givenUpPer100(), 0.0);
    EXPECT_EQ(dealer.recentGivenUpPer100(), 0.0);

    // Ten costly answers, then kRecent right ones: the window has forgotten the ten.
    double given = 0.0;
    for (int n = 1; n <= 10; ++n) {
        given += dealer.answer(worst(ready(dealer))).cost;
    }
    ASSERT_GT(given, 0.0);
    EXPECT_NEAR(dealer.recentGivenUpPer100(), given / 10 * 100, 1e-9);
    for (int n = 1; n <= DrillDealer::kRecent; ++n) {
        dealer.answer(ready(dealer).best);
    }
    EXPECT_EQ(dealer.answered(), 10 + DrillDealer::kRecent);
    EXPECT_NEAR(dealer.givenUpPer100(), given / (10 + DrillDealer::kRecent) * 100, 1e-9);
    EXPECT_EQ(dealer.recentGivenUpPer100(), 0.0);
    const double last = dealer.answer(worst(ready(dealer))).cost;
    EXPECT_NEAR(dealer.recentGivenUpPer100(), last / DrillDealer::kRecent * 100, 1e-9);
}

// A call given no time does one slice (the first drill, a close call among several deals, takes
// a few); any call returns within its budget and a slice (generous here for a loaded machine).
TEST(DrillDealerFrames, PrepareKeepsToItsShareOfTheFrame) {
    DrillDealer dealer(11);
    int calls = 1;
    while (!dealer.prepare(Clock::now())) {
        ASSERT_LT(++calls, 100);
    }
    EXPECT_GE(calls, 2);
    const auto budget = std::chrono::milliseconds(2);
    for (int n = 1; n <= 24; ++n) {
        dealer.answer(dealer.current().best);
        for (bool done = false; !done;) {
            const Clock::time_point start = Clock::now();
            done = dealer.prepare(start + budget);
            EXPECT_LT(Clock::now() - start, budget + std::chrono::milliseconds(60));
        }
    }
}

}  // namespace

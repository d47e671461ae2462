// The drill dealer without a screen: drills whose values are the solver's from their own cards,
// the single deck's exceptions among them, answers kept as history lines the simulator confirms,
// mistakes that come back, drills that follow a costly history, the score, and the frame's share.
#include "coach/DrillDealer.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "history/HistoryLine.h"
#include "sim/HistoryCheck.h"
#include "support/HistoryRounds.h"

namespace {

using solver::Action;
using Clock = DrillDealer::Clock;

constexpr std::array<Action, 4> kPlays{Action::Stand, Action::Hit, Action::Double, Action::Split};

Clock::time_point unhurried() {
    return Clock::now() + std::chrono::seconds(30);
}

std::vector<int> ranks(const std::vector<Card>& cards) {
    std::vector<int> out;
    for (const Card& card : cards) {
        out.push_back(card.rank);
    }
    return out;
}

solver::PlayValues solvedOff(solver::TableSolver& solver, const std::vector<int>& hand, int up,
                             const std::vector<int>& seen) {
    solver::RankCounts unseen = solver::fullPack();
    for (const std::vector<int>* some : {&hand, &seen}) {
        for (const int rank : *some) {
            --unseen[rank];
        }
    }
    --unseen[up];
    return solver.decide(hand, up, unseen, true);
}

// The live play worth least (the costliest answer) and worth most.
Action worst(const Drill& drill) {
    Action worst = Action::Stand;
    for (const Action play : kPlays) {
        if (drill.values.of(play) < drill.values.of(worst)) {
            worst = play;
        }
    }
    return worst;
}

Action live(const Drill& drill, unsigned pick) {
    std::vector<Action> plays;
    for (const Action play : kPlays) {
        if (!std::isnan(drill.values.of(play))) {
            plays.push_back(play);
        }
    }
    return plays[pick % plays.size()];
}

bool sameDeal(const Drill& a, const Drill& b) {
    const auto same = [](const Card& x, const Card& y) {
        return x.rank == y.rank && x.suit == y.suit;
    };
    return std::equal(a.hand.begin(), a.hand.end(), b.hand.begin(), b.hand.end(), same) &&
           same(a.up, b.up) &&
           std::equal(a.seen.begin(), a.seen.end(), b.seen.begin(), b.seen.end(), same) &&
           a.values.of(a.best) == b.values.of(b.best);
}

const Drill& ready(DrillDealer& dealer) {
    EXPECT_TRUE(dealer.prepare(unhurried()));
    return dealer.current();
}

TEST(DrillDealerDeals, FortyRandomAnswersOverManySeedsAreSoundAndHoldTheExceptions) {
    solver::TableSolver fresh;
    const std::set<std::string> suits{"Hearts", "Diamonds", "Clubs", "Spades"};
    for (std::uint32_t seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        DrillDealer dealer(seed);
        std::string lines;
        int exceptions = 0;
        for (int n = 1; n <= 40; ++n) {
            const Drill drill = ready(dealer);
            ASSERT_EQ(drill.hand.size(), 2u);
            const std::vector<int> hand = ranks(drill.hand);
            const bool natural = (hand[0] == 1 && hand[1] >= 10) || (hand[1] == 1 && hand[0] >= 10);
            EXPECT_FALSE(natural);
            EXPECT_NE(drill.kind, Drill::Kind::Costly) << "no history, no costly drill";
            EXPECT_GE(52 - 3 - static_cast<int>(drill.seen.size()), 10);

            std::set<std::pair<int, std::string>> cards;
            std::vector<Card> all = drill.seen;
            all.push_back(drill.up);
            all.insert(all.end(), drill.hand.begin(), drill.hand.end());
            for (const Card& card : all) {
                EXPECT_TRUE(card.rank >= 1 && card.rank <= 13 && suits.count(card.suit) == 1);
                EXPECT_TRUE(cards.insert({card.rank, card.suit}).second)
                    << "a card twice: " << card.rank << " " << card.suit;
            }

            const solver::PlayValues values =
                solvedOff(fresh, hand, drill.up.rank, ranks(drill.seen));
            for (const Action play : kPlays) {
                ASSERT_EQ(std::isnan(values.of(play)), std::isnan(drill.values.of(play)));
                EXPECT_EQ(dealer.isLive(play), !std::isnan(values.of(play)));
                if (!std::isnan(values.of(play))) {
                    EXPECT_NEAR(drill.values.of(play), values.of(play), sim::kTolerance);
                }
            }
            EXPECT_EQ(drill.best, values.best());
            EXPECT_EQ(drill.packBest, solvedOff(fresh, hand, drill.up.rank, {}).best());
            if (drill.kind == Drill::Kind::Exception) {
                ++exceptions;
                EXPECT_EQ(n % 4, 0) << "an exception in drill " << n;
                EXPECT_NE(drill.best, drill.packBest);
            }

            const DrillGrade grade = dealer.answer(live(drill, seed * 7 + n));
            EXPECT_GE(grade.cost, 0.0);
            EXPECT_NEAR(grade.cost,
                        (values.of(values.best()) - values.of(grade.chosen)) * DrillDealer::kStake,
                        1e-9);
            lines += historyLine(grade.record()) + "\n";
        }
        EXPECT_EQ(dealer.answered(), 40);
        EXPECT_GE(exceptions, 8);

        // Each answer reads back as the drill it was, and the simulator's check confirms them all.
        const HistoryFile::Contents contents = HistoryFile::read(lines);
        ASSERT_EQ(contents.rounds.size(), 40u);
        EXPECT_TRUE(contents.bad.empty() && !contents.torn);
        for (const RoundRecord& round : contents.rounds) {
            EXPECT_TRUE(round.drill);
            EXPECT_EQ(round.bet, DrillDealer::kStake);
            EXPECT_EQ(round.time.size(), std::string("2026-12-09T01:32:00Z").size());
            ASSERT_EQ(round.decisions.size(), 1u);
            EXPECT_FALSE(round.decisions[0].split);
        }
        const sim::HistoryCheck check = sim::checkHistory(contents);
        EXPECT_TRUE(check.agrees) << check.report;
        EXPECT_NE(check.report.find("40 of 40 decisions agree"), std::string::npos);
    }
}

// A wrong answer on drill 1 comes back on drills 2, 6, 10, ... (the same cards, so the same
// values) until it has been answered right twice; the costliest waiting comes back first.
TEST(DrillDealerMistakes, AMistakeComesBackUntilAnsweredRightTwice) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        DrillDealer dealer(seed);
        const Drill missed = ready(dealer);
        if (dealer.answer(worst(missed)).cost <= 0.01) {
            EXPECT_EQ(dealer.mistakesWaiting(), 0u) << "within a cent is no mistake";
            continue;
        }
        EXPECT_EQ(dealer.mistakesWaiting(), 1u);
        // Right at 2, wrong at 6, right at 10: then it is gone.
        for (int n = 2; n <= 14; ++n) {
            const Drill drill = ready(dealer);
            const bool slot = n % 4 == 2;
            EXPECT_EQ(drill.kind == Drill::Kind::Mistake, slot && n <= 10) << "drill " << n;
            if (slot && n <= 10) {
                EXPECT_TRUE(sameDeal(drill, missed)) << "drill " << n;
            }
            const double cost = dealer.answer(n == 6 ? worst(drill) : drill.best).cost;
            if (n == 6) {
                EXPECT_GT(cost, 0.01);
            } else {
                EXPECT_EQ(cost, 0.0);
            }
            EXPECT_EQ(dealer.mistakesWaiting(), n < 10 ? 1u : 0u) << "after drill " << n;
        }
    }
}

TEST(DrillDealerMistakes, TheCostliestWaitingComesBackFirst) {
    int checked = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        DrillDealer dealer(seed);
        const Drill first = ready(dealer);
        const double firstCost = dealer.answer(worst(first)).cost;
        const Drill second = ready(dealer);
        if (second.kind == Drill::Kind::Mistake) {
            dealer.answer(second.best);
        } else {
            dealer.answer(worst(second));
        }
        const Drill third = ready(dealer);
        const double thirdCost = dealer.answer(worst(third)).cost;
        if (firstCost <= 0.01 || thirdCost <= 0.01 || firstCost == thirdCost) {
            continue;
        }
        ++checked;
        dealer.answer(ready(dealer).best);  // drill 4, an exception
        dealer.answer(ready(dealer).best);  // drill 5
        const Drill again = ready(dealer);  // drill 6
        EXPECT_EQ(again.kind, Drill::Kind::Mistake);
        EXPECT_TRUE(sameDeal(again, thirdCost > firstCost ? third : first)) << "seed " << seed;
    }
    EXPECT_GT(checked, 0) << "no seed made two mistakes of different costs";
}

// The history's cost is all on hard 16 against a ten (two cards or three): every other drill of
// the rest is such a hand, with fresh seen cards; the others are still close calls.
TEST(DrillDealerHistory, CostlyDrillsFollowAHistoryWhoseCostIsAllInOneKind) {
    // The worse of standing and hitting, at $100.
    const auto missed = [](std::vector<int> cards, int up, bool split) {
        const Action best = solvedDecision(cards, up, {}, split, Action::Stand, 100).best;
        return solvedDecision(cards, up, {}, split,
                              best == Action::Stand ? Action::Hit : Action::Stand, 100);
    };
    const std::vector<RoundRecord> history{
        historyRound(1, 100, -100, 0.0,
                     {missed({10, 6}, 13, false),
                      solvedDecision({10, 9}, 6, {}, false, Action::Stand, 100)}),
        historyRound(1, 100, 100, 0.0, {missed({5, 5, 6}, 12, true)}),
        historyRound(2, 100, 100, 0.0, {missed({6, 12}, 10, false)}),
    };
    for (const RoundRecord& round : history) {
        for (const RoundRecord::Decision& d : round.decisions) {
            ASSERT_EQ(d.cost > 0.0, d.cards[0] + d.cards[1] != 19) << "cost only on hard 16";
        }
    }
    DrillDealer dealer(3);
    dealer.learnFrom(history);
    std::set<std::vector<std::string>> deals;
    int costly = 0;
    int close = 0;
    for (int n = 1; n <= 40; ++n) {
        const Drill drill = ready(dealer);
        if (drill.kind == Drill::Kind::Costly) {
            ++costly;
            const std::vector<int> hand = ranks(drill.hand);
            EXPECT_EQ(std::min(hand[0], 10) + std::min(hand[1], 10), 16);
            EXPECT_TRUE(hand[0] != 1 && hand[1] != 1 && hand[0] != hand[1]);
            EXPECT_GE(drill.up.rank, 10);
            std::vector<std::string> deal;
            for (const Card& card : drill.seen) {
                deal.push_back(std::to_string(card.rank) + card.suit);
            }
            deals.insert(deal);
        }
        close += drill.kind == Drill::Kind::Close ? 1 : 0;
        dealer.answer(drill.best);
    }
    EXPECT_EQ(costly, 15);
    EXPECT_GE(close, 15);
    EXPECT_GT(deals.size(), 10u) << "fresh seen cards each time";
}

TEST(DrillDealerScore, FiguresOverAllAndTheRecentWindowFollowTheAnswers) {
    DrillDealer dealer(5);
    EXPECT_EQ(dealer.answered(), 0);
    EXPECT_EQ(dealer.givenUpPer100(), 0.0);
    EXPECT_EQ(dealer.recentGivenUpPer100(), 0.0);

    // Not ready yet, and then a play the hand does not have: neither is an answer.
    dealer.answer(Action::Stand);
    EXPECT_EQ(dealer.answered(), 0);
    const Drill first = ready(dealer);
    if (std::isnan(first.values.doubled)) {
        EXPECT_FALSE(dealer.isLive(Action::Double));
        dealer.answer(Action::Double);
        EXPECT_EQ(dealer.answered(), 0);
    }

    // Ten costly answers, then kRecent right ones: the window has forgotten the ten.
    double given = 0.0;
    for (int n = 1; n <= 10; ++n) {
        given += dealer.answer(worst(ready(dealer))).cost;
    }
    EXPECT_NEAR(dealer.givenUpPer100(), given / 10 * 100, 1e-9);
    EXPECT_NEAR(dealer.recentGivenUpPer100(), given / 10 * 100, 1e-9);
    ASSERT_GT(given, 0.0);
    for (int n = 1; n <= DrillDealer::kRecent; ++n) {
        EXPECT_EQ(dealer.answer(ready(dealer).best).cost, 0.0);
    }
    EXPECT_EQ(dealer.answered(), 10 + DrillDealer::kRecent);
    EXPECT_NEAR(dealer.givenUpPer100(), given / (10 + DrillDealer::kRecent) * 100, 1e-9);
    EXPECT_EQ(dealer.recentGivenUpPer100(), 0.0);
    const double last = dealer.answer(worst(ready(dealer))).cost;
    EXPECT_NEAR(dealer.recentGivenUpPer100(), last / DrillDealer::kRecent * 100, 1e-9);
}

// Each call works past its deadline by one slice at most, so a frame keeps its budget; a call
// given no time does one slice, and the first drill, a close call among several deals, takes a
// few.
TEST(DrillDealerFrames, PrepareKeepsToItsShareOfTheFrame) {
    DrillDealer dealer(11);
    EXPECT_FALSE(dealer.prepare(Clock::now()));
    int calls = 1;
    while (!dealer.prepare(Clock::now())) {
        ++calls;
        ASSERT_LT(calls, 100);
    }
    EXPECT_GE(calls, 2);
    dealer.answer(dealer.current().best);

    // Generous for a loaded machine: a slice is a few milliseconds at worst.
    const auto slice = std::chrono::milliseconds(60);
    const auto budget = std::chrono::milliseconds(2);
    for (int n = 2; n <= 24; ++n) {
        bool done = false;
        while (!done) {
            const Clock::time_point start = Clock::now();
            done = dealer.prepare(start + budget);
            EXPECT_LT(Clock::now() - start, budget + slice) << "drill " << n;
        }
        dealer.answer(dealer.current().best);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "rules/Hand.h"
#include "sim/Model.h"
#include "sim/Strategy.h"

namespace sim {
namespace {

const Strategy& optimal() {
    static const Strategy strategy = infinite::optimalStrategy();
    return strategy;
}

HandState hard(int total) {
    return {total, false};
}
HandState soft(int total) {
    return {total, true};
}

TEST(OptimalStrategy, PlaysTheUnarguableHandsTheOnlySensibleWay) {
    for (int up = kLowestUp; up <= kAce; ++up) {
        SCOPED_TRACE("dealer shows " + std::to_string(up));
        // No card can bust hard 11 or less, so standing there only gives up value.
        for (int total = 4; total <= 11; ++total) {
            EXPECT_NE(optimal().play(hard(total), up), Action::Stand) << "hard " << total;
            EXPECT_NE(optimal().opening(hard(total), up), Action::Stand) << "hard " << total;
        }
        for (int total = 17; total <= kBlackjack; ++total) {
            EXPECT_EQ(optimal().play(hard(total), up), Action::Stand) << "hard " << total;
            EXPECT_EQ(optimal().opening(hard(total), up), Action::Stand) << "hard " << total;
        }
        EXPECT_EQ(optimal().play(soft(kBlackjack), up), Action::Stand);
    }
    for (int up = 2; up <= 9; ++up) {
        EXPECT_TRUE(optimal().splits(8, up)) << "8s against " << up;
        EXPECT_TRUE(optimal().splits(kAce, up)) << "aces against " << up;
    }
    EXPECT_EQ(optimal().opening(hard(11), 6), Action::Double);
    // Doubles exist only where the table allows them.
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int total = 2; total <= kBlackjack; ++total) {
            if (total < kLowestDouble || total > kHighestDouble) {
                EXPECT_NE(optimal().opening(hard(total), up), Action::Double) << total;
            }
            EXPECT_NE(optimal().opening(soft(total), up), Action::Double) << total;
            EXPECT_NE(optimal().play(hard(total), up), Action::Double) << total;
        }
    }
}

// Where the dealer's unchecked natural might change the usual play (11 or 8s against a ten or
// an ace, say), the chart must be what the recursion finds best. No single change of one
// decision may raise the strategy's expected return.
TEST(OptimalStrategy, NoSingleChangeOfDecisionDoesBetter) {
    const double best = infinite::expectedReturn(optimal(), 100);
    constexpr double kTolerance = 1e-12;
    const auto flip = [](Action action) {
        return action == Action::Hit ? Action::Stand : Action::Hit;
    };
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int isSoft = 0; isSoft <= 1; ++isSoft) {
            for (int total = isSoft ? 12 : 4; total <= kBlackjack; ++total) {
                const HandState hand{total, isSoft == 1};
                Strategy changed = optimal();
                changed.setPlay(hand, up, flip(optimal().play(hand, up)));
                EXPECT_LE(infinite::expectedReturn(changed, 100), best + kTolerance)
                    << "play " << total << (isSoft ? " soft" : " hard") << " vs " << up;

                std::vector<Action> openings{Action::Stand, Action::Hit};
                if (!isSoft && total >= kLowestDouble && total <= kHighestDouble) {
                    openings.push_back(Action::Double);
                }
                for (const Action other : openings) {
                    changed = optimal();
                    changed.setOpening(hand, up, other);
                    EXPECT_LE(infinite::expectedReturn(changed, 100), best + kTolerance)
                        << "opening " << total << (isSoft ? " soft" : " hard") << " vs " << up;
                }
            }
        }
        for (int pair = 2; pair <= kAce; ++pair) {
            Strategy changed = optimal();
            changed.setSplit(pair, up, !optimal().splits(pair, up));
            EXPECT_LE(infinite::expectedReturn(changed, 100), best + kTolerance)
                << "split " << pair << " vs " << up;
        }
    }
}

TEST(OptimalStrategy, ReturnsMoreThanTheSimpleStrategiesInBothModels) {
    for (const Strategy& simple : {mimicDealerStrategy(), neverBustStrategy()}) {
        EXPECT_GT(infinite::expectedReturn(optimal(), 100),
                  infinite::expectedReturn(simple, 100) + 0.01);
        EXPECT_GT(singledeck::expectedReturn(optimal(), 100),
                  singledeck::expectedReturn(simple, 100) + 0.01);
    }
}

TEST(SimpleStrategies, HitAndStandWhereTheirNamesSay) {
    const Strategy mimic = mimicDealerStrategy();
    const Strategy cautious = neverBustStrategy();
    for (int up = kLowestUp; up <= kAce; ++up) {
        EXPECT_EQ(mimic.play(hard(16), up), Action::Hit);
        EXPECT_EQ(mimic.play(soft(16), up), Action::Hit);
        EXPECT_EQ(mimic.play(soft(17), up), Action::Stand);
        EXPECT_EQ(mimic.opening(hard(11), up), Action::Hit);
        EXPECT_EQ(cautious.play(hard(11), up), Action::Hit);
        EXPECT_EQ(cautious.play(hard(12), up), Action::Stand);
        EXPECT_EQ(cautious.play(soft(16), up), Action::Hit);
        EXPECT_EQ(cautious.play(soft(17), up), Action::Stand);
        for (int pair = 2; pair <= kAce; ++pair) {
            EXPECT_FALSE(mimic.splits(pair, up));
            EXPECT_FALSE(cautious.splits(pair, up));
        }
    }
}

TEST(StrategyNames, RoundTripAndRejectUnknownNames) {
    for (const StrategyKind kind : {StrategyKind::Optimal, StrategyKind::Basic,
                                    StrategyKind::MimicDealer, StrategyKind::NeverBust}) {
        EXPECT_EQ(strategyFromName(strategyName(kind)), kind);
    }
    EXPECT_FALSE(strategyFromName("Optimal").has_value());
    EXPECT_FALSE(strategyFromName("").has_value());
}

// The models count hands the way the engine does, for every hand and every card.
TEST(HandArithmetic, MatchesTheEngineHand) {
    Card cards[14];
    for (int rank = 1; rank <= 13; ++rank) {
        cards[rank].rank = rank;
    }
    for (int isSoft = 0; isSoft <= 1; ++isSoft) {
        for (int total = isSoft ? 11 : 2; total <= kBlackjack; ++total) {
            for (int rank = 1; rank <= 13; ++rank) {
                Hand hand;
                hand.value = total;
                hand.aces = isSoft;
                hand.addCard(&cards[rank]);
                const HandState model = addCard({total, isSoft == 1}, rankPoints(rank));
                EXPECT_EQ(model.total, hand.value) << total << " + rank " << rank;
                EXPECT_EQ(model.soft, hand.aces > 0) << total << " + rank " << rank;
            }
        }
    }
}

// The row of a chart for `label`, split into its cells.
std::vector<std::string> chartRow(const std::string& chart, const std::string& label) {
    std::istringstream lines(chart);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream cells(line);
        std::string first;
        cells >> first;
        if (first == label) {
            std::vector<std::string> row;
            for (std::string cell; cells >> cell;) {
                row.push_back(cell);
            }
            return row;
        }
    }
    return {};
}

TEST(Chart, ShowsEachDecisionUnderItsUpCard) {
    const std::string chart = formatChart(optimal());
    const std::vector<std::string> eights = chartRow(chart, "8,8");
    ASSERT_EQ(eights.size(), 10u);
    for (int up = 2; up <= 9; ++up) {
        EXPECT_EQ(eights[static_cast<std::size_t>(upIndex(up))], "P") << up;
    }
    const std::vector<std::string> eleven = chartRow(chart, "11");
    ASSERT_EQ(eleven.size(), 10u);
    EXPECT_EQ(eleven[static_cast<std::size_t>(upIndex(6))], "D");
    const std::vector<std::string> seventeen = chartRow(chart, "17");
    EXPECT_EQ(seventeen, std::vector<std::string>(10, "S"));
    // Soft rows are labelled with their cards and total.
    const std::vector<std::string> aceSeven = chartRow(chart, "A,7");
    ASSERT_EQ(aceSeven.size(), 11u);
    EXPECT_EQ(aceSeven[0], "18");
}

}  // namespace
}  // namespace sim

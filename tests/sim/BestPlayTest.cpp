#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sim/BestPlay.h"
#include "sim/Model.h"
#include "solver/DealerOdds.h"
#include "solver/TableSolver.h"

namespace sim {
namespace {

// A shoe holding exactly these cards, by points.
Shoe shoeOf(std::initializer_list<int> points) {
    CardCounts counts{};
    for (const int card : points) {
        ++counts[kindOfPoints(card)];
    }
    return Shoe::of(counts);
}

// Cards by rank (1 the ace, 11 to 13 the jack, queen and king).
RankCounts ranksOf(std::initializer_list<int> ranks) {
    RankCounts counts{};
    for (const int rank : ranks) {
        ++counts[rank];
    }
    return counts;
}

// A full pack less these cards, by rank.
RankCounts packLess(std::initializer_list<int> ranks) {
    RankCounts counts = fullPack();
    for (const int rank : ranks) {
        --counts[rank];
    }
    return counts;
}

bool noValues(const PlayValues& values) {
    return std::isnan(values.stand) && std::isnan(values.hit) && std::isnan(values.doubled) &&
           std::isnan(values.split);
}

// One deck, solved once for the whole file.
RoundValues& oneDeck() {
    static RoundValues values(Shoe::decks(1));
    return values;
}
const CardStrategy& bestTable() {
    static const CardStrategy table = bestStrategy(oneDeck());
    return table;
}

// Worked out by hand, card by card, with so few cards left that every branch can be followed.
TEST(TinyShoe, DealerChancesMatchTheHandCount) {
    const Shoe shoe = shoeOf({10, 10, 10, 6, 5, 5});
    DealerOdds odds(shoe);
    // A 6 up over 10, 10, 5: a 10 in the hole (2/3) makes 16, which draws the other 10 (bust) or
    // the 5 (21) alike; a 5 in the hole (1/3) makes 11 and draws a 10 to 21.
    const DealerOutcome six = odds.outcome(6, shoeOf({10, 10, 5}));
    EXPECT_NEAR(six.finished(21), 2.0 / 3.0, 1e-15);
    EXPECT_NEAR(six.bust(), 1.0 / 3.0, 1e-15);
    // A 10 up over 10, 5, 5: 20 at once (1/3), or 15 drawing the 10 (bust) or a 5 (20) alike.
    const DealerOutcome ten = odds.outcome(10, shoeOf({10, 5, 5}));
    EXPECT_NEAR(ten.finished(20), 2.0 / 3.0, 1e-15);
    EXPECT_NEAR(ten.bust(), 1.0 / 3.0, 1e-15);
    EXPECT_EQ(ten.finished(17) + ten.finished(18) + ten.finished(19) + ten.finished(21), 0.0);
}

TEST(TinyShoe, PlayValuesMatchTheHandCount) {
    // 10,6 against a 10 with 10, 5, 5 left. Standing loses to the dealer's 20 (2/3, above) and
    // wins on a bust: -1/3. Hitting busts on the 10 (1/3) and makes 21 on a 5 (2/3), which beats
    // 20 and the dealer's 15 that draws the last 10: +1/3.
    RoundValues sixteen(shoeOf({10, 10, 10, 6, 5, 5}));
    const PlayValues stiff = sixteen.opening(sixteen.hands().of({10, 6}), false, 10);
    EXPECT_NEAR(stiff.stand, -1.0 / 3.0, 1e-15);
    EXPECT_NEAR(stiff.hit, 1.0 / 3.0, 1e-15);
    EXPECT_TRUE(std::isnan(stiff.doubled));
    EXPECT_EQ(stiff.best(), Action::Hit);

    // 6,5 against a 7 with 10, 9, 2 left. The dealer busts only on 9 in the hole and then the 10
    // (1/6), so standing on 11 gives -2/3. A card makes 21 or 20, both winners against the dealer's
    // 18, 17 or 19, or 13 (1/3), which wins or loses alike against 10, 9: doubling gives
    // 2 x (1 + 1 + 0) / 3 = 4/3, hitting half of that.
    RoundValues eleven(shoeOf({6, 5, 7, 10, 9, 2}));
    const PlayValues play = eleven.opening(eleven.hands().of({6, 5}), false, 7);
    EXPECT_NEAR(play.stand, -2.0 / 3.0, 1e-15);
    EXPECT_NEAR(play.hit, 2.0 / 3.0, 1e-15);
    EXPECT_NEAR(play.doubled, 4.0 / 3.0, 1e-15);
    EXPECT_EQ(play.best(), Action::Double);

    // The same asked as the game asks: the hand, the up card and the cards not seen, by rank.
    TableSolver table;
    const PlayValues asked = table.decide({10, 6}, kKingRank, ranksOf({12, 5, 5}), true);
    EXPECT_NEAR(asked.stand, -1.0 / 3.0, 1e-15);
    EXPECT_NEAR(asked.hit, 1.0 / 3.0, 1e-15);
    const PlayValues opening = table.decide({6, 5}, 7, ranksOf({10, 9, 2}), true);
    EXPECT_NEAR(opening.doubled, 4.0 / 3.0, 1e-15);
    // Later (or on a hand of a split) the same cards may only stand or hit.
    const PlayValues later = table.decide({6, 5}, 7, ranksOf({10, 9, 2}), false);
    EXPECT_EQ(later.stand, opening.stand);
    EXPECT_EQ(later.hit, opening.hit);
    EXPECT_TRUE(std::isnan(later.doubled));
}

// The more decks, the less each dealt card changes the next one's chances: off eight decks the
// recursion must land near the infinite-deck model, a separate computation, and the removal
// effects must shrink about eightfold.
TEST(ManyDecks, EightDecksComeCloseToTheInfiniteDeck) {
    const Shoe eight = Shoe::decks(8);
    DealerOdds odds(eight);
    for (int up = kLowestUp; up <= kAce; ++up) {
        const DealerOutcome shoe = odds.outcome(up, eight.without(kindOfPoints(up)));
        const DealerOutcome infinite = infinite::dealerOutcome(up);
        for (std::size_t end = 0; end < shoe.p.size(); ++end) {
            EXPECT_NEAR(shoe.p[end], infinite.p[end], 0.003) << "up " << up << ", end " << end;
        }
    }

    RoundValues values(eight);
    const Strategy chart = infinite::optimalStrategy();
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int low = kLowestUp; low <= kAce; ++low) {
            for (int high = low; high <= kAce; ++high) {
                const int hand = values.hands().of({low, high});
                const HandState state = values.hands().state(hand);
                if (state.total == kBlackjack) {
                    continue;
                }
                const bool pair = low == high;
                const Action charted =
                    pair && chart.splits(low, up) ? Action::Split : chart.opening(state, up);
                EXPECT_EQ(values.opening(hand, pair, up).best(), charted)
                    << high << "," << low << " against " << up;
            }
        }
    }

    const double infiniteReturn = infinite::expectedReturn(chart, 100);
    const double oneDeckGap = oneDeck().expectedReturn(100) - infiniteReturn;
    const double eightDeckGap = values.expectedReturn(100) - infiniteReturn;
    EXPECT_GT(eightDeckGap, 0.0);
    EXPECT_NEAR(8.0 * eightDeckGap, oneDeckGap, 0.15 * oneDeckGap);
}

// The first decisions where the best play off one deck differs from the infinite-deck chart. The
// count, eleven, and the named cells come from an independent computation; the others complete it.
TEST(BestPlay, DiffersFromTheInfiniteDeckChartInElevenFirstDecisions) {
    struct Cell {
        int high, low, up;
        Action best;
    };
    const std::vector<Cell> expected = {
        {10, 2, 4, Action::Hit},   {7, 2, 2, Action::Double}, {6, 6, 2, Action::Split},
        {10, 2, 6, Action::Hit},   {10, 3, 2, Action::Hit},   {8, 4, 3, Action::Stand},
        {7, 5, 3, Action::Stand},  {7, 7, 10, Action::Stand}, {6, 3, 2, Action::Double},
        {5, 4, 2, Action::Double}, {2, 2, 3, Action::Split},
    };
    const Strategy chart = infinite::optimalStrategy();
    std::vector<std::string> differing;
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int low = kLowestUp; low <= kAce; ++low) {
            for (int high = low; high <= kAce; ++high) {
                const int hand = oneDeck().hands().of({low, high});
                const HandState state = oneDeck().hands().state(hand);
                const bool pair = low == high;
                const Action best = oneDeck().opening(hand, pair, up).best();
                const Action charted =
                    pair && chart.splits(low, up) ? Action::Split : chart.opening(state, up);
                if (state.total != kBlackjack && best != charted) {
                    differing.push_back(std::to_string(high) + "," + std::to_string(low) + " v " +
                                        std::to_string(up));
                }
            }
        }
    }
    EXPECT_EQ(differing.size(), expected.size()) << ::testing::PrintToString(differing);
    for (const Cell& cell : expected) {
        const int hand = oneDeck().hands().of({cell.low, cell.high});
        EXPECT_EQ(oneDeck().opening(hand, cell.low == cell.high, cell.up).best(), cell.best)
            << cell.high << "," << cell.low << " v " << cell.up;
    }
    // 9,3 makes the same 12 as 10,2 but stands against a 4, as the chart says.
    EXPECT_EQ(oneDeck().opening(oneDeck().hands().of({9, 3}), false, 4).best(), Action::Stand);
}

TEST(BestPlay, TheTableReturnsWhatTheRecursionFoundAndBeatsTheChart) {
    const double best = oneDeck().expectedReturn(100);
    RoundValues byTable(Shoe::decks(1), &bestTable());
    EXPECT_NEAR(byTable.expectedReturn(100), best, 1e-12);
    // Independently computed: the best play earns about 0.04% more than the infinite-deck chart
    // off a full deck.
    const double chart = singledeck::expectedReturn(infinite::optimalStrategy(), 100);
    EXPECT_NEAR(best - chart, 0.0004, 0.0001);
}

// A split valued as twice one hand alone is exact for a player who plays each hand on its own
// cards, and only slightly below what counting the first hand's cards for the second would give.
TEST(BestPlay, SplitsAsTwoHandsAloneAreExactAndNearlyTheBest) {
    const int cells[][2] = {{8, 10}, {2, 3}, {6, 2}, {7, 7}, {9, 9}};
    for (const auto& [pair, up] : cells) {
        const SplitValues split = compareSplit(oneDeck(), bestTable(), pair, up);
        EXPECT_NEAR(split.secondByTable, split.twiceAlone, 1e-12) << pair << "s v " << up;
        const double gain = split.secondKnowingFirst - split.twiceAlone;
        EXPECT_GE(gain, -1e-12) << pair << "s v " << up;
        EXPECT_LT(gain, 0.002) << pair << "s v " << up;
    }
}

// The game's questions, asked of TableSolver off the cards not seen, come out as the simulator's
// own figures off a full deck, to the bit.
TEST(TableSolver, AnswersAsTheSimulatorOffAFullPack) {
    struct Cell {
        int first, second, up;  // ranks
    };
    const std::vector<Cell> cells = {
        {10, 2, 6}, {10, 6, 10}, {2, 2, 2}, {8, 8, 10}, {1, 1, 1},  {5, 6, 1},
        {9, 9, 7},  {13, 13, 6}, {4, 3, 5}, {1, 7, 9},  {12, 4, 3}, {7, 7, 10},
    };
    TableSolver table;
    for (const Cell& cell : cells) {
        const int a = rankPoints(cell.first);
        const int b = rankPoints(cell.second);
        const PlayValues asked = table.decide({cell.first, cell.second}, cell.up,
                                              packLess({cell.first, cell.second, cell.up}), true);
        const PlayValues known = oneDeck().opening(oneDeck().hands().of({a, b}),
                                                   cell.first == cell.second, rankPoints(cell.up));
        for (const Action action : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
            const double value = known.of(action);
            EXPECT_EQ(std::isnan(asked.of(action)), std::isnan(value));
            if (!std::isnan(value)) {
                EXPECT_EQ(asked.of(action), value)
                    << cell.first << "," << cell.second << " v " << cell.up;
            }
        }
    }
    // The chart's own deviation: 10,2 hits a 6, if only just.
    const PlayValues twelve = table.decide({10, 2}, 6, packLess({10, 2, 6}), true);
    EXPECT_NEAR(twelve.hit, -0.15944, 5e-6);
    EXPECT_NEAR(twelve.stand, -0.16038, 5e-6);
    EXPECT_EQ(twelve.best(), Action::Hit);

    // A hand of a split of kings, the other king in the other hand and seen.
    const PlayValues splitHand =
        table.decide({kKingRank, 5}, 6, packLess({kKingRank, kKingRank, 5, 6}), false);
    const PlayValues known = oneDeck().later(10, oneDeck().hands().of({10, 5}), 6);
    EXPECT_EQ(splitHand.stand, known.stand);
    EXPECT_EQ(splitHand.hit, known.hit);

    const double fullDeck = table.nextRound(fullPack(), 100);
    EXPECT_EQ(fullDeck, oneDeck().expectedReturn(100));
    EXPECT_NEAR(fullDeck, -0.00259, 5e-6);
    // Below 15 cards the pack is gathered and shuffled before the deal.
    EXPECT_EQ(table.nextRound(ranksOf({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1, 1}), 100),
              fullDeck);
}

TEST(TableSolver, APairIsTwoCardsOfOneRank) {
    TableSolver table;
    const PlayValues kings = table.decide({13, 13}, 6, packLess({13, 13, 6}), true);
    const PlayValues kingQueen = table.decide({13, 12}, 6, packLess({13, 12, 6}), true);
    EXPECT_FALSE(std::isnan(kings.split));
    EXPECT_TRUE(std::isnan(kingQueen.split));
    // Otherwise the two are the same 20 off the same cards by points.
    EXPECT_EQ(kings.stand, kingQueen.stand);
    EXPECT_EQ(kings.hit, kingQueen.hit);

    // Aces, fives, sixes and four tens: splitting two kings against a 5 beats standing on 20, so
    // a deck whose tens are all kings is worth more than one with a ten of each rank, which never
    // deals a pair of tens. Where splitting tens never pays, the two come to the same.
    const RankCounts allKings = ranksOf({1, 1, 1, 1, 5, 5, 5, 5, 6, 6, 6, 6, 13, 13, 13, 13});
    const RankCounts mixedTens = ranksOf({1, 1, 1, 1, 5, 5, 5, 5, 6, 6, 6, 6, 10, 11, 12, 13});
    RankCounts afterKings = allKings;
    afterKings[13] -= 2;
    afterKings[5] -= 1;
    const PlayValues split = table.decide({13, 13}, 5, afterKings, true);
    EXPECT_GT(split.split, split.stand);
    EXPECT_GT(table.nextRound(allKings, 100) - table.nextRound(mixedTens, 100), 0.001);
    const RankCounts lowKings = ranksOf({4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 13, 13, 13, 13});
    const RankCounts lowMixed = ranksOf({4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 10, 11, 12, 13});
    EXPECT_NEAR(table.nextRound(lowKings, 100), table.nextRound(lowMixed, 100), 1e-15);
}

TEST(TableSolver, StepsComeToTheSameValueAsAllAtOnce) {
    // Two of each rank but the 7s and 8s: 22 cards, with no memory shared between the two ways.
    RankCounts half{};
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        half[rank] = rank == 7 || rank == 8 ? 0 : 2;
    }
    TableSolver atOnce;
    const double expected = atOnce.nextRound(half, 25);
    ASSERT_FALSE(std::isnan(expected));

    TableSolver stepped;
    // A question begun and left unfinished is simply replaced by the next one.
    stepped.beginNextRound(fullPack(), 100);
    EXPECT_FALSE(stepped.step());
    stepped.beginNextRound(half, 25);
    int steps = 1;
    while (!stepped.step()) {
        ++steps;
        ASSERT_LT(steps, 10'000);
    }
    EXPECT_EQ(stepped.nextRoundValue(), expected);
    EXPECT_GT(steps, 13);  // the dealer's draws for each up card, the hands, the sums by rank
    // A natural at 25 pays 37 dollars: a smaller stake than 100 is paid a little less.
    EXPECT_LT(expected, atOnce.nextRound(half, 100));
    EXPECT_TRUE(stepped.step());  // done stays done
}

// Questions no table can ask get NaN for every value, never a crash.
TEST(TableSolver, BadQuestionsGetNoValues) {
    struct Question {
        std::vector<int> hand;
        int up;
        RankCounts unseen;
        bool opening;
        const char* what;
    };
    RankCounts negative = packLess({10, 6, 9});
    negative[4] = -1;
    const std::vector<Question> questions = {
        {{10, 6}, 9, packLess({10, 6}), true, "the up card still unseen: a fifth 9"},
        {{1, 6}, 1, packLess({1, 6}), true, "the hand and the up card still unseen: five aces"},
        {{0, 6}, 9, packLess({6, 9}), true, "no rank 0"},
        {{14, 6}, 9, packLess({6, 9}), true, "no rank 14"},
        {{10, 6}, 0, packLess({10, 6}), true, "no up card"},
        {{10, 6}, 9, negative, true, "a negative count"},
        {{10}, 9, packLess({10, 9}), false, "one card"},
        {{10, 2, 3}, 9, packLess({10, 2, 3, 9}), true, "three cards on the opening"},
        {{10, 6, 8}, 9, packLess({10, 6, 8, 9}), false, "a bust hand"},
        {{1, 13}, 9, packLess({1, 13, 9}), true, "a natural, which plays itself"},
        {{10, 6}, 9, RankCounts{}, false, "no hole card"},
    };
    TableSolver table;
    for (const Question& question : questions) {
        EXPECT_TRUE(
            noValues(table.decide(question.hand, question.up, question.unseen, question.opening)))
            << question.what;
    }
    RankCounts fiveAces = fullPack();
    fiveAces[1] = 5;
    EXPECT_TRUE(std::isnan(table.nextRound(fiveAces, 100)));
    EXPECT_TRUE(std::isnan(table.nextRound(fullPack(), 0)));
    table.beginNextRound(fiveAces, 100);
    EXPECT_TRUE(table.step());
    EXPECT_TRUE(std::isnan(table.nextRoundValue()));
    // And the solver still answers good questions after bad ones.
    EXPECT_FALSE(noValues(table.decide({10, 6}, 9, packLess({10, 6, 9}), true)));
}

}  // namespace
}  // namespace sim

// The coach without a screen: the values of the plays off the cards the player has not seen
// (the simulator's own figures, cases worked by hand, the hole card as unseen as any other, a
// fresh pack after the reshuffle), and the session ledger over whole seeded sessions.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "coach/Coach.h"
#include "rules/Game.h"
#include "support/StackedDeck.h"

namespace {

using solver::Action;

constexpr double kNotAllowed = std::numeric_limits<double>::quiet_NaN();

// The engine and the coach as the table joins them: the coach hears of the deal, of each play
// before it is made and of the settlement, and looks at the table with all the time it needs.
struct CoachedTable {
    explicit CoachedTable(bool threaded = NextRoundWorker::kThreads) : coach(threaded) {}

    Game game{nullptr};
    Coach coach;
    bool inRound = false;

    bool doubleOpen() const { return game.canDouble() && game.getWallet() >= game.getBet(); }
    bool splitOpen() const { return game.canSplit() && game.getWallet() >= game.getBet(); }

    // With `unhurried` the coach finishes the next round's value (and the ledger's) before it
    // returns; without, it works out only the decision in play.
    void look(int pendingBet = 0, bool unhurried = true) {
        coach.update(game, inRound, pendingBet, doubleOpen(), splitOpen(), Coach::Clock::now());
        if (unhurried) {
            coach.finishWork();
        }
    }
    // A frame of the table's, which gives the coach `share` from now (none when below zero).
    void frame(int pendingBet, Coach::Clock::duration share) {
        coach.update(game, inRound, pendingBet, doubleOpen(), splitOpen(),
                     Coach::Clock::now() + share);
    }
    void deal(int bet) {
        coach.dealing(game, bet);
        game.placeBet(bet);
        game.startRound();
        inRound = true;
        settleIfOver();
    }
    void play(Action action) {
        coach.playing(game, action, doubleOpen(), splitOpen());
        switch (action) {
            case Action::Stand:
                game.stand();
                break;
            case Action::Hit:
                game.hit();
                break;
            case Action::Double:
                game.doubleDown();
                break;
            case Action::Split:
                game.split();
                break;
        }
        settleIfOver();
    }
    void settleIfOver() {
        if (inRound && game.isRoundOver()) {
            inRound = false;
            coach.settled(game);
        }
    }
    // Deals `cards` on top of the rest of the pack (or alone) and looks at the first decision.
    const solver::PlayValues& dealStacked(const std::string& cards, bool restBelow = true) {
        stackDeck(*game.deck, cards, restBelow);
        deal(100);
        look(0, false);
        return coach.decision.values;
    }
};

void expectSameValue(double got, double expected, const std::string& what) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(got)) << what << ": " << got << ", expected not allowed";
    } else {
        EXPECT_NEAR(got, expected, 1e-12) << what;
    }
}

// blackjack-sim --print-strategy: the two-card hands whose best play differs from the row of
// their total, with the values of both plays per initial stake, off a full deck less the hand and
// the up card. At the table the hole card is one more card the player has not seen.
struct Figure {
    const char* deal;  // player, up card, player, hole card
    Action play;
    double percent;
};
const Figure kSimulatorFigures[] = {
    {"TS 4H 2C 9D", Action::Hit, -19.396},   {"TS 4H 2C 9D", Action::Stand, -21.184},
    {"TS 6H 2C 9D", Action::Hit, -15.944},   {"TS 6H 2C 9D", Action::Stand, -16.038},
    {"8S 3H 4C 9D", Action::Stand, -22.021}, {"8S 3H 4C 9D", Action::Hit, -22.975},
    {"7S 3H 5C 9D", Action::Stand, -21.234}, {"7S 3H 5C 9D", Action::Hit, -22.195},
    {"TS 2H 3C 9D", Action::Hit, -30.421},   {"TS 2H 3C 9D", Action::Stand, -31.239},
    {"7S TH 7C 9D", Action::Stand, -54.976}, {"7S TH 7C 9D", Action::Hit, -55.059},
};

TEST(CoachValues, FirstDecisionOffAFullDeckIsTheSimulatorsFigure) {
    for (const Figure& figure : kSimulatorFigures) {
        CoachedTable table;
        const solver::PlayValues& values = table.dealStacked(figure.deal);
        ASSERT_TRUE(table.coach.decision.inPlay) << figure.deal;
        EXPECT_NEAR(100.0 * values.of(figure.play), figure.percent, 0.0005 + 1e-9)
            << figure.deal << " play " << static_cast<int>(figure.play);
    }
}

// Fifteen cards, the fewest a deal starts from: the round's four, then eleven tens, so that every
// card the player has not seen is worth ten and each play's end is certain.
struct HandWorked {
    const char* deal;
    double stand, hit, doubled, split;
    Action best;
};
const HandWorked kHandWorked[] = {
    // 11 against a 9: standing loses to 19, a hit makes 21 and wins, a double wins twice.
    {"5S 9H 6C TD", -1.0, 1.0, 2.0, kNotAllowed, Action::Double},
    // 8,8 against a 9: 16 loses standing or busts hitting; split, each 18 loses to 19.
    {"8S 9H 8C TD", -1.0, -1.0, kNotAllowed, -2.0, Action::Stand},
    // 12 against a 10: the dealer makes 20, a hit busts.
    {"9S TH 3C TD", -1.0, -1.0, kNotAllowed, kNotAllowed, Action::Stand},
};
const char* const kElevenTens = "JS JH JD JC QS QH QD QC KS KH KD";

TEST(CoachValues, ADeckOfTensWorkedByHand) {
    for (const HandWorked& worked : kHandWorked) {
        CoachedTable table;
        const std::string cards = std::string(worked.deal) + " " + kElevenTens;
        const solver::PlayValues& values = table.dealStacked(cards, false);
        ASSERT_EQ(table.game.deck->size(), 11) << worked.deal;
        expectSameValue(values.stand, worked.stand, std::string(worked.deal) + " stand");
        expectSameValue(values.hit, worked.hit, std::string(worked.deal) + " hit");
        expectSameValue(values.doubled, worked.doubled, std::string(worked.deal) + " double");
        expectSameValue(values.split, worked.split, std::string(worked.deal) + " split");
        EXPECT_EQ(table.coach.decision.best, worked.best) << worked.deal;
        EXPECT_EQ(table.coach.decision.stake, 100);
    }
}

TEST(CoachValues, TheHoleCardIsUnseenLikeAnyOther) {
    // The same table but for the hole card, swapped with a card deeper in the deck.
    CoachedTable nine;
    CoachedTable four;
    const solver::PlayValues a = nine.dealStacked("TS 6H 2C 9D KS");
    const solver::PlayValues b = four.dealStacked("TS 6H 2C 4C KS");
    EXPECT_EQ(Coach::unseen(nine.game), Coach::unseen(four.game));
    for (const Action play : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
        expectSameValue(a.of(play), b.of(play), "play " + std::to_string(static_cast<int>(play)));
    }
    // Once turned over, the hole card is seen (and the king the dealer's 15 draws).
    nine.play(Action::Stand);
    EXPECT_EQ(Coach::unseen(nine.game)[9], 4 - 1);
    EXPECT_EQ(Coach::unseen(nine.game)[13], 4 - 1);
}

TEST(CoachValues, UnseenIsThePackLessEveryCardTurnedUp) {
    CoachedTable table;
    table.dealStacked("TS 6H 2C 9D 5H KS");
    solver::RankCounts expected = solver::fullPack();
    for (const int rank : {10, 6, 2}) {
        --expected[rank];
    }
    EXPECT_EQ(Coach::unseen(table.game), expected);
    // A hit takes the 5; standing on 17 turns the 9 over, and the dealer's 15 draws the king.
    table.play(Action::Hit);
    --expected[5];
    EXPECT_EQ(Coach::unseen(table.game), expected);
    table.play(Action::Stand);
    --expected[9];
    --expected[13];
    EXPECT_EQ(Coach::unseen(table.game), expected);
}

TEST(CoachValues, NextRoundOffAFullPackIsTheSimulatorsFigure) {
    CoachedTable table;
    table.look(100);
    ASSERT_TRUE(table.coach.next.ready);
    EXPECT_FALSE(table.coach.next.freshDeck);
    // blackjack-sim: "computed, best play off a full deck -0.259%" at a bet of 100.
    EXPECT_NEAR(100.0 * table.coach.next.perStake, -0.259, 0.0005);
    // Without a bet the value is the same share of an even stake.
    table.look(0);
    EXPECT_NEAR(100.0 * table.coach.next.perStake, -0.259, 0.0005);
    // A 5 stake loses half a dollar of each natural's 7.50 to the rounding down.
    table.look(5);
    EXPECT_LT(table.coach.next.perStake, -0.0026);
}

TEST(CoachValues, AfterTheReshuffleTheValuesAreAFullPacks) {
    CoachedTable table;
    // Fourteen cards left: the next deal gathers the pack first.
    stackDeck(*table.game.deck, "2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS AS 2H", false);
    table.look(100);
    ASSERT_TRUE(table.coach.next.ready);
    EXPECT_TRUE(table.coach.next.freshDeck);
    EXPECT_NEAR(100.0 * table.coach.next.perStake, -0.259, 0.0005);

    table.game.deck->seed(5u);
    table.deal(100);
    while (!table.inRound) {
        table.deal(100);
    }
    table.look(0, false);
    ASSERT_EQ(table.game.deck->size(), Deck::kSize - 4);
    const std::vector<int> hand{table.game.player.cards[0]->rank, table.game.player.cards[1]->rank};
    const int up = table.game.dealer.cards[0]->rank;
    solver::RankCounts unseen = solver::fullPack();
    --unseen[hand[0]];
    --unseen[hand[1]];
    --unseen[up];
    solver::TableSolver fresh;
    const solver::PlayValues expected = fresh.decide(hand, up, unseen, true);
    for (const Action play : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
        expectSameValue(table.coach.decision.values.of(play), expected.of(play), "fresh");
    }
}

// Plays `rounds` rounds at `bet` off a seeded deck, each play chosen by `choose`.
template <typename Choose>
void playSession(CoachedTable& table, int rounds, int bet, std::uint32_t seed, Choose choose) {
    // The pack in its own order first: a shuffle starts from the order the cards are in, and the
    // engine shuffled them at random when it was made.
    stackDeck(*table.game.deck, "");
    table.game.deck->seed(seed);
    table.game.deck->shuffle();
    for (int i = 0; i < rounds && table.game.getWallet() >= 2 * bet; ++i) {
        table.look(bet);
        table.deal(bet);
        while (table.inRound) {
            table.look();
            table.play(choose(table));
        }
    }
    table.coach.finishWork();
}

TEST(CoachLedger, PlayedAtTheCoachsBestDecisionsCostNothingAndLuckAveragesZero) {
    CoachedTable table;
    int doubles = 0;
    int splits = 0;
    playSession(table, 100, 10, 31u, [&](const CoachedTable& t) {
        const Action best = t.coach.decision.best;
        doubles += best == Action::Double ? 1 : 0;
        splits += best == Action::Split ? 1 : 0;
        return best;
    });
    const SessionLedger& ledger = table.coach.ledger;
    ASSERT_EQ(ledger.played(), 100);
    ASSERT_TRUE(ledger.valued());
    EXPECT_GT(doubles, 4);
    EXPECT_GT(splits, 0);
    EXPECT_GT(ledger.blackjacks, 2);
    EXPECT_EQ(ledger.decisionCents(), 0);

    double sum = 0.0;
    double squares = 0.0;
    for (const SessionLedger::Round& round : ledger.rounds) {
        EXPECT_EQ(round.decisionCost, 0.0);
        const double luck = SessionLedger::luckOf(round) / round.stake;
        sum += luck;
        squares += luck * luck;
    }
    const double n = ledger.rounds.size();
    const double mean = sum / n;
    const double spread = std::sqrt((squares - n * mean * mean) / (n - 1));
    // A round's luck spreads about a stake either way; its mean stays within three standard
    // errors of zero, where a wrong value at the deal would make it drift.
    EXPECT_GT(spread, 0.8);
    EXPECT_LT(std::fabs(mean), 3.0 * spread / std::sqrt(n))
        << "mean luck " << mean << " of the stake over " << n << " rounds";
}

TEST(CoachLedger, RandomPlaysSplitTheNetIntoPartsThatAddUpToTheCent) {
    CoachedTable table;
    std::mt19937 random(17u);
    const int walletBefore = table.game.getWallet();
    playSession(table, 60, 15, 99u, [&](const CoachedTable& t) {
        std::vector<Action> open{Action::Stand, Action::Hit};
        if (t.doubleOpen()) {
            open.push_back(Action::Double);
        }
        if (t.splitOpen()) {
            open.push_back(Action::Split);
        }
        return open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(random)];
    });
    const SessionLedger& ledger = table.coach.ledger;
    ASSERT_TRUE(ledger.valued());
    EXPECT_GT(ledger.played(), 40);
    EXPECT_EQ(ledger.won + ledger.lost + ledger.pushed, ledger.played());
    EXPECT_EQ(ledger.net, table.game.getWallet() - walletBefore);
    EXPECT_LT(ledger.decisionCents(), -100 * ledger.played()) << "random plays cost more";
    EXPECT_EQ(ledger.edgeCents() + ledger.decisionCents() + ledger.luckCents(), ledger.netCents());
    // The last round's cost, as the table shows it after the round, is that round's own.
    EXPECT_DOUBLE_EQ(table.coach.lastRound.cost, ledger.rounds.back().decisionCost);
}

// The ledger's arithmetic on rounds written out by hand.
TEST(CoachLedger, RoundsByHand) {
    SessionLedger ledger;
    const int first = ledger.open(100);
    ledger.value(first, -0.005);
    ledger.addDecisionCost(first, 12.345);
    ledger.close(first, -200, false);
    const int second = ledger.open(10);
    ledger.close(second, 15, true);
    EXPECT_FALSE(ledger.valued()) << "the second round's value is still to come";
    ledger.value(second, 0.0149);
    const int dropped = ledger.open(50);
    ledger.addDecisionCost(dropped, 7.0);
    ledger.drop(dropped);

    EXPECT_TRUE(ledger.valued());
    EXPECT_EQ(ledger.played(), 2);
    EXPECT_EQ(ledger.won, 1);
    EXPECT_EQ(ledger.lost, 1);
    EXPECT_EQ(ledger.blackjacks, 1);
    EXPECT_EQ(ledger.netCents(), -18500);
    EXPECT_EQ(ledger.edgeCents(), -35);        // -0.50 + 0.149 = -0.351
    EXPECT_EQ(ledger.decisionCents(), -1235);  // 12.345, rounded once
    EXPECT_EQ(ledger.luckCents(), -18500 + 35 + 1235);
}

// ---- The values as the frames alone bring them ----

// How the frames share their time with the coach: on the desktop its thread works apart from
// them; in the page it takes slices of the table's 3 ms (more while a value is awaited), or of
// frames whose share went elsewhere before the coach's work began (one slice each).
struct FrameShare {
    const char* name;
    bool threaded;
    Coach::Clock::duration share;
};
const FrameShare kFrameShares[] = {
    {"on its thread", true, std::chrono::milliseconds(3)},
    {"in slices of 3 ms", false, std::chrono::milliseconds(3)},
    {"in frames with no time left", false, -std::chrono::milliseconds(1)},
};

// Frames of `share` a millisecond apart until `done`, for at most 60 seconds; whether it came.
template <typename Done>
bool framesUntil(CoachedTable& table, Coach::Clock::duration share, Done done) {
    const auto giveUp = Coach::Clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (Coach::Clock::now() > giveUp) {
            return false;
        }
        table.frame(0, share);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A player in a hurry: builds the bet chip by chip and deals before the next round's value is
// known (each chip replacing the job in hand), and plays at the coach's best. Every round dealt so
// is valued all the same, each with the value of its own deal, as a coach given all the time it
// wants values it; and the ledger stops "working it out" once the frames have brought them.
TEST(CoachFrames, RoundsDealtBeforeTheirValueAreEachValuedByTheFramesAlone) {
    for (const FrameShare& frames : kFrameShares) {
        CoachedTable hurried(frames.threaded);
        CoachedTable unhurried;
        for (CoachedTable* table : {&hurried, &unhurried}) {
            table->game.deck->restock({});
            table->game.deck->seed(7u);
            table->game.deck->shuffle();
        }
        for (int round = 0; round < 6; ++round) {
            for (const int bet : {5, 10, 25}) {
                hurried.frame(bet, frames.share);
            }
            unhurried.look(25);
            for (CoachedTable* table : {&hurried, &unhurried}) {
                table->deal(25);
                while (table->inRound) {
                    table->look(0, false);
                    table->play(table->coach.decision.best);
                }
            }
            hurried.frame(0, frames.share);
        }
        unhurried.look(0);
        const SessionLedger& got = hurried.coach.ledger;
        const SessionLedger& expected = unhurried.coach.ledger;
        ASSERT_EQ(got.played(), 6) << frames.name;
        ASSERT_TRUE(framesUntil(hurried, frames.share,
                                [&] { return got.valued() && hurried.coach.next.ready; }))
            << frames.name << ": " << got.played() << " rounds, still working it out";
        ASSERT_EQ(got.rounds.size(), expected.rounds.size()) << frames.name;
        for (std::size_t i = 0; i < got.rounds.size(); ++i) {
            EXPECT_EQ(got.rounds[i].edge, expected.rounds[i].edge) << frames.name << " round " << i;
        }
        EXPECT_EQ(got.luckCents(), expected.luckCents()) << frames.name;
        EXPECT_EQ(hurried.coach.next.perStake, unhurried.coach.next.perStake) << frames.name;
    }
}

// The coach goes at once, whatever its thread is in the middle of: the thread stops within a step
// of the solver, not at the end of the job (which on this machine is measured first).
TEST(CoachFrames, ACoachGoingStopsItsThreadWithinAStep) {
    const auto timed = [](auto&& what) {
        const auto start = Coach::Clock::now();
        what();
        return Coach::Clock::now() - start;
    };
    CoachedTable whole(true);
    const auto job = timed([&] { whole.look(100); });
    ASSERT_TRUE(whole.coach.next.ready);

    auto going = std::make_unique<CoachedTable>(true);
    going->frame(100, std::chrono::milliseconds(3));
    std::this_thread::sleep_for(job / 10);
    EXPECT_LT(timed([&] { going.reset(); }), job / 2)
        << "the whole next round took " << std::chrono::duration<double, std::milli>(job).count()
        << " ms";
}

}  // namespace

// ---- The rounds kept ----

// A kept decision's values worked out afresh from what the record holds alone, as
// blackjack-sim --check-history does: the pack less the seen cards, the hand and the up card.
solver::PlayValues valuesFromRecord(const RoundRecord::Decision& kept) {
    solver::RankCounts unseen = solver::fullPack();
    for (const int rank : kept.seen) {
        --unseen[rank];
    }
    for (const int rank : kept.cards) {
        --unseen[rank];
    }
    --unseen[kept.up];
    solver::TableSolver fresh;
    return fresh.decide(kept.cards, kept.up, unseen, !kept.split && kept.cards.size() == 2);
}

TEST(CoachKeeping, EveryRoundIsKeptWithDecisionsThatTheirOwnCardsConfirm) {
    CoachedTable table;
    table.coach.keep(true);
    std::mt19937 random(5u);
    const int walletBefore = table.game.getWallet();
    // Every pair is split, so both hands of a split are kept too; the rest at random.
    playSession(table, 40, 10, 11u, [&](const CoachedTable& t) {
        if (t.splitOpen()) {
            return Action::Split;
        }
        std::vector<Action> open{Action::Stand, Action::Hit};
        if (t.doubleOpen()) {
            open.push_back(Action::Double);
        }
        return open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(random)];
    });
    EXPECT_FALSE(table.coach.keptWaiting());
    const std::vector<RoundRecord> kept = table.coach.takeKept();
    const SessionLedger& ledger = table.coach.ledger;
    ASSERT_EQ(static_cast<int>(kept.size()), ledger.played());
    EXPECT_TRUE(table.coach.takeKept().empty()) << "each record is handed over once";

    int net = 0;
    int decisions = 0;
    int splits = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const RoundRecord& round = kept[i];
        const SessionLedger::Round& ledgerRound = ledger.rounds[i];
        EXPECT_EQ(round.bet, 10);
        EXPECT_EQ(round.net, ledgerRound.net);
        EXPECT_DOUBLE_EQ(round.edge, ledgerRound.edge);
        EXPECT_EQ(round.dealer.size(), round.dealerSuits.size());
        EXPECT_GE(round.dealer.size(), 2u);
        int handsNet = 0;
        for (const RoundRecord::HandRecord& hand : round.hands) {
            EXPECT_EQ(hand.cards.size(), hand.suits.size());
            handsNet += hand.result;
        }
        EXPECT_EQ(handsNet, round.net) << "round " << i << ": " << round.text;
        splits += round.hands.size() == 2 ? 1 : 0;
        double cost = 0.0;
        for (const RoundRecord::Decision& made : round.decisions) {
            ++decisions;
            const solver::PlayValues fresh = valuesFromRecord(made);
            for (const Action play : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
                if (!std::isnan(made.values.of(play))) {
                    EXPECT_NEAR(made.values.of(play), fresh.of(play), 1e-12);
                }
            }
            EXPECT_FALSE(std::isnan(made.values.of(made.chosen))) << "the play made was live";
            EXPECT_GE(made.values.of(made.best), made.values.of(made.chosen));
            EXPECT_NEAR(made.cost,
                        (made.values.of(made.best) - made.values.of(made.chosen)) * round.bet,
                        1e-9);
            EXPECT_EQ(made.split, round.hands.size() == 2 && made.chosen != Action::Split);
            cost += made.cost;
        }
        EXPECT_NEAR(cost, ledgerRound.decisionCost, 1e-9);
        net += round.net;
        EXPECT_EQ(round.wallet, walletBefore + net);
    }
    EXPECT_EQ(net, table.game.getWallet() - walletBefore);
    EXPECT_GT(decisions, 40);
    EXPECT_GT(splits, 0) << "40 rounds dealt no pair";
}

// A split round by hand: the second hand's decision sees the first hand's cards, and each hand
// keeps its own stake and result.
TEST(CoachKeeping, ASplitRoundKeepsBothHandsAndWhatEachDecisionSaw) {
    CoachedTable table;
    table.coach.keep(true);
    // Player 8, 8 against a dealer's 10 (hole 7); the split hands are dealt a 3 and a 10; the
    // first hits to 19 with an 8, the second stands on 18, and the dealer stands on 17.
    stackDeck(*table.game.deck, "8S TH 8D 7C 3C TS 8H");
    table.deal(20);
    table.look(0, false);
    table.play(Action::Split);
    table.look(0, false);
    table.play(Action::Hit);  // 8 3 8: 19
    table.look(0, false);
    table.play(Action::Stand);
    table.look(0, false);
    table.play(Action::Stand);  // 8 10: 18
    table.coach.finishWork();
    const std::vector<RoundRecord> kept = table.coach.takeKept();
    ASSERT_EQ(kept.size(), 1u);
    const RoundRecord& round = kept[0];
    ASSERT_EQ(round.hands.size(), 2u);
    EXPECT_EQ(round.hands[0].cards, (std::vector<int>{8, 3, 8}));
    EXPECT_EQ(round.hands[0].suits, "SCH");
    EXPECT_EQ(round.hands[1].cards, (std::vector<int>{8, 10}));
    EXPECT_EQ(round.dealer, (std::vector<int>{10, 7}));
    EXPECT_EQ(round.dealerSuits, "HC");
    EXPECT_EQ(round.hands[0].stake, 20);
    EXPECT_EQ(round.hands[0].result, 20);  // 19 against 17
    EXPECT_EQ(round.hands[1].result, 20);  // 18 against 17
    EXPECT_EQ(round.net, 40);
    EXPECT_EQ(round.wallet, kStartingWallet + 40);
    ASSERT_EQ(round.decisions.size(), 4u);
    const RoundRecord::Decision& first = round.decisions[0];
    EXPECT_EQ(first.chosen, Action::Split);
    EXPECT_FALSE(first.split);
    EXPECT_EQ(first.cards, (std::vector<int>{8, 8}));
    EXPECT_TRUE(first.seen.empty()) << "the hole card lies face down";
    EXPECT_FALSE(std::isnan(first.values.split));
    const RoundRecord::Decision& last = round.decisions[3];
    EXPECT_EQ(last.hand, 1);
    EXPECT_TRUE(last.split);
    EXPECT_EQ(last.cards, (std::vector<int>{8, 10}));
    EXPECT_EQ(last.seen, (std::vector<int>{3, 8, 8})) << "the first hand, face up";
    EXPECT_TRUE(std::isnan(last.values.doubled));
    EXPECT_TRUE(std::isnan(last.values.split));
}

// Off, nothing is written down, and what was waiting is dropped.
TEST(CoachKeeping, OffKeepsNothing) {
    CoachedTable table;
    stackDeck(*table.game.deck, "TS 9H 8D 7C");
    table.deal(10);
    table.look(0, false);
    table.play(Action::Stand);
    table.coach.finishWork();
    EXPECT_TRUE(table.coach.takeKept().empty());

    table.coach.keep(true);
    stackDeck(*table.game.deck, "TS 9H 8D 7C");
    table.deal(10);
    table.look(0, false);
    table.play(Action::Stand);
    table.coach.keep(false);
    table.coach.finishWork();
    EXPECT_TRUE(table.coach.takeKept().empty());
}

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "history/HistoryLine.h"
#include "support/HistoryRounds.h"

namespace {

using solver::Action;

void expectSameValue(double kept, double read, const char* what) {
    if (std::isnan(kept)) {
        EXPECT_TRUE(std::isnan(read)) << what << " was not live and must read back as not live";
    } else {
        EXPECT_NEAR(kept, read, 1e-12) << what;
    }
}

void expectSameRound(const RoundRecord& a, const RoundRecord& b) {
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.session, b.session);
    EXPECT_EQ(a.bet, b.bet);
    EXPECT_EQ(a.dealer, b.dealer);
    EXPECT_EQ(a.dealerSuits, b.dealerSuits);
    ASSERT_EQ(a.hands.size(), b.hands.size());
    for (std::size_t i = 0; i < a.hands.size(); ++i) {
        EXPECT_EQ(a.hands[i].cards, b.hands[i].cards);
        EXPECT_EQ(a.hands[i].suits, b.hands[i].suits);
        EXPECT_EQ(a.hands[i].stake, b.hands[i].stake);
        EXPECT_EQ(a.hands[i].result, b.hands[i].result);
    }
    EXPECT_EQ(a.net, b.net);
    expectSameValue(a.edge, b.edge, "edge");
    EXPECT_EQ(a.blackjack, b.blackjack);
    EXPECT_EQ(a.wallet, b.wallet);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.drill, b.drill);
    ASSERT_EQ(a.decisions.size(), b.decisions.size());
    for (std::size_t i = 0; i < a.decisions.size(); ++i) {
        const RoundRecord::Decision& x = a.decisions[i];
        const RoundRecord::Decision& y = b.decisions[i];
        EXPECT_EQ(x.hand, y.hand);
        EXPECT_EQ(x.split, y.split);
        EXPECT_EQ(x.cards, y.cards);
        EXPECT_EQ(x.up, y.up);
        EXPECT_EQ(x.seen, y.seen);
        for (const Action play : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
            expectSameValue(x.values.of(play), y.values.of(play), playName(play));
        }
        EXPECT_EQ(x.chosen, y.chosen);
        EXPECT_EQ(x.best, y.best);
        expectSameValue(x.cost, y.cost, "cost");
        EXPECT_EQ(x.hasPackBest, y.hasPackBest);
        EXPECT_EQ(x.packBest, y.packBest);
    }
}

RoundRecord readBack(const std::string& line) {
    RoundRecord round;
    std::string why;
    EXPECT_TRUE(parseHistoryLine(line, round, why)) << why << "\n" << line;
    return round;
}

TEST(HistoryLine, SplitRoundAndDrillReadBackAsWritten) {
    RoundRecord split = fullRound();
    // The opening decision on 8,8 had all four plays; the split hands stand and hit only.
    ASSERT_FALSE(std::isnan(split.decisions[0].values.split));
    ASSERT_TRUE(std::isnan(split.decisions[1].values.doubled));
    const std::string line = historyLine(split);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find(R"("dealer":["A","6","Q"])"), std::string::npos) << line;
    EXPECT_EQ(line.find("drill"), std::string::npos) << "only a drill says it is one";
    expectSameRound(split, readBack(line));

    RoundRecord doubled = historyRound(2, 10, 20, 0.05);
    doubled.hands[0] = {{5, 6, 10}, "HHS", 20, 20};
    doubled.decisions = {solvedDecision({5, 6}, 10, {}, false, Action::Double, 10)};
    expectSameRound(doubled, readBack(historyLine(doubled)));

    RoundRecord drill = historyRound(
        3, 100, 0, 0.0, {solvedDecision({10, 6}, 10, {4, 4}, false, Action::Stand, 100)});
    drill.dealer.clear();
    drill.dealerSuits.clear();
    drill.hands.clear();
    drill.drill = true;
    drill.decisions[0].hasPackBest = true;
    drill.decisions[0].packBest = Action::Hit;
    const std::string drillLine = historyLine(drill);
    EXPECT_NE(drillLine.find(R"("drill":true)"), std::string::npos);
    EXPECT_NE(drillLine.find(R"("packBest":"hit")"), std::string::npos) << drillLine;
    EXPECT_EQ(line.find("packBest"), std::string::npos) << "only a drill's decision tells it";
    expectSameRound(drill, readBack(drillLine));
    std::string bad = drillLine;
    bad.replace(bad.find(R"("packBest":"hit")"), 16, R"("packBest":"run")");
    RoundRecord refused;
    std::string why;
    EXPECT_FALSE(parseHistoryLine(bad, refused, why)) << "a pack's best that is no play";
}

TEST(HistoryLine, ReadsWhatAnotherWriterMayWrite) {
    const std::string good = historyLine(fullRound());
    struct Case {
        const char* from;
        const char* to;
    };
    // Fields a later game adds, spacing, escapes this game does not write itself.
    const Case cases[] = {
        {R"({"v":1,)", R"({"later":{"a":[1,2.5e-3,null,false]},"v":1,)"},
        {R"("v":1,)", " \"v\" : 1 ,\t"},
        {R"("time":"2026-12-09T01:32:00Z")", R"("time":"2026\u002d12\/09\ud83c\udca1")"},
    };
    for (const Case& c : cases) {
        std::string line = good;
        line.replace(line.find(c.from), std::string(c.from).size(), c.to);
        RoundRecord round;
        std::string why;
        ASSERT_TRUE(parseHistoryLine(line + " \r", round, why)) << why << "\n" << line;
        EXPECT_EQ(round.wallet, 1234);
    }
    RoundRecord round;
    std::string why;
    std::string line = good;
    const char* time = R"("time":"2026-12-09T01:32:00Z")";
    line.replace(line.find(time), std::string(time).size(), cases[2].to);
    ASSERT_TRUE(parseHistoryLine(line, round, why));
    EXPECT_EQ(round.time, "2026-12/09\xF0\x9F\x82\xA1");
}

TEST(HistoryLine, RefusesWhatIsNoKeptRound) {
    const std::string good = historyLine(fullRound());
    struct Case {
        const char* from;  // in the good line; empty: the whole line
        const char* to;
        const char* why;
    };
    const Case cases[] = {
        {R"("v":1)", R"("v":2)", "not 1"},
        {R"("v":1,)", "", "no \"v\""},
        {R"("bet":50)", R"("bet":-50)", "\"bet\" is out of range"},
        {R"("bet":50)", R"("bet":"50")", "wrong type"},
        {R"("bet":50)", R"("bet":50.5)", "not a whole number"},
        {R"("stake":100)", R"("stake":-1)", "\"stake\""},
        {R"("dealer":["A")", R"("dealer":["1")", "not one"},
        {R"("dealer":["A")", R"("dealer":["a")", "not one"},
        {R"("dealerSuits":"SHD")", R"("dealerSuits":"SHX")", "no suit"},
        {R"("dealerSuits":"SHD")", R"("dealerSuits":"SH")", "one letter a card"},
        {R"("chosen":"split")", R"("chosen":"surrender")", "not a play"},
        {R"("best":")", R"("best":1,"x":")", "wrong type"},
        {R"("hand":0)", R"("hand":2)", "out of range"},
        {R"("up":"6")", R"("up":6)", "not one"},
        {R"("hands":[)", R"("hands":[1,)", "hand is not an object"},
        {R"("values":{"stand":)", R"("values":{"stand":"0.5","y":)", "not a number"},
        {R"("net":50)", R"("net":1e999)", "too large"},
        {R"("net":50)", R"("net":050)", "no ',' or '}'"},
        {R"("net":50)", R"("net":50,"net":50)", "twice"},
        {R"("text":")", R"("text":"\x)", "unknown escape"},
        {R"("text":")", R"("text":"\ud800x)", "surrogate"},
        {R"("text":")", "\"text\":\"\x01", "control character"},
        {R"("wallet")", R"(wallet)", "no field name"},
    };
    for (const Case& c : cases) {
        std::string line = good;
        const std::size_t at = line.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        line.replace(at, std::string(c.from).size(), c.to);
        RoundRecord round;
        std::string why;
        EXPECT_FALSE(parseHistoryLine(line, round, why)) << line;
        EXPECT_NE(why.find(c.why), std::string::npos) << "why: " << why << "; expected " << c.why;
    }
    // Whole lines that are not one round's object.
    for (const std::string& line : {std::string(), good + "x", good + good, "[" + good + "]",
                                    std::string("null"), std::string(20000, '['), good + ","}) {
        RoundRecord round;
        std::string why;
        EXPECT_FALSE(parseHistoryLine(line, round, why)) << line.substr(0, 80);
        EXPECT_FALSE(why.empty());
    }
}

TEST(HistoryLine, CutOrGarbledLinesNeverReadAndNeverHang) {
    const std::string good = historyLine(fullRound());
    for (std::size_t length = 0; length < good.size(); ++length) {
        RoundRecord round;
        std::string why;
        EXPECT_FALSE(parseHistoryLine(good.substr(0, length), round, why)) << length;
        EXPECT_FALSE(why.empty()) << length;
    }
    std::mt19937 random(23);
    std::uniform_int_distribution<int> byte(0, 255);
    // What JSON is made of, and two bytes it never holds bare.
    const std::string pieces = "{}[]\",:0123456789.-+eE\\utrfalsn \x01\xff";
    int stillRead = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string line = good;
        if (i % 2 == 0) {
            // One byte of a good line changed.
            line[random() % line.size()] = static_cast<char>(byte(random));
        } else {
            line.assign(random() % 200, '\0');
            for (char& c : line) {
                c = pieces[random() % pieces.size()];
            }
        }
        RoundRecord round;
        std::string why;
        if (parseHistoryLine(line, round, why)) {
            // Whatever still reads is a round, and writes out as one.
            ++stillRead;
            RoundRecord again;
            EXPECT_TRUE(parseHistoryLine(historyLine(round), again, why)) << why;
        } else {
            EXPECT_FALSE(why.empty()) << line;
        }
    }
    EXPECT_GT(stillRead, 0) << "some one-byte changes (a digit) still make a round";
}

}  // namespace

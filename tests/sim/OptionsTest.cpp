#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/Options.h"
#include "sim/Report.h"

namespace sim {
namespace {

TEST(Options, DefaultsWithoutArguments) {
    const ParsedOptions parsed = parseOptions({});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.options.rounds, 1'000'000u);
    EXPECT_EQ(parsed.options.bet, 100);
    EXPECT_EQ(parsed.options.strategy, StrategyKind::Optimal);
    EXPECT_FALSE(parsed.options.seedGiven);
    EXPECT_EQ(parsed.options.threads, 0u);
    EXPECT_FALSE(parsed.options.printStrategy);
    EXPECT_FALSE(parsed.options.freshDeckEachRound);
    EXPECT_TRUE(parsed.options.decide.empty());
    EXPECT_FALSE(parsed.options.nextRound);
}

TEST(Options, ReadsEveryOptionInBothSpellings) {
    const ParsedOptions parsed =
        parseOptions({"--rounds", "10000000", "--bet=25", "--strategy", "never-bust", "--seed=0",
                      "--threads", "3", "--fresh-deck", "--print-strategy"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.options.rounds, 10'000'000u);
    EXPECT_EQ(parsed.options.bet, 25);
    EXPECT_EQ(parsed.options.strategy, StrategyKind::NeverBust);
    EXPECT_TRUE(parsed.options.seedGiven);
    EXPECT_EQ(parsed.options.seed, 0u);
    EXPECT_EQ(parsed.options.threads, 3u);
    EXPECT_TRUE(parsed.options.freshDeckEachRound);
    EXPECT_TRUE(parsed.options.printStrategy);

    EXPECT_EQ(parseOptions({"--seed", "18446744073709551615"}).options.seed, UINT64_MAX);
    EXPECT_EQ(parseOptions({"--strategy=mimic-dealer"}).options.strategy,
              StrategyKind::MimicDealer);
    EXPECT_EQ(parseOptions({"--strategy", "basic"}).options.strategy, StrategyKind::Basic);

    const Options question =
        parseOptions({"--decide", "10,K", "--up=a", "--seen", "5,5,3,q,J,2"}).options;
    EXPECT_EQ(question.decide, (std::vector<int>{10, 13}));
    EXPECT_EQ(question.up, 1);
    EXPECT_EQ(question.seen, (std::vector<int>{5, 5, 3, 12, 11, 2}));
    EXPECT_TRUE(parseOptions({"--next-round", "--seen=A,A,A,A"}).options.nextRound);

    const Options career = parseOptions({"--career=history.jsonl", "--csv"}).options;
    EXPECT_EQ(career.career, "history.jsonl");
    EXPECT_TRUE(career.csv);
    EXPECT_EQ(parseOptions({"--check-history", "h.jsonl"}).options.checkHistory, "h.jsonl");
}

// The answers as blackjack-sim prints them: each play the rules allow, then the best.
TEST(Options, AnswersAQuestionLineByLine) {
    const auto answer = [](const std::vector<std::string>& args) {
        const ParsedOptions parsed = parseOptions(args);
        return parsed.ok() ? answerQuestion(parsed.options) : parsed.error;
    };
    EXPECT_EQ(answer({"--decide", "10,2", "--up", "6"}),
              "stand -16.038%\nhit -15.944%\nbest hit\n");
    EXPECT_EQ(answer({"--decide", "5,6", "--up", "7"}),
              "stand -48.894%\nhit +29.737%\ndouble +50.053%\nbest double\n");
    const std::string kings = answer({"--decide", "K,K", "--up", "6"});
    EXPECT_NE(kings.find("\nsplit "), std::string::npos) << kings;
    EXPECT_EQ(answer({"--decide", "K,Q", "--up", "6"}).find("split"), std::string::npos);
    // The cards seen change the values: with three 5s and a king gone, 16 stands against a 10.
    EXPECT_EQ(answer({"--decide", "10,6", "--up", "10", "--seen", "5,5,3,K"}),
              "stand -60.004%\nhit -61.002%\nbest stand\n");
}

TEST(Options, RejectsBadValuesNamingTheOption) {
    const std::vector<std::vector<std::string>> bad = {
        {"--rounds", "abc"},
        {"--rounds", "0"},
        {"--rounds", "-5"},
        {"--rounds", "10x"},
        {"--rounds", "1e6"},
        {"--rounds", ""},
        {"--rounds", "99999999999999999999999"},
        {"--bet", "0"},
        {"--bet", "-100"},
        {"--bet", "2000000"},
        {"--threads", "0"},
        {"--threads", "two"},
        {"--seed", "-1"},
        {"--strategy", "random"},
        {"--rounds"},
        {"--strategy"},
        {"--seed"},
        {"--decide", "10,X", "--up", "6"},
        {"--decide", "10,,6", "--up", "6"},
        {"--decide", "1,6", "--up", "6"},
        {"--decide", "10,6,2", "--up", "6"},
        {"--decide", "10", "--up", "6"},
        {"--decide", "10,6"},
        {"--decide", "A,K", "--up", "6"},
        {"--decide", "A,A", "--up", "A", "--seen", "A,A"},
        {"--decide", "10,6", "--up", "6", "--next-round"},
        {"--up", "11", "--decide", "10,6"},
        {"--up", "6"},
        {"--seen", "2,3"},
        {"--seen", "Q,Q,Q,Q,Q", "--next-round"},
        {"--seen", "", "--next-round"},
        {"--csv"},
        {"--check-history"},
        {"--career", ""},
        {"--career", "history.jsonl", "--check-history", "history.jsonl"},
        {"--check-history", "history.jsonl", "--decide", "10,6", "--up", "6"},
    };
    for (const auto& args : bad) {
        const ParsedOptions parsed = parseOptions(args);
        EXPECT_FALSE(parsed.ok()) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_NE(parsed.error.find(args[0]), std::string::npos) << parsed.error;
    }
    EXPECT_FALSE(parseOptions({"--frobnicate"}).ok());
    EXPECT_FALSE(parseOptions({"100"}).ok());
    EXPECT_FALSE(parseOptions({"--print-strategy=yes"}).ok());
    EXPECT_FALSE(parseOptions({"--next-round=yes"}).ok());

    // A pack of 52 less the hand, the up card and 49 cards seen leaves nothing for the hole card.
    std::string everything;
    for (int rank = 1; rank <= 13; ++rank) {
        for (int copy = rank == 10 || rank == 6 || rank == 7 ? 1 : 0; copy < 4; ++copy) {
            everything += (everything.empty() ? "" : ",") + rankName(rank);
        }
    }
    const ParsedOptions noHole =
        parseOptions({"--decide", "10,6", "--up", "7", "--seen", everything});
    EXPECT_NE(noHole.error.find("hole card"), std::string::npos) << noHole.error;
}

// What a bar has written to `out` so far.
std::string written(std::FILE* out) {
    std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(text.data(), 1, text.size(), out));
    return text;
}

TEST(Progress, DrawsOnlyWhenEnabledAndAfterASecondAndClearsItself) {
    EXPECT_NE(progressLine(500, 1000, 80).find(" 50%"), std::string::npos);
    EXPECT_NE(progressLine(1000, 1000, 80).find("100%"), std::string::npos);

    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    const auto eighty = [] { return 80; };
    ProgressBar quiet(out, false, 1000, eighty);
    quiet.update(500, 5.0);
    quiet.finish();
    ProgressBar bar(out, true, 1000, eighty);
    bar.update(100, 0.5);
    EXPECT_EQ(std::ftell(out), 0L);
    bar.update(500, 1.5);
    const std::string drawn = written(out);
    ASSERT_FALSE(drawn.empty());
    bar.finish();
    // A carriage return, blanks over the whole bar, and back to the start of the line.
    const std::string cleared = written(out).substr(drawn.size());
    EXPECT_EQ(cleared, "\r" + std::string(drawn.size() - 1, ' ') + "\r");
    std::fclose(out);
}

// Writing in a terminal's last column wraps the line on some terminals, so every line leaves it
// free; the narrower the terminal, the less it shows, the percentage longest.
TEST(Progress, FitsEveryTerminalWidth) {
    for (int columns = 1; columns <= 120; ++columns) {
        const std::string line = progressLine(123'456'789, 987'654'321, columns);
        ASSERT_EQ(line[0], '\r');
        EXPECT_LE(static_cast<int>(line.size()) - 1, columns - 1) << columns << " columns";
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (columns >= 5) {
            EXPECT_NE(line.find(" 12%"), std::string::npos) << columns << " columns: " << line;
        }
    }
    EXPECT_NE(progressLine(123'456'789, 987'654'321, 80).find("[###"), std::string::npos);
    EXPECT_NE(progressLine(123'456'789, 987'654'321, 80).find("123,456,789 / 987,654,321"),
              std::string::npos);
    EXPECT_NE(progressLine(123'456'789, 987'654'321, 24).find("[#."), std::string::npos);

    // A terminal that narrows between two draws: the shorter line blanks what is left of the
    // longer one, but not past the new width.
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    int columns = 80;
    ProgressBar bar(out, true, 1000, [&columns] { return columns; });
    bar.update(500, 1.5);
    const std::size_t wide = written(out).size();
    columns = 30;
    bar.update(600, 1.6);
    const std::string narrow = written(out).substr(wide);
    EXPECT_EQ(narrow.size() - 1, 29u) << narrow;
    std::fclose(out);
}

}  // namespace
}  // namespace sim

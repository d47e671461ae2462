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
    };
    for (const auto& args : bad) {
        const ParsedOptions parsed = parseOptions(args);
        EXPECT_FALSE(parsed.ok()) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_NE(parsed.error.find(args[0]), std::string::npos) << parsed.error;
    }
    EXPECT_FALSE(parseOptions({"--frobnicate"}).ok());
    EXPECT_FALSE(parseOptions({"100"}).ok());
    EXPECT_FALSE(parseOptions({"--print-strategy=yes"}).ok());
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

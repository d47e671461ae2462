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

TEST(Progress, DrawsOnlyWhenEnabledAndAfterASecond) {
    EXPECT_NE(progressLine(500, 1000).find(" 50%"), std::string::npos);
    EXPECT_NE(progressLine(1000, 1000).find("100%"), std::string::npos);

    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ProgressBar quiet(out, false, 1000);
    quiet.update(500, 5.0);
    quiet.finish();
    ProgressBar bar(out, true, 1000);
    bar.update(100, 0.5);
    EXPECT_EQ(std::ftell(out), 0L);
    bar.update(500, 1.5);
    EXPECT_GT(std::ftell(out), 0L);
}

}  // namespace
}  // namespace sim

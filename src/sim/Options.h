#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/Strategy.h"

namespace sim {

constexpr std::uint64_t kMaxRounds = 1'000'000'000'000;
constexpr int kMaxBet = 1'000'000;
constexpr unsigned kMaxThreads = 256;

struct Options {
    std::uint64_t rounds = 1'000'000;
    int bet = 100;
    StrategyKind strategy = StrategyKind::Optimal;
    std::uint64_t seed = 0;
    bool seedGiven = false;
    unsigned threads = 0;  // 0: one per core
    bool printStrategy = false;
    bool freshDeckEachRound = false;
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line was understood

    bool ok() const { return error.empty(); }
};

// Reads the command line (without the program name). Both "--rounds 5" and "--rounds=5" work.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usage();

}  // namespace sim

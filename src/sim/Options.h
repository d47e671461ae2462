#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/Card.h"
#include "sim/Strategy.h"
#include "solver/RankCounts.h"

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
    // --decide HAND --up CARD: the values of the plays open on a two-card hand (ranks 1 to 13)
    // against the dealer's up card; --next-round: the value of the round about to be dealt. Both
    // off a pack less the cards in them and the cards `seen`.
    std::vector<int> decide;
    int up = 0;
    bool nextRound = false;
    std::vector<int> seen;
    // --check-history FILE: every decision kept in a history file valued again; --career FILE:
    // the file's rounds added up, or with --csv listed for a spreadsheet.
    std::string checkHistory;
    std::string career;
    bool csv = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line was understood

    bool ok() const { return error.empty(); }
};

// Reads the command line (without the program name). Both "--rounds 5" and "--rounds=5" work.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string usage();

// A card's rank is written on the command line as rankName (rules/Card.h) writes it.

// The pack less the cards of the question: --decide, --up and --seen. A rank asked for more than
// a pack holds counts below zero.
solver::RankCounts unseenCards(const Options& options);

}  // namespace sim

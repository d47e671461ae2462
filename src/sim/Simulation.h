#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "sim/Strategy.h"
#include "solver/CardStrategy.h"

class Game;

namespace sim {

// What a run of rounds came to. Counts are of rounds unless they say otherwise.
struct Tally {
    std::uint64_t rounds = 0;
    std::uint64_t wins = 0;    // the round's net was positive
    std::uint64_t pushes = 0;  // the round's net was zero
    std::uint64_t losses = 0;  // the round's net was negative
    std::uint64_t naturals = 0;
    std::uint64_t playerBusts = 0;  // rounds in which a player hand went over 21
    std::uint64_t dealerBusts = 0;
    std::uint64_t doubles = 0;
    std::uint64_t splits = 0;
    std::int64_t net = 0;         // dollars won (negative: lost)
    std::uint64_t wagered = 0;    // dollars staked, doubles and splits included
    double squaredReturns = 0.0;  // sum over rounds of (net / stake) squared

    void add(const Tally& other);
};

// The player's mean net per unit of the initial stake, with its 95% confidence interval.
struct Estimate {
    double mean = 0.0;
    double halfWidth = 0.0;  // the interval is mean +- halfWidth

    double low() const { return mean - halfWidth; }
    double high() const { return mean + halfWidth; }
    bool covers(double value) const { return value >= low() && value <= high(); }
};

Estimate estimateReturn(const Tally& tally, int bet);

// Plays rounds on one engine with a flat stake, the way a player following `strategy` would at
// the table, and counts what happens.
class RoundPlayer {
public:
    RoundPlayer(const CardStrategy& strategy, int bet, bool freshDeckEachRound);

    // Plays one round from the betting state and adds it to `tally`. The wallet is set before the
    // stake is placed so that it always covers a double or a split and never runs out.
    void play(Game& game, Tally& tally) const;

private:
    const CardStrategy& strategy_;
    int bet_;
    bool freshDeck_;
};

struct SimulationConfig {
    std::uint64_t rounds = 1'000'000;
    int bet = 100;
    CardStrategy strategy;
    std::uint64_t seed = 0;
    unsigned threads = 1;
    // Gather and shuffle the whole deck before every round instead of only below
    // kReshuffleBelow cards.
    bool freshDeckEachRound = false;
};

struct SimulationResult {
    Tally tally;
    double seconds = 0.0;
};

// Rounds thread `index` of `threads` plays: an even share, the first `rounds % threads` threads
// one more.
std::uint64_t roundsForThread(std::uint64_t rounds, unsigned threads, unsigned index);

// Plays the rounds of thread `index` on an engine of its own whose deck is seeded from the run's
// seed and the thread index. `done`, when given, is raised as rounds are played.
Tally simulateShare(const SimulationConfig& config, unsigned index,
                    std::atomic<std::uint64_t>* done = nullptr);

// Plays every round on `config.threads` threads, one engine each, and adds their tallies in
// thread order, so a seed and a thread count always give the same tally. `progress`, when given,
// is called from the calling thread about ten times a second with the rounds played so far.
SimulationResult simulate(const SimulationConfig& config,
                          const std::function<void(std::uint64_t)>& progress = {});

}  // namespace sim

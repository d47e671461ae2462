// The exact solver as the game asks it: one decision's values off the cards not seen, the next
// round's value at once and in steps, and making the solver. Run with --benchmark_filter to pick
// one.

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <vector>

#include "solver/TableSolver.h"

namespace {

using solver::RankCounts;
using solver::TableSolver;

RankCounts packLess(std::initializer_list<int> ranks) {
    RankCounts unseen = solver::fullPack();
    for (const int rank : ranks) {
        --unseen[rank];
    }
    return unseen;
}

// 20 cards late in a pack: two of each rank but the 7s, 8s and 9s, less a king and a queen.
RankCounts lateInThePack() {
    RankCounts unseen{};
    for (int rank = 1; rank <= 13; ++rank) {
        unseen[rank] = rank >= 7 && rank <= 9 ? 0 : 2;
    }
    unseen[12] = 1;
    unseen[13] = 1;
    return unseen;
}

void construction(benchmark::State& state) {
    for (auto _ : state) {
        TableSolver table;
        benchmark::DoNotOptimize(&table);
    }
}
BENCHMARK(construction)->Unit(benchmark::kMillisecond);

// Each iteration makes a solver first, outside the timing, so a few dozen are enough.
constexpr int kFreshSolvers = 40;

// One decision asked of a solver that has answered nothing yet (its dealer's draws listed, no
// outcome remembered): the time a frame waits for the values the first time a hand is shown.
void decideFresh(benchmark::State& state, const std::vector<int>& hand, int up,
                 const RankCounts& unseen) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<TableSolver>();
        // Lists the dealer's draws for every up card: 16 stands at once.
        for (int rank = 1; rank <= 10; ++rank) {
            table->decide({10, 6}, rank, packLess({10, 6, rank}), false);
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(table->decide(hand, up, unseen, true));
    }
}
BENCHMARK_CAPTURE(decideFresh, pair_of_3s_v_2, std::vector<int>{3, 3}, 2, packLess({3, 3, 2}))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kFreshSolvers);
BENCHMARK_CAPTURE(decideFresh, pair_of_2s_v_2, std::vector<int>{2, 2}, 2, packLess({2, 2, 2}))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kFreshSolvers);
BENCHMARK_CAPTURE(decideFresh, pair_of_2s_v_A, std::vector<int>{2, 2}, 1, packLess({2, 2, 1}))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kFreshSolvers);
BENCHMARK_CAPTURE(decideFresh, hard_12_v_10, std::vector<int>{10, 2}, 10, packLess({10, 2, 10}))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kFreshSolvers);
BENCHMARK_CAPTURE(decideFresh, pair_of_2s_v_2_late, std::vector<int>{2, 2}, 2, lateInThePack())
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kFreshSolvers);

void nextRound(benchmark::State& state, const RankCounts& unseen) {
    for (auto _ : state) {
        TableSolver table;
        benchmark::DoNotOptimize(table.nextRound(unseen, 100));
    }
}
BENCHMARK_CAPTURE(nextRound, full_pack, solver::fullPack())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(nextRound, late_in_the_pack, lateInThePack())->Unit(benchmark::kMillisecond);

// This thread's processor time in milliseconds: on a busy machine the wall clock of one short step
// says more about the other programs than about the step.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The next round in steps: the counters give the steps and the longest of them, in processor
// time and on the wall clock.
void nextRoundInSteps(benchmark::State& state, const RankCounts& unseen) {
    double longest = 0.0;
    double longestWall = 0.0;
    int steps = 0;
    for (auto _ : state) {
        TableSolver table;
        table.beginNextRound(unseen, 100);
        steps = 0;
        bool done = false;
        while (!done) {
            const double start = threadMilliseconds();
            const auto wallStart = std::chrono::steady_clock::now();
            done = table.step();
            const std::chrono::duration<double, std::milli> wall =
                std::chrono::steady_clock::now() - wallStart;
            longest = std::max(longest, threadMilliseconds() - start);
            longestWall = std::max(longestWall, wall.count());
            ++steps;
        }
        benchmark::DoNotOptimize(table.nextRoundValue());
    }
    state.counters["steps"] = steps;
    state.counters["longest_step_cpu_ms"] = longest;
    state.counters["longest_step_wall_ms"] = longestWall;
}
BENCHMARK_CAPTURE(nextRoundInSteps, full_pack, solver::fullPack())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(nextRoundInSteps, late_in_the_pack, lateInThePack())
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

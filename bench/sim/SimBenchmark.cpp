// Rounds per second: one engine played round after round, the whole multi-threaded run, and the
// strategy computations. Run with --benchmark_filter to pick one.

#include <benchmark/benchmark.h>

#include "rules/Game.h"
#include "sim/Model.h"
#include "sim/Plan.h"
#include "sim/Simulation.h"

namespace {

const sim::CardStrategy& optimal() {
    static const sim::CardStrategy strategy = sim::makePlan(sim::StrategyKind::Optimal, 100).table;
    return strategy;
}

// One engine, one thread: the hot path itself.
void roundsOnOneEngine(benchmark::State& state) {
    Game game(nullptr);
    game.deck->seed(1u);
    sim::Tally tally;
    const sim::RoundPlayer player(optimal(), 100, false);
    for (auto _ : state) {
        player.play(game, tally);
    }
    benchmark::DoNotOptimize(tally.net);
    state.SetItemsProcessed(state.iterations());
    state.counters["rounds/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(roundsOnOneEngine);

// A whole run of 2 million rounds on 1, 2, ... threads, wall clock.
void simulation(benchmark::State& state) {
    sim::SimulationConfig config;
    config.rounds = 2'000'000;
    config.strategy = optimal();
    config.seed = 1;
    config.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim::simulate(config).tally.net);
    }
    const double rounds = static_cast<double>(state.iterations()) * config.rounds;
    state.counters["rounds/s"] = benchmark::Counter(rounds, benchmark::Counter::kIsRate);
}
BENCHMARK(simulation)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void optimalStrategy(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim::infinite::optimalStrategy());
    }
}
BENCHMARK(optimalStrategy)->Unit(benchmark::kMicrosecond);

void singleDeckReturn(benchmark::State& state) {
    const sim::Strategy basic = sim::infinite::optimalStrategy();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim::singledeck::expectedReturn(basic, 100));
    }
}
BENCHMARK(singleDeckReturn)->Unit(benchmark::kMillisecond);

// The whole table of best plays off one deck, with its return and its chart.
void bestPlay(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim::makePlan(sim::StrategyKind::Optimal, 100));
    }
}
BENCHMARK(bestPlay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

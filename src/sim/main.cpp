// blackjack-sim: what this table costs a player, computed from its rules and measured on the
// game's own engine.

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim/Options.h"
#include "sim/Report.h"
#include "sim/Simulation.h"

namespace {

// The width of the terminal on `fd`, or 80 when it does not say.
int terminalColumns(int fd) {
    winsize size{};
    if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

}  // namespace

int main(int argc, char** argv) {
    const sim::ParsedOptions parsed =
        sim::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok()) {
        std::fprintf(stderr, "blackjack-sim: %s\nTry 'blackjack-sim --help'.\n",
                     parsed.error.c_str());
        return 2;
    }
    const sim::Options& options = parsed.options;
    if (options.help) {
        std::fputs(sim::usage().c_str(), stdout);
        return 0;
    }

    if (!options.decide.empty() || options.nextRound) {
        std::fputs(sim::answerQuestion(options).c_str(), stdout);
        return 0;
    }

    const sim::Plan plan = sim::makePlan(options.strategy, options.bet);
    if (options.printStrategy) {
        std::fputs(sim::formatStrategy(options, plan).c_str(), stdout);
        return 0;
    }

    sim::SimulationConfig config;
    config.rounds = options.rounds;
    config.bet = options.bet;
    config.strategy = plan.table;
    config.seed = options.seedGiven ? options.seed : std::random_device{}();
    config.threads =
        options.threads != 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    config.freshDeckEachRound = options.freshDeckEachRound;

    sim::ProgressBar bar(stderr, isatty(fileno(stderr)) != 0, config.rounds,
                         [] { return terminalColumns(fileno(stderr)); });
    const auto start = std::chrono::steady_clock::now();
    const sim::SimulationResult result = sim::simulate(config, [&](std::uint64_t done) {
        bar.update(done,
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    });
    bar.finish();
    std::fputs(sim::formatReport(options, config, result, plan.analytic).c_str(), stdout);
    return 0;
}

// blackjack-sim: what this table costs a player, computed from its rules and measured on the
// game's own engine.

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "history/Career.h"
#include "history/HistoryFile.h"
#include "sim/CareerReport.h"
#include "sim/HistoryCheck.h"
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

// --check-history and --career: 0 when done (and every decision agrees), 1 when a decision does
// not, 2 when the file cannot be read at all.
int answerFromHistory(const sim::Options& options) {
    const std::string& path = options.checkHistory.empty() ? options.career : options.checkHistory;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::fprintf(stderr, "blackjack-sim: there is no history file %s\n", path.c_str());
        return 2;
    }
    const HistoryFile file(path);
    HistoryFile::Contents contents;
    std::string why;
    if (!file.inspect(contents, why)) {
        std::fprintf(stderr, "blackjack-sim: %s\n", why.c_str());
        return 2;
    }
    if (!options.checkHistory.empty()) {
        const sim::HistoryCheck check = sim::checkHistory(contents);
        std::fputs(check.report.c_str(), stdout);
        return check.agrees ? 0 : 1;
    }
    // The career leaves out what cannot be read, and says so beside the figures.
    for (const HistoryFile::BadLine& line : contents.bad) {
        std::fprintf(stderr, "blackjack-sim: line %d of %s is left out: %s\n", line.number,
                     path.c_str(), line.why.c_str());
    }
    if (contents.torn) {
        std::fprintf(stderr, "blackjack-sim: the last line of %s is torn and left out: %s\n",
                     path.c_str(), contents.tornLine.why.c_str());
    }
    if (options.csv) {
        std::fputs(sim::formatCareerCsv(contents.rounds).c_str(), stdout);
    } else {
        std::fputs(sim::formatCareer(Career(contents.rounds)).c_str(), stdout);
    }
    return 0;
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

    if (!options.checkHistory.empty() || !options.career.empty()) {
        return answerFromHistory(options);
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

#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "sim/Options.h"
#include "sim/Plan.h"
#include "sim/Simulation.h"

namespace sim {

// 1234567 as "1,234,567".
std::string withSeparators(std::uint64_t value);

// The report of a finished run. Every line but the last depends only on the options, the seed and
// the thread count; the last gives the rounds per second.
std::string formatReport(const Options& options, const SimulationConfig& config,
                         const SimulationResult& result, const Analytic& analytic);

// The chart of the chosen strategy (for optimal, with the two-card hands that play otherwise) and
// what it is expected to return.
std::string formatStrategy(const Options& options, const Plan& plan);

// The answer to --decide or --next-round: each play the rules allow on the hand, one line each,
// then the best; or the next round's value.
std::string answerQuestion(const Options& options);

// A progress bar on a terminal, drawn only once a run has lasted a second. `columns` tells the
// terminal's width each time the bar is drawn, so a resized terminal gets a bar that fits.
class ProgressBar {
public:
    ProgressBar(std::FILE* out, bool enabled, std::uint64_t total, std::function<int()> columns);
    void update(std::uint64_t done, double elapsedSeconds);
    // Erases the bar, if it was drawn.
    void finish();

private:
    std::FILE* out_;
    bool enabled_;
    std::uint64_t total_;
    std::function<int()> columns_;
    std::size_t shownLength_ = 0;  // of the line on screen, 0 when there is none
};

// The bar as one line for a terminal `columns` wide: a carriage return and at most columns - 1
// characters, since writing in the last column makes some terminals wrap. Narrower terminals get
// a shorter bar, then no counts, then the percentage alone.
std::string progressLine(std::uint64_t done, std::uint64_t total, int columns);

}  // namespace sim

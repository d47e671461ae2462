#pragma once

#include <cstdint>
#include <cstdio>
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

// A progress bar on a terminal, drawn only once a run has lasted a second.
class ProgressBar {
public:
    ProgressBar(std::FILE* out, bool enabled, std::uint64_t total);
    void update(std::uint64_t done, double elapsedSeconds);
    // Erases the bar, if it was drawn.
    void finish();

private:
    std::FILE* out_;
    bool enabled_;
    bool shown_ = false;
    std::uint64_t total_;
};

std::string progressLine(std::uint64_t done, std::uint64_t total);

}  // namespace sim

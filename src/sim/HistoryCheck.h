#pragma once

#include <string>

#include "history/HistoryFile.h"

namespace sim {

struct HistoryCheck {
    // One line for each decision that does not agree and each line that cannot be read, then
    // "N of M decisions agree".
    std::string report;
    // Every decision agrees and every line but a torn last one reads.
    bool agrees = true;
};

// Values every decision of the file again as the table does: off a pack less the cards seen, the
// hand and the up card, the unsplit hand's two cards as the opening. Each live value must agree
// to kTolerance, `best` must be the live play worth most (ties to the simpler: stand, hit, double,
// split) and `cost` (best value less chosen value) x bet, 0 at least.
HistoryCheck checkHistory(const HistoryFile::Contents& contents);

constexpr double kTolerance = 1e-9;

}  // namespace sim

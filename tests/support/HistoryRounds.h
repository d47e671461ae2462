#pragma once

// Kept rounds for the history tests: decisions valued by the solver as the table values them,
// and rounds built around them.

#include <string>
#include <vector>

#include "history/RoundRecord.h"

// The decision on `cards` against `up` with `seen` turned face up before it, valued off the pack
// less all of them, every play the solver allows live, and `chosen` made at a stake of `bet`.
RoundRecord::Decision solvedDecision(const std::vector<int>& cards, int up,
                                     const std::vector<int>& seen, bool split,
                                     solver::Action chosen, int bet);

// A round of one hand at `bet` that ended `net`, with an edge and decisions of its own.
RoundRecord historyRound(long long session, int bet, int net, double edge,
                         std::vector<RoundRecord::Decision> decisions = {});

// A round with every field set and unlike its default: split, doubled, with text to escape.
RoundRecord fullRound();

// A scratch file path in the test's own temporary folder, removed first.
std::string scratchFile(const std::string& name);

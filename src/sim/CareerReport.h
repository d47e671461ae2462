#pragma once

#include <string>
#include <vector>

#include "history/Career.h"
#include "history/RoundRecord.h"

namespace sim {

// The career of --career: the whole, then each session, each with its ledger written so that a
// reader can check that it adds up to the net; then the costliest decisions, the decisions by
// kind, and the drills.
std::string formatCareer(const Career& career);

// The rounds (not the drills) as CSV: a header, then one row a round.
std::string formatCareerCsv(const std::vector<RoundRecord>& rounds);

// "-12.34" from -1234 cents.
std::string dollars(std::int64_t cents);

}  // namespace sim

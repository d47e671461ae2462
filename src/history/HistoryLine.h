#pragma once

#include <optional>
#include <string>

#include "history/RoundRecord.h"
#include "rules/Card.h"
#include "solver/Action.h"

// A kept round as one line of history.jsonl: one JSON object, fields named as the file has them
// (v, time, session, bet, dealer, dealerSuits, hands, net, edge, blackjack, wallet, text,
// decisions, and drill on a drill only). Numbers are written so they read back exactly; a play
// that was not live is left out of a decision's values.

// The record as one JSON object, without a newline.
std::string historyLine(const RoundRecord& round);

// Reads one line written by historyLine (fields it does not know are skipped, so a later game's
// lines still read). False, with a short reason in `why`, when it is no JSON object, when a field
// the record needs is missing or of the wrong type, when a card, a suit or a play is not one, when
// a stake or a cost is negative, or when `v` is not 1; `round` is then unspecified.
bool parseHistoryLine(const std::string& line, RoundRecord& round, std::string& why);

// A play as the file writes it: stand, hit, double, split.
const char* playName(solver::Action play);
std::optional<solver::Action> playFromName(const std::string& name);

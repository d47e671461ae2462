#include "sim/HistoryCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "history/HistoryLine.h"
#include "solver/TableSolver.h"

namespace sim {

namespace {

using solver::Action;

constexpr std::array<Action, 4> kPlays{Action::Stand, Action::Hit, Action::Double, Action::Split};

std::string cards(const std::vector<int>& ranks) {
    std::string text;
    for (const int rank : ranks) {
        text += text.empty() ? "" : ",";
        text += rankName(rank);
    }
    return text;
}

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

// The live play worth most of those kept, ties to the simpler; false when none is live.
bool bestOf(const solver::PlayValues& values, Action& best) {
    bool any = false;
    for (const Action play : kPlays) {
        if (!std::isnan(values.of(play)) && (!any || values.of(play) > values.of(best))) {
            best = play;
            any = true;
        }
    }
    return any;
}

// What differs between the decision as kept and as worked out again; empty when nothing does.
std::string differences(const RoundRecord::Decision& d, int bet, solver::TableSolver& solver) {
    solver::RankCounts unseen = solver::fullPack();
    for (const int rank : d.seen) {
        --unseen[rank];
    }
    for (const int rank : d.cards) {
        --unseen[rank];
    }
    --unseen[d.up];
    if (std::any_of(unseen.begin() + 1, unseen.end(), [](int n) { return n < 0; })) {
        return "more cards of a rank than a pack holds";
    }
    const bool opening = !d.split && d.cards.size() == 2;
    const solver::PlayValues worked = solver.decide(d.cards, d.up, unseen, opening);
    std::string out;
    const auto say = [&out](const std::string& what) { out += (out.empty() ? "" : "; ") + what; };
    for (const Action play : kPlays) {
        const double kept = d.values.of(play);
        const double value = worked.of(play);
        if (std::isnan(kept)) {
            continue;
        }
        if (std::isnan(value)) {
            say(std::string(playName(play)) + " is kept as " + number(kept) +
                " but is no play here");
        } else if (std::fabs(kept - value) > kTolerance) {
            say(std::string(playName(play)) + " is kept as " + number(kept) + ", worked out " +
                number(value));
        }
    }
    Action best = Action::Stand;
    if (!bestOf(d.values, best)) {
        say("no play is kept live");
        return out;
    }
    if (d.best != best) {
        say(std::string("best is kept as ") + playName(d.best) + ", the live play worth most is " +
            playName(best));
    }
    if (std::isnan(d.values.of(d.chosen))) {
        say(std::string("the chosen play, ") + playName(d.chosen) + ", is not live");
        return out;
    }
    const double cost = std::max(0.0, d.values.of(best) - d.values.of(d.chosen)) * bet;
    if (std::fabs(cost - d.cost) > kTolerance) {
        say("cost is kept as " + number(d.cost) + ", worked out " + number(cost));
    }
    return out;
}

}  // namespace

HistoryCheck checkHistory(const HistoryFile::Contents& contents) {
    HistoryCheck check;
    solver::TableSolver solver;
    int decisions = 0;
    int agreeing = 0;
    for (const HistoryFile::BadLine& line : contents.bad) {
        check.report +=
            "line " + std::to_string(line.number) + " cannot be read: " + line.why + "\n";
        check.agrees = false;
    }
    for (std::size_t r = 0; r < contents.rounds.size(); ++r) {
        const RoundRecord& round = contents.rounds[r];
        for (std::size_t i = 0; i < round.decisions.size(); ++i) {
            const RoundRecord::Decision& d = round.decisions[i];
            ++decisions;
            const std::string differs = differences(d, round.bet, solver);
            if (differs.empty()) {
                ++agreeing;
                continue;
            }
            check.agrees = false;
            check.report += "line " + std::to_string(contents.lineNumbers[r]) + ", decision " +
                            std::to_string(i + 1) + " (" + cards(d.cards) + " against " +
                            rankName(d.up) + ", " + playName(d.chosen) + "): " + differs + "\n";
        }
    }
    if (contents.torn) {
        check.report += "line " + std::to_string(contents.tornLine.number) +
                        ", the last, is torn (" + contents.tornLine.why +
                        "): the game sets it aside\n";
    }
    check.report +=
        std::to_string(agreeing) + " of " + std::to_string(decisions) + " decisions agree\n";
    return check;
}

}  // namespace sim

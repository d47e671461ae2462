#include "sim/CareerReport.h"

#include <cmath>
#include <cstdio>

#include "history/HistoryLine.h"

namespace sim {

namespace {

std::string cards(const std::vector<int>& ranks, const char* between) {
    std::string text;
    for (const int rank : ranks) {
        text += text.empty() ? "" : between;
        text += rankName(rank);
    }
    return text;
}

std::int64_t cents(double dollarsValue) {
    return std::llround(100.0 * dollarsValue);
}

std::string tally(const std::string& title, const Career::Tally& t) {
    std::string out = title + "\n";
    out += "  rounds " + std::to_string(t.rounds) + ": won " + std::to_string(t.won) + ", lost " +
           std::to_string(t.lost) + ", pushed " + std::to_string(t.pushed) + "; blackjacks " +
           std::to_string(t.blackjacks) + "\n";
    out += "  net " + dollars(100 * t.net) + " = table's edge " + dollars(t.edgeCents) +
           " + decisions " + dollars(t.decisionCents) + " + luck " + dollars(t.luckCents) + "\n";
    return out;
}

// A field for a spreadsheet: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

}  // namespace

std::string dollars(std::int64_t centsValue) {
    const std::int64_t whole = centsValue < 0 ? -centsValue : centsValue;
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", centsValue < 0 ? "-" : "",
                  static_cast<long long>(whole / 100), static_cast<long long>(whole % 100));
    return text;
}

std::string formatCareer(const Career& career) {
    std::string out = tally("the whole file, " + std::to_string(career.sessions.size()) +
                                (career.sessions.size() == 1 ? " session" : " sessions"),
                            career.whole);
    for (const Career::Tally& session : career.sessions) {
        out += tally("session " + std::to_string(session.session), session);
    }
    out += "the costliest decisions\n";
    if (career.costliest.empty()) {
        out += "  none cost anything\n";
    }
    for (std::size_t i = 0; i < career.costliest.size(); ++i) {
        const Career::Costly& c = career.costliest[i];
        char line[160];
        std::snprintf(line, sizeof line,
                      "  %2zu. %s against %s: %s, best %s, cost %s (session %lld", i + 1,
                      cards(c.decision.cards, ",").c_str(), rankName(c.decision.up).c_str(),
                      playName(c.decision.chosen), playName(c.decision.best),
                      dollars(cents(c.decision.cost)).c_str(), c.session);
        out += line;
        out += c.time.empty() ? ")\n" : ", " + c.time + ")\n";
    }
    out += "the decisions by kind\n";
    const std::pair<const char*, const Career::Kind*> kinds[] = {
        {"hard totals", &career.hard}, {"soft totals", &career.soft}, {"pairs", &career.pairs}};
    for (const auto& [name, kind] : kinds) {
        char line[120];
        std::snprintf(line, sizeof line, "  %-12s %6d, cost %s\n", name, kind->count,
                      dollars(cents(kind->cost)).c_str());
        out += line;
    }
    out += "drills: " + std::to_string(career.drills) + " answered, " +
           dollars(cents(career.drillCost)) + " given up\n";
    return out;
}

std::string formatCareerCsv(const std::vector<RoundRecord>& rounds) {
    std::string out = "session,time,bet,net,edge,decisions,luck,wallet,dealer,hands\n";
    for (const RoundRecord& round : rounds) {
        if (round.drill) {
            continue;
        }
        double cost = 0.0;
        for (const RoundRecord::Decision& d : round.decisions) {
            cost += d.cost;
        }
        // Rounded as the ledger is, so that each row's three parts add up to its net.
        const std::int64_t edge = cents(round.edge);
        const std::int64_t decisions = -cents(cost);
        const std::int64_t luck = 100 * static_cast<std::int64_t>(round.net) - edge - decisions;
        std::string hands;
        for (const RoundRecord::HandRecord& hand : round.hands) {
            hands += hands.empty() ? "" : " | ";
            hands += cards(hand.cards, " ");
        }
        out += std::to_string(round.session) + "," + csvField(round.time) + "," +
               std::to_string(round.bet) + "," + std::to_string(round.net) + "," + dollars(edge) +
               "," + dollars(decisions) + "," + dollars(luck) + "," + std::to_string(round.wallet) +
               "," + csvField(cards(round.dealer, " ")) + "," + csvField(hands) + "\n";
    }
    return out;
}

}  // namespace sim

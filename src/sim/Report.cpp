#include "sim/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>

#include "solver/TableSolver.h"

namespace sim {

namespace {

// printf into a std::string.
std::string format(const char* pattern, ...) {
    char buffer[256];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

std::string share(std::uint64_t count, std::uint64_t rounds) {
    return format("%8.3f%%", rounds == 0 ? 0.0 : 100.0 * count / rounds);
}

std::string line(const char* label, const std::string& value) {
    return format("%-40s%s\n", label, value.c_str());
}

std::string percent(double fraction) {
    return format("%+8.3f%%", 100.0 * fraction);
}

// The best play is one of a kind; every other strategy is a chart by total.
const char* fullDeckLabel(StrategyKind kind) {
    return kind == StrategyKind::Optimal ? "  computed, best play off a full deck"
                                         : "  computed, this chart off a full deck";
}
constexpr const char* kInfiniteDeckLabel = "  computed, infinite deck";

std::string computedLine(const char* label, double value, const Estimate& estimate) {
    return line(label, percent(value) + (estimate.covers(value) ? "   inside the interval"
                                                                : "   outside the interval"));
}

const char* playName(Action action) {
    switch (action) {
        case Action::Hit:
            return "hit";
        case Action::Double:
            return "double";
        case Action::Split:
            return "split";
        default:
            return "stand";
    }
}

std::string cardName(int points) {
    return points == kAce ? "A" : std::to_string(points);
}

std::string formatDeviations(const std::vector<Deviation>& deviations) {
    std::string out =
        "\nTwo-card hands whose best play differs from the row of their total, with the\n"
        "expected value of both plays per initial stake:\n\n";
    out += "Hand     Up   Best play            Row's play\n";
    for (const Deviation& d : deviations) {
        const std::string hand = cardName(d.second) + "," + cardName(d.first);
        out += format("%-8s %-4s %-6s %+8.3f%%     %-6s %+8.3f%%\n", hand.c_str(),
                      cardName(d.up).c_str(), playName(d.best), 100.0 * d.bestValue,
                      playName(d.row), 100.0 * d.rowValue);
    }
    out +=
        "\nLater decisions, after a hit and on each hand of a split, are also made on the\n"
        "exact cards; the simulator looks each one up.\n";
    return out;
}

}  // namespace

std::string withSeparators(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::string formatReport(const Options& options, const SimulationConfig& config,
                         const SimulationResult& result, const Analytic& analytic) {
    const Tally& tally = result.tally;
    const Estimate estimate = estimateReturn(tally, config.bet);
    std::string out;
    out += "blackjack-sim: strategy " + std::string(strategyName(options.strategy)) + ", bet " +
           std::to_string(config.bet) + ", seed " + std::to_string(config.seed) + ", " +
           std::to_string(config.threads) + (config.threads == 1 ? " thread" : " threads") +
           (config.freshDeckEachRound ? ", fresh deck every round" : "") + "\n";
    out += line("rounds played", format("%12s", withSeparators(tally.rounds).c_str()));
    out += "player's expected return per unit staked\n";
    out += line("  simulated", percent(estimate.mean) + "   95% CI " + percent(estimate.low()) +
                                   " to " + percent(estimate.high()));
    out += computedLine(fullDeckLabel(options.strategy), analytic.fullDeck, estimate);
    if (analytic.infiniteDeck) {
        out += computedLine(kInfiniteDeckLabel, *analytic.infiniteDeck, estimate);
    }
    if (!config.freshDeckEachRound) {
        out += format(
            "  (computed for the first round off a full deck; the table deals on down to %d\n"
            "   cards, which costs a little more: --fresh-deck plays every round off a full "
            "deck)\n",
            kReshuffleBelow);
    }
    out += line("house edge", percent(-estimate.mean) + "   95% CI " + percent(-estimate.high()) +
                                  " to " + percent(-estimate.low()));
    out += line("wins", share(tally.wins, tally.rounds));
    out += line("pushes", share(tally.pushes, tally.rounds));
    out += line("losses", share(tally.losses, tally.rounds));
    out += line("naturals", share(tally.naturals, tally.rounds));
    out += line("player busts", share(tally.playerBusts, tally.rounds));
    out += line("dealer busts", share(tally.dealerBusts, tally.rounds));
    out += line("doubles", share(tally.doubles, tally.rounds));
    out += line("splits", share(tally.splits, tally.rounds));
    const double staked = tally.rounds == 0 ? 0.0
                                            : static_cast<double>(tally.wagered) /
                                                  static_cast<double>(config.bet) / tally.rounds;
    out += line("staked per round", format("%9.4f bets", staked));
    const double perSecond = result.seconds > 0.0 ? tally.rounds / result.seconds : 0.0;
    out += line("rounds per second",
                format("%12s", withSeparators(static_cast<std::uint64_t>(perSecond)).c_str()));
    return out;
}

std::string formatStrategy(const Options& options, const Plan& plan) {
    std::string out = "Strategy " + std::string(strategyName(options.strategy)) + "\n\n";
    out += formatChart(plan.chart);
    if (options.strategy == StrategyKind::Optimal) {
        out += formatDeviations(plan.deviations);
    }
    out += "\nplayer's expected return per unit staked, bet " + std::to_string(options.bet) + "\n";
    out += line(fullDeckLabel(options.strategy), percent(plan.analytic.fullDeck));
    if (plan.analytic.infiniteDeck) {
        out += line(kInfiniteDeckLabel, percent(*plan.analytic.infiniteDeck));
    }
    return out;
}

std::string answerQuestion(const Options& options) {
    solver::TableSolver solver;
    const solver::RankCounts unseen = unseenCards(options);
    if (options.nextRound) {
        std::string out =
            format("next round %+.3f%%\n", 100.0 * solver.nextRound(unseen, options.bet));
        if (solver::cardsIn(unseen) < kReshuffleBelow) {
            out +=
                format("(fewer than %d cards left: the whole pack is shuffled before the deal)\n",
                       kReshuffleBelow);
        }
        return out;
    }
    const solver::PlayValues values = solver.decide(options.decide, options.up, unseen, true);
    std::string out;
    for (const Action action : {Action::Stand, Action::Hit, Action::Double, Action::Split}) {
        if (!std::isnan(values.of(action))) {
            out += format("%s %+.3f%%\n", playName(action), 100.0 * values.of(action));
        }
    }
    return out + "best " + playName(values.best()) + "\n";
}

ProgressBar::ProgressBar(std::FILE* out, bool enabled, std::uint64_t total,
                         std::function<int()> columns)
    : out_(out), enabled_(enabled), total_(total), columns_(std::move(columns)) {}

void ProgressBar::update(std::uint64_t done, double elapsedSeconds) {
    if (!enabled_ || elapsedSeconds < 1.0) {
        return;
    }
    const int columns = columns_();
    const std::string bar = progressLine(done, total_, columns);
    std::fputs(bar.c_str(), out_);
    // A shorter line than the last (the terminal narrowed) must not leave the old one's end
    // behind, nor reach the last column.
    const int length = static_cast<int>(bar.size()) - 1;
    const int blank = std::min(static_cast<int>(shownLength_), columns - 1) - length;
    if (blank > 0) {
        std::fprintf(out_, "%*s", blank, "");
    }
    std::fflush(out_);
    const int shown = length + std::max(blank, 0);
    shownLength_ = static_cast<std::size_t>(shown);
}

void ProgressBar::finish() {
    if (shownLength_ > 0) {
        const int blank = std::min(static_cast<int>(shownLength_), columns_() - 1);
        std::fprintf(out_, "\r%*s\r", blank, "");
        std::fflush(out_);
        shownLength_ = 0;
    }
}

std::string progressLine(std::uint64_t done, std::uint64_t total, int columns) {
    constexpr int kWidestBar = 30;
    constexpr int kNarrowestBar = 10;
    const int room = columns - 1;
    const double fraction = total == 0 ? 1.0 : std::min(1.0, static_cast<double>(done) / total);
    const std::string share = format("%3d%%", static_cast<int>(fraction * 100));
    const std::string counts = withSeparators(done) + " / " + withSeparators(total) + " rounds";
    // "[", the bar, "] " and the text after it.
    const auto barBefore = [&](const std::string& text) -> std::string {
        const int width = std::min(kWidestBar, room - 3 - static_cast<int>(text.size()));
        if (width < kNarrowestBar) {
            return {};
        }
        const int filled = static_cast<int>(fraction * width);
        return "[" + std::string(static_cast<std::size_t>(filled), '#') +
               std::string(static_cast<std::size_t>(width - filled), '.') + "] " + text;
    };
    std::string withCounts = share;
    withCounts.append("  ").append(counts);
    for (const std::string& text : {withCounts, share}) {
        if (std::string line = barBefore(text); !line.empty()) {
            return "\r" + line;
        }
    }
    return "\r" + (static_cast<int>(share.size()) <= room ? share : std::string());
}

}  // namespace sim

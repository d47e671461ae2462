#include "sim/Report.h"

#include <algorithm>
#include <cstdarg>

#include "sim/Model.h"

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
    return format("%-34s%s\n", label, value.c_str());
}

std::string percent(double fraction) {
    return format("%+8.3f%%", 100.0 * fraction);
}

std::string computedLine(const char* label, double value, const Estimate& estimate) {
    return line(label, percent(value) + (estimate.covers(value) ? "   inside the interval"
                                                                : "   outside the interval"));
}

}  // namespace

Analytic analyticReturn(const Strategy& strategy, int bet) {
    return {infinite::expectedReturn(strategy, bet), singledeck::expectedReturn(strategy, bet)};
}

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
    out += computedLine("  computed, infinite deck", analytic.infiniteDeck, estimate);
    out += computedLine("  computed, full single deck", analytic.freshSingleDeck, estimate);
    if (!config.freshDeckEachRound) {
        out +=
            "  (computed for the first round off a full deck; the table deals on down to 15\n"
            "   cards, which costs a little more: --fresh-deck plays every round off a full "
            "deck)\n";
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

std::string formatStrategy(const Options& options, const Strategy& strategy,
                           const Analytic& analytic) {
    std::string out = "Strategy " + std::string(strategyName(options.strategy)) + "\n\n";
    out += formatChart(strategy);
    out += "\nplayer's expected return per unit staked, bet " + std::to_string(options.bet) + "\n";
    out += line("  computed, infinite deck", percent(analytic.infiniteDeck));
    out += line("  computed, full single deck", percent(analytic.freshSingleDeck));
    return out;
}

ProgressBar::ProgressBar(std::FILE* out, bool enabled, std::uint64_t total)
    : out_(out), enabled_(enabled), total_(total) {}

void ProgressBar::update(std::uint64_t done, double elapsedSeconds) {
    if (!enabled_ || elapsedSeconds < 1.0) {
        return;
    }
    shown_ = true;
    std::fputs(progressLine(done, total_).c_str(), out_);
    std::fflush(out_);
}

void ProgressBar::finish() {
    if (shown_) {
        std::fprintf(out_, "\r%*s\r", 79, "");
        std::fflush(out_);
        shown_ = false;
    }
}

std::string progressLine(std::uint64_t done, std::uint64_t total) {
    constexpr int kWidth = 30;
    const double fraction = total == 0 ? 1.0 : std::min(1.0, static_cast<double>(done) / total);
    const int filled = static_cast<int>(fraction * kWidth);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kWidth - filled), '.');
    return "\r[" + bar + "] " + format("%3d%%", static_cast<int>(fraction * 100)) + "  " +
           withSeparators(done) + " / " + withSeparators(total) + " rounds";
}

}  // namespace sim

#include "sim/Options.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace sim {

namespace {

// A whole number in [low, high] written in plain decimal digits, or nothing.
std::optional<std::uint64_t> parseCount(const std::string& text, std::uint64_t low,
                                        std::uint64_t high) {
    if (text.empty() || text.size() > 20) {
        return std::nullopt;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::string rangeError(const std::string& option, const std::string& value, std::uint64_t low,
                       std::uint64_t high) {
    return option + " expects a whole number from " + std::to_string(low) + " to " +
           std::to_string(high) + ", not '" + value + "'";
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != name.npos) {
            inlineValue = name.substr(equals + 1);
            name.erase(equals);
        }

        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--print-strategy" || name == "--fresh-deck") {
            if (inlineValue) {
                parsed.error = name + " takes no value";
                return parsed;
            }
            (name == "--print-strategy" ? options.printStrategy : options.freshDeckEachRound) =
                true;
            continue;
        }
        if (name != "--rounds" && name != "--bet" && name != "--strategy" && name != "--seed" &&
            name != "--threads") {
            parsed.error = "unknown option '" + args[i] + "'";
            return parsed;
        }
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error = name + " needs a value";
            return parsed;
        }

        if (name == "--rounds") {
            const auto rounds = parseCount(value, 1, kMaxRounds);
            if (!rounds) {
                parsed.error = rangeError(name, value, 1, kMaxRounds);
                return parsed;
            }
            options.rounds = *rounds;
        } else if (name == "--bet") {
            const auto bet = parseCount(value, 1, kMaxBet);
            if (!bet) {
                parsed.error = rangeError(name, value, 1, kMaxBet);
                return parsed;
            }
            options.bet = static_cast<int>(*bet);
        } else if (name == "--threads") {
            const auto threads = parseCount(value, 1, kMaxThreads);
            if (!threads) {
                parsed.error = rangeError(name, value, 1, kMaxThreads);
                return parsed;
            }
            options.threads = static_cast<unsigned>(*threads);
        } else if (name == "--seed") {
            const auto seed = parseCount(value, 0, UINT64_MAX);
            if (!seed) {
                parsed.error = rangeError(name, value, 0, UINT64_MAX);
                return parsed;
            }
            options.seed = *seed;
            options.seedGiven = true;
        } else {
            const auto kind = strategyFromName(value);
            if (!kind) {
                parsed.error =
                    "--strategy expects optimal, basic, mimic-dealer or never-bust, not '" + value +
                    "'";
                return parsed;
            }
            options.strategy = *kind;
        }
    }
    return parsed;
}

std::string usage() {
    return "Usage: blackjack-sim [options]\n"
           "Plays rounds of this table's blackjack on the game's own engine and reports what\n"
           "they cost the player, beside the expected return computed from the rules.\n"
           "\n"
           "  --rounds N        rounds to play (default 1000000)\n"
           "  --bet N           flat stake in dollars (default 100)\n"
           "  --strategy NAME   optimal (default: the best play for the exact cards off a full\n"
           "                    deck), basic (the best chart by total for an infinite deck),\n"
           "                    mimic-dealer or never-bust\n"
           "  --seed S          seed for the shuffles (default: a random one, printed)\n"
           "  --threads T       threads, one engine each (default: one per core)\n"
           "  --fresh-deck      gather and shuffle all 52 cards before every round\n"
           "  --print-strategy  print the strategy's chart and its expected return, and stop\n"
           "  --help            this text\n"
           "\n"
           "The same seed and thread count always give the same figures.\n"
           "Exit status: 0 on success, 2 for a bad command line.\n";
}

}  // namespace sim

#include "sim/Options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "rules/Rules.h"

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

// A rank written A, 2 to 10, J, Q or K (either case), or nothing.
std::optional<int> parseRank(std::string_view text) {
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        const std::string name = rankName(rank);
        if (text.size() == name.size() &&
            std::equal(text.begin(), text.end(), name.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            })) {
            return rank;
        }
    }
    return std::nullopt;
}

// Cards separated by commas, or nothing when one of them is not a rank.
std::optional<std::vector<int>> parseCards(const std::string& text) {
    std::vector<int> cards;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        const auto rank = parseRank(std::string_view(text).substr(from, comma - from));
        if (!rank) {
            return std::nullopt;
        }
        cards.push_back(*rank);
        if (comma == std::string::npos) {
            return cards;
        }
        from = comma + 1;
    }
}

std::string cardsError(const std::string& option, const std::string& value) {
    return option + " expects cards A, 2 to 10, J, Q or K separated by commas, not '" + value + "'";
}

// What is wrong with the cards of --decide, --up and --next-round together, or nothing.
std::string cardsProblem(const Options& options) {
    const bool decides = !options.decide.empty();
    if (decides && options.nextRound) {
        return "--decide and --next-round are two questions: ask one at a time";
    }
    if (options.up != 0 && !decides) {
        return "--up goes with --decide";
    }
    if (!options.seen.empty() && !decides && !options.nextRound) {
        return "--seen goes with --decide or --next-round";
    }
    if (!decides) {
        return {};
    }
    if (options.decide.size() != 2) {
        return "--decide expects the two cards of a hand, not " +
               std::to_string(options.decide.size());
    }
    if (options.up == 0) {
        return "--decide needs the dealer's up card (--up)";
    }
    if (rankPoints(options.decide[0]) + rankPoints(options.decide[1]) == kBlackjack) {
        return "--decide " + rankName(options.decide[0]) + "," + rankName(options.decide[1]) +
               " is a natural, which plays itself";
    }
    return {};
}

// What is wrong with --check-history, --career and --csv beside the other questions, or nothing.
std::string historyProblem(const Options& options) {
    if (options.csv && options.career.empty()) {
        return "--csv goes with --career";
    }
    const int questions = (options.checkHistory.empty() ? 0 : 1) +
                          (options.career.empty() ? 0 : 1) + (options.decide.empty() ? 0 : 1) +
                          (options.nextRound ? 1 : 0) + (options.printStrategy ? 1 : 0);
    if (questions > 1 && (!options.checkHistory.empty() || !options.career.empty())) {
        return "--check-history and --career each stand alone: ask one question at a time";
    }
    return {};
}

// The rank of which the cards of the question hold more than a pack, or 0.
int rankOverAPack(const solver::RankCounts& unseen) {
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        if (unseen[rank] < 0) {
            return rank;
        }
    }
    return 0;
}

}  // namespace

solver::RankCounts unseenCards(const Options& options) {
    solver::RankCounts unseen = solver::fullPack();
    for (const std::vector<int>* cards : {&options.decide, &options.seen}) {
        for (const int rank : *cards) {
            --unseen[rank];
        }
    }
    if (options.up != 0) {
        --unseen[options.up];
    }
    return unseen;
}

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
        if (name == "--print-strategy" || name == "--fresh-deck" || name == "--next-round" ||
            name == "--csv") {
            if (inlineValue) {
                parsed.error = name + " takes no value";
                return parsed;
            }
            (name == "--print-strategy" ? options.printStrategy
             : name == "--fresh-deck"   ? options.freshDeckEachRound
             : name == "--csv"          ? options.csv
                                        : options.nextRound) = true;
            continue;
        }
        if (name != "--rounds" && name != "--bet" && name != "--strategy" && name != "--seed" &&
            name != "--threads" && name != "--decide" && name != "--up" && name != "--seen" &&
            name != "--check-history" && name != "--career") {
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
        } else if (name == "--decide" || name == "--seen") {
            const auto cards = parseCards(value);
            if (!cards) {
                parsed.error = cardsError(name, value);
                return parsed;
            }
            (name == "--decide" ? options.decide : options.seen) = *cards;
        } else if (name == "--check-history" || name == "--career") {
            if (value.empty()) {
                parsed.error = name + " needs the history file";
                return parsed;
            }
            (name == "--career" ? options.career : options.checkHistory) = value;
        } else if (name == "--up") {
            const auto rank = parseRank(value);
            if (!rank) {
                parsed.error = "--up expects one card, A, 2 to 10, J, Q or K, not '" + value + "'";
                return parsed;
            }
            options.up = *rank;
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
    parsed.error = historyProblem(options);
    if (parsed.ok()) {
        parsed.error = cardsProblem(options);
    }
    if (parsed.ok()) {
        const solver::RankCounts unseen = unseenCards(options);
        if (const int rank = rankOverAPack(unseen); rank != 0) {
            parsed.error = "more than four cards of rank " + rankName(rank) +
                           " between --decide, --up and --seen: a pack holds four of each";
        } else if (!options.decide.empty() && solver::cardsIn(unseen) == 0) {
            parsed.error = "--seen leaves no card for the dealer's hole card";
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
           "The exact values of this table's plays, from the cards left in the pack:\n"
           "  --decide HAND     the plays open on a two-card hand (cards A, 2 to 10, J, Q, K\n"
           "                    separated by commas, e.g. 10,6), each as its expected result\n"
           "                    per initial stake, then the best one\n"
           "  --up CARD         the dealer's up card, for --decide\n"
           "  --next-round      the expected result of the next round at --bet, played at its\n"
           "                    best\n"
           "  --seen CARDS      cards already seen since the shuffle, besides the hand and the\n"
           "                    up card; the values are for the pack less all of them\n"
           "\n"
           "The rounds the game kept (history.jsonl, beside its remembered choices):\n"
           "  --check-history FILE\n"
           "                    values every decision in the file again from its cards and\n"
           "                    the cards seen, and says how many agree with what was kept\n"
           "  --career FILE     the file's rounds added up, for the whole and for each session:\n"
           "                    won, lost, the net, and the table's edge, the decisions and\n"
           "                    luck, which add up to it; the costliest decisions, and the\n"
           "                    decisions by kind\n"
           "  --csv             with --career, the rounds as CSV for a spreadsheet instead\n"
           "\n"
           "The same seed and thread count always give the same figures.\n"
           "Exit status: 0 on success, 2 for a bad command line (bad cards included) or a\n"
           "history file that cannot be read; --check-history exits 1 when a decision does\n"
           "not agree or a line (but a torn last one) cannot be read.\n";
}

}  // namespace sim

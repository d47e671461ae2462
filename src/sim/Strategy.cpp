#include "sim/Strategy.h"

#include <cstdio>

namespace sim {

namespace {

struct NamedKind {
    std::string_view name;
    StrategyKind kind;
};

constexpr NamedKind kKinds[] = {
    {"optimal", StrategyKind::Optimal},
    {"basic", StrategyKind::Basic},
    {"mimic-dealer", StrategyKind::MimicDealer},
    {"never-bust", StrategyKind::NeverBust},
};

// A strategy that hits or stands by `hits(hand)` alone, whatever the up card, and never doubles
// or splits.
template <typename Hits>
Strategy fixedStrategy(Hits hits) {
    Strategy strategy;
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int soft = 0; soft <= 1; ++soft) {
            for (int total = 2; total <= kBlackjack; ++total) {
                const HandState hand{total, soft == 1};
                const Action action = hits(hand) ? Action::Hit : Action::Stand;
                strategy.setPlay(hand, up, action);
                strategy.setOpening(hand, up, action);
            }
        }
    }
    return strategy;
}

char letter(Action action) {
    switch (action) {
        case Action::Hit:
            return 'H';
        case Action::Double:
            return 'D';
        case Action::Split:
            return 'P';
        default:
            return 'S';
    }
}

const char* const kUpLabels[kUpCards] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "A"};

void appendRow(std::string& out, const std::string& label, const Strategy& strategy, HandState hand,
               int pair) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%-9s", label.c_str());
    out += cell;
    for (int up = kLowestUp; up <= kAce; ++up) {
        const Action action =
            pair != 0 && strategy.splits(pair, up) ? Action::Split : strategy.opening(hand, up);
        std::snprintf(cell, sizeof cell, "%3c", letter(action));
        out += cell;
    }
    out += '\n';
}

void appendHeader(std::string& out, const char* title) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%-9s", title);
    out += cell;
    for (const char* label : kUpLabels) {
        std::snprintf(cell, sizeof cell, "%3s", label);
        out += cell;
    }
    out += '\n';
}

std::string pairLabel(int points) {
    const std::string card = points == kAce ? "A" : std::to_string(points);
    return card + "," + card;
}

}  // namespace

std::string_view strategyName(StrategyKind kind) {
    for (const NamedKind& named : kKinds) {
        if (named.kind == kind) {
            return named.name;
        }
    }
    return {};
}

std::optional<StrategyKind> strategyFromName(std::string_view name) {
    for (const NamedKind& named : kKinds) {
        if (named.name == name) {
            return named.kind;
        }
    }
    return std::nullopt;
}

Strategy mimicDealerStrategy() {
    return fixedStrategy([](HandState hand) { return hand.total < kDealerStandsOn; });
}

Strategy neverBustStrategy() {
    return fixedStrategy(
        [](HandState hand) { return hand.soft ? hand.total < kDealerStandsOn : hand.total <= 11; });
}

CardStrategy fromChart(const Strategy& chart) {
    CardStrategy strategy;
    const HandCatalog& hands = strategy.hands();
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int hand = 0; hand < hands.size(); ++hand) {
            const HandState state = hands.state(hand);
            strategy.setPlay(
                CardStrategy::kUnsplit, hand, up,
                hands.cardCount(hand) == 2 ? chart.opening(state, up) : chart.play(state, up));
            for (int pair = kLowestUp; pair <= kAce; ++pair) {
                strategy.setPlay(pair, hand, up, chart.play(state, up));
            }
        }
        for (int pair = kLowestUp; pair <= kAce; ++pair) {
            strategy.setSplit(pair, up, chart.splits(pair, up));
        }
    }
    return strategy;
}

std::string formatChart(const Strategy& strategy) {
    std::string out;
    out += "Dealer's up card across the top; the player's first two cards down the side.\n";
    out += "S stand, H hit, D double, P split.\n";
    out += "After the first decision (a third card, or either hand of a split), play the row\n";
    out += "of the new total and read D as H.\n\n";
    appendHeader(out, "Hard");
    for (int total = 5; total <= 20; ++total) {
        appendRow(out, std::to_string(total), strategy, {total, false}, 0);
    }
    out += '\n';
    appendHeader(out, "Soft");
    for (int other = 2; other <= 9; ++other) {
        const std::string label = "A," + std::to_string(other) + " " + std::to_string(11 + other);
        appendRow(out, label, strategy, {11 + other, true}, 0);
    }
    out += '\n';
    appendHeader(out, "Pair");
    for (int points = 2; points <= kAce; ++points) {
        appendRow(out, pairLabel(points), strategy, addCard(addCard({}, points), points), points);
    }
    out += "\nA pair of tens means two cards of the same rank (two kings, say); a king and a\n";
    out += "queen are not a pair and play as hard 20. Ace and ten is a natural and plays itself.\n";
    return out;
}

}  // namespace sim

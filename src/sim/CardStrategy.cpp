#include "sim/CardStrategy.h"

namespace sim {

namespace {

std::shared_ptr<const HandCatalog> oneDeck() {
    static const auto hands = std::make_shared<const HandCatalog>(Shoe::decks(1));
    return hands;
}

}  // namespace

CardStrategy::CardStrategy() : CardStrategy(oneDeck()) {}

CardStrategy::CardStrategy(std::shared_ptr<const HandCatalog> hands)
    : hands_(std::move(hands)),
      plays_(static_cast<std::size_t>(kPlayBlocks * kUpCards * hands_->size()), Action::Stand) {}

CardStrategy CardStrategy::fromChart(const Strategy& chart) {
    CardStrategy strategy;
    const HandCatalog& hands = strategy.hands();
    for (int up = kLowestUp; up <= kAce; ++up) {
        for (int hand = 0; hand < hands.size(); ++hand) {
            const HandState state = hands.state(hand);
            strategy.setPlay(
                kUnsplit, hand, up,
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

}  // namespace sim

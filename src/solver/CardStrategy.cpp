#include "solver/CardStrategy.h"

#include <utility>

namespace solver {

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

}  // namespace solver

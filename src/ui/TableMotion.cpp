#include "ui/TableMotion.h"

#include <algorithm>
#include <cmath>

#include "ui/Layout.h"
#include "ui/Texture.h"

namespace {

// A card's trip from the shoe at normal speed, and how much of it passes before the next card
// sets off.
constexpr double kCardSeconds = 0.25;
constexpr double kOverlap = 0.6;
// The result line's fade and how long a changed speed's name shows.
constexpr double kFadeCards = 1.2;
constexpr double kSpeedShownSeconds = 1.0;

double processorSeconds() {
    return static_cast<double>(SDL_GetPerformanceCounter()) /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

int lerp(int from, int to, double t) {
    return from + static_cast<int>(std::lround((to - from) * t));
}

// The middle of the bet's and the wallet's lines on the panel, where a chip lands, as the chip's
// top-left corner.
SDL_Point chipOnLine(int lineY) {
    return SDL_Point{kPanelCentreX - kChipWidth / 2, lineY - kChipHeight / 4};
}

}  // namespace

TableMotion::TableMotion() : clock_(processorSeconds) {}

void TableMotion::toggle() {
    setSpeed(isOn() ? Speed::Instant : lastSpeed_);
}

void TableMotion::slower() {
    setSpeed(speed_ == Speed::Instant ? Speed::Fast
             : speed_ == Speed::Fast  ? Speed::Normal
                                      : Speed::Slow);
}

void TableMotion::faster() {
    setSpeed(speed_ == Speed::Slow     ? Speed::Normal
             : speed_ == Speed::Normal ? Speed::Fast
                                       : Speed::Instant);
}

void TableMotion::setSpeed(Speed speed) {
    if (speed == Speed::Instant) {
        finish();
    } else {
        lastSpeed_ = speed;
    }
    speed_ = speed;
    speedShownUntil_ = clock_() + kSpeedShownSeconds;
}

void TableMotion::restore(Speed last, bool on) {
    finish();
    lastSpeed_ = last == Speed::Instant ? Speed::Normal : last;
    speed_ = on ? lastSpeed_ : Speed::Instant;
}

std::string TableMotion::speedName(Speed speed) {
    switch (speed) {
        case Speed::Slow:
            return "MOTION: SLOW";
        case Speed::Normal:
            return "MOTION: NORMAL";
        case Speed::Fast:
            return "MOTION: FAST";
        case Speed::Instant:
            break;
    }
    return "MOTION: OFF";
}

double TableMotion::cardSeconds() const {
    switch (speed_) {
        case Speed::Slow:
            return 2 * kCardSeconds;
        case Speed::Fast:
            return kCardSeconds / 2;
        case Speed::Normal:
        case Speed::Instant:
            break;
    }
    return kCardSeconds;
}

TableMotion::Beat TableMotion::beat() const {
    const double card = cardSeconds();
    return {card * kOverlap, card, card, card * kOverlap};
}

double TableMotion::nextStart(double now) const {
    double start = now;
    for (const Flight& flight : flights_) {
        start = std::max(start, flight.start + flight.duration * kOverlap);
    }
    return start;
}

void TableMotion::dealing(int wallet) {
    finish();
    wallet_ = wallet;
    held_ = {};
    holeShown_ = false;
    settled_ = false;
}

void TableMotion::chipToBet(int kind) {
    if (!isOn()) {
        return;
    }
    const SDL_Rect rack = chipRect(kind);
    const double now = clock_();
    Flight chip{Kind::Chip, now, cardSeconds(), {rack.x, rack.y}, chipOnLine(kBetTextY)};
    chip.chip = kind;
    flights_.push_back(chip);
}

void TableMotion::chipFromBet(int kind) {
    if (!isOn()) {
        return;
    }
    const SDL_Rect rack = chipRect(kind);
    const double now = clock_();
    Flight chip{Kind::Chip, now, cardSeconds(), chipOnLine(kBetTextY), {rack.x, rack.y}};
    chip.chip = kind;
    flights_.push_back(chip);
}

void TableMotion::addCard(const Game& game, Game::HandOnTable hand, int index, double& start,
                          SDL_Point from) {
    const Hand& cards = hand == Game::HandOnTable::Dealer   ? game.dealer
                        : hand == Game::HandOnTable::Player ? game.player
                                                            : game.splitHand;
    Flight flight{Kind::Card, start, cardSeconds(), from, game.cardPlace(hand, index), hand, index};
    flight.card = cards.cards[static_cast<std::size_t>(index)];
    // The hole card goes down face down, and stays so until its turn.
    flight.faceDown = hand == Game::HandOnTable::Dealer && index == 1;
    flights_.push_back(flight);
    start += flight.duration * kOverlap;
}

void TableMotion::follow(const Game& game) {
    using Hand = Game::HandOnTable;
    const std::array<int, 3> now{
        static_cast<int>(game.dealer.cards.size()), static_cast<int>(game.player.cards.size()),
        game.splitActive ? static_cast<int>(game.splitHand.cards.size()) : 0};
    enum { kDealer, kPlayer, kSplit };
    if (isOn()) {
        const double clock = clock_();
        prune(clock);
        double start = nextStart(clock);
        std::array<int, 3> held = held_;
        // The deal: player, dealer, player, dealer, as the engine deals them.
        if (held == std::array<int, 3>{} && now[kPlayer] >= 2 && now[kDealer] >= 2) {
            addCard(game, Hand::Player, 0, start, kShoe);
            addCard(game, Hand::Dealer, 0, start, kShoe);
            addCard(game, Hand::Player, 1, start, kShoe);
            addCard(game, Hand::Dealer, 1, start, kShoe);
            held = {2, 2, 0};
        }
        // A split: the second card moves over to start the second hand, then each gets a card.
        if (held[kSplit] == 0 && now[kSplit] > 0) {
            addCard(game, Hand::Split, 0, start, game.cardPlace(Hand::Player, 1));
            held[kPlayer] = std::min(held[kPlayer], 1);
            held[kSplit] = 1;
        }
        for (int i = held[kPlayer]; i < now[kPlayer]; ++i) {
            addCard(game, Hand::Player, i, start, kShoe);
        }
        for (int i = held[kSplit]; i < now[kSplit]; ++i) {
            addCard(game, Hand::Split, i, start, kShoe);
        }
        if (game.dealerRevealed && !holeShown_ && now[kDealer] >= 2) {
            const SDL_Point at = game.cardPlace(Hand::Dealer, 1);
            Flight turn{Kind::Turn, start, cardSeconds(), at, at, Hand::Dealer, 1};
            turn.card = game.dealer.cards[1];
            flights_.push_back(turn);
            start += turn.duration;
        }
        for (int i = std::max(held[kDealer], 2); i < now[kDealer]; ++i) {
            addCard(game, Hand::Dealer, i, start, kShoe);
        }
        if (game.isRoundOver() && !settled_) {
            // The stake's chip goes to the wallet, or to the dealer.
            const bool paidOut = game.getWallet() > wallet_;
            const SDL_Point to = paidOut ? chipOnLine(kWalletTextY)
                                         : SDL_Point{kDealerX + kCardWidth / 2, -kChipHeight};
            int kind = 0;
            for (int i = 0; i < kChipKinds; ++i) {
                if (kChipValues[static_cast<std::size_t>(i)] <= std::max(game.getBet(), 1)) {
                    kind = i;
                }
            }
            Flight chip{Kind::Chip, start, 2 * cardSeconds(), chipOnLine(kBetTextY), to};
            chip.chip = kind;
            flights_.push_back(chip);
            fadeStart_ = start;
        }
    }
    held_ = now;
    wallet_ = game.getWallet();
    holeShown_ = game.dealerRevealed;
    settled_ = game.isRoundOver();
}

bool TableMotion::busy() const {
    return !flights_.empty() || fadeStart_ >= 0;
}

bool TableMotion::needsFrames() const {
    return busy() || speedShownUntil_ >= 0;
}

void TableMotion::finish() {
    flights_.clear();
    fadeStart_ = -1;
}

double TableMotion::progress(const Flight& flight, double now) {
    if (now <= flight.start) {
        return 0;
    }
    const double t = std::min(1.0, (now - flight.start) / flight.duration);
    // Eased out: quick from the shoe, slowing as it lands.
    return 1 - std::pow(1 - t, 3);
}

void TableMotion::prune(double now) {
    flights_.erase(std::remove_if(flights_.begin(), flights_.end(),
                                  [now](const Flight& f) { return now >= f.start + f.duration; }),
                   flights_.end());
    if (fadeStart_ >= 0 && now >= fadeStart_ + kFadeCards * cardSeconds()) {
        fadeStart_ = -1;
    }
    if (speedShownUntil_ >= 0 && now >= speedShownUntil_) {
        speedShownUntil_ = -1;
    }
}

Uint8 TableMotion::resultAlpha() const {
    if (fadeStart_ < 0) {
        return 255;
    }
    const double t = (clock_() - fadeStart_) / (kFadeCards * cardSeconds());
    return static_cast<Uint8>(std::lround(255 * std::clamp(t, 0.0, 1.0)));
}

void TableMotion::renderHands(Game& game) const {
    using Hand = Game::HandOnTable;
    if (flights_.empty()) {
        game.renderHands();
        return;
    }
    const double now = clock_();
    // Each hand shows its cards up to the first one still on its way or turning over.
    Game::CardsShown shown;
    for (const Flight& flight : flights_) {
        if (flight.kind == Kind::Chip || now >= flight.start + flight.duration) {
            continue;
        }
        int& count = flight.hand == Hand::Dealer   ? shown.dealer
                     : flight.hand == Hand::Player ? shown.player
                                                   : shown.split;
        count = std::min(count, flight.index);
    }
    game.renderHands(shown);
    for (const Flight& flight : flights_) {
        if (flight.kind == Kind::Chip || now >= flight.start + flight.duration) {
            continue;
        }
        const double t = progress(flight, now);
        if (flight.kind == Kind::Card) {
            if (now <= flight.start) {
                continue;
            }
            const SDL_Rect dest{lerp(flight.from.x, flight.to.x, t),
                                lerp(flight.from.y, flight.to.y, t), kCardWidth, kCardHeight};
            game.renderCardIn(flight.faceDown ? nullptr : flight.card, dest);
            continue;
        }
        // The hole card turns over: its back narrows to an edge, then its face widens. It lies
        // face down until its turn comes, once it has landed.
        const bool landed = std::none_of(flights_.begin(), flights_.end(), [&](const Flight& f) {
            return f.kind == Kind::Card && f.hand == Hand::Dealer && f.index == 1 &&
                   now < f.start + f.duration;
        });
        if (!landed) {
            continue;
        }
        const double linear =
            now <= flight.start ? 0 : std::min(1.0, (now - flight.start) / flight.duration);
        const bool face = linear >= 0.5;
        const double width = face ? 2 * linear - 1 : 1 - 2 * linear;
        const int w = std::max(1, static_cast<int>(std::lround(kCardWidth * width)));
        const SDL_Rect dest{flight.to.x + (kCardWidth - w) / 2, flight.to.y, w, kCardHeight};
        game.renderCardIn(face ? flight.card : nullptr, dest);
    }
}

void TableMotion::renderChips(
    const std::function<void(int kind, const SDL_Rect& dest)>& drawChip) const {
    const double now = clock_();
    for (const Flight& flight : flights_) {
        if (flight.kind != Kind::Chip || now <= flight.start ||
            now >= flight.start + flight.duration) {
            continue;
        }
        const double t = progress(flight, now);
        drawChip(flight.chip,
                 SDL_Rect{lerp(flight.from.x, flight.to.x, t), lerp(flight.from.y, flight.to.y, t),
                          kChipWidth, kChipHeight});
    }
}

void TableMotion::renderSpeed(SDL_Renderer* renderer, TTF_Font* font, int density) {
    if (speedShownUntil_ < 0) {
        return;
    }
    if (clock_() >= speedShownUntil_) {
        speedShownUntil_ = -1;
        return;
    }
    if (speedLabel_ == nullptr || labelled_ != speed_ || labelledDensity_ != density) {
        speedLabel_.reset(createTextTexture(renderer, font, speedName(speed_)));
        labelled_ = speed_;
        labelledDensity_ = density;
    }
    drawLettering(renderer, speedLabel_.get(), density,
                  SDL_FPoint{static_cast<float>(kSpeedAt.x), static_cast<float>(kSpeedAt.y)});
}

void TableMotion::cleanup() {
    finish();
    speedLabel_.reset();
}

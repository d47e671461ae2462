#include "ui/TableSound.h"

#include <algorithm>
#include <iostream>
#include <string>

#include "rules/Outcome.h"
#include "rules/Rules.h"

namespace {

// What a hand's outcome sounds like, and how good it is for the player, so that a split round
// is heard at its better hand.
struct Heard {
    Cue cue;
    int rank;
};

Heard heardOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Natural:
        case Outcome::NaturalDealerBusted:
            return {Cue::Blackjack, 3};
        case Outcome::DealerBusted:
        case Outcome::HigherScore:
            return {Cue::Win, 2};
        case Outcome::Push:
            return {Cue::Push, 1};
        case Outcome::Busted:
        case Outcome::LowerScore:
            break;
    }
    return {Cue::Loss, 0};
}

}  // namespace

void TableSound::turn(bool on) {
    if (on == on_) {
        return;
    }
    on_ = on;
    if (on) {
        start();
    } else {
        device_.close();
    }
}

void TableSound::start() {
    std::string why;
    if (!device_.open(why)) {
        if (!warned_) {
            std::cerr << "blackjack: no sound: the audio device could not be opened (" << why
                      << "); the game plays on silent" << std::endl;
            warned_ = true;
        }
        return;
    }
    if (bank_ == nullptr || bank_->rate() != device_.rate()) {
        bank_ = std::make_unique<SoundBank>(device_.rate());
    }
    device_.setGain(static_cast<float>(volume_) / kMaxVolume);
}

void TableSound::setVolume(int volume) {
    const int clamped = std::clamp(volume, 0, kMaxVolume);
    volume_ = (clamped + kVolumeStep / 2) / kVolumeStep * kVolumeStep;
    device_.setGain(static_cast<float>(volume_) / kMaxVolume);
}

void TableSound::cue(Cue cue, double delay) {
    if (!on_) {
        return;
    }
    if (cued_.size() == kCuedKept) {
        cued_.erase(cued_.begin());
    }
    cued_.push_back({cue, delay});
    if (device_.isOpen() && bank_ != nullptr) {
        int& variant = nextVariant_[indexOf(cue)];
        device_.play(bank_->sound(cue, variant), delay);
        variant = (variant + 1) % bank_->variants(cue);
    }
}

void TableSound::chip(const Timing& timing) {
    cue(Cue::ChipClick, timing.chipDelay);
}

void TableSound::chip() {
    chip(Timing{});
}

void TableSound::played(const Game& game) {
    played(game, Timing{});
}

void TableSound::dealing() {
    seen_ = Seen{};
}

void TableSound::played(const Game& game, const Timing& timing) {
    const Seen now{game.player.cards.size(), game.splitHand.cards.size(), game.dealer.cards.size(),
                   game.dealerRevealed, game.isRoundOver()};
    double delay = 0.0;
    bool any = false;
    // What follows a cue waits the gap that cue takes.
    double gap = 0.0;
    const auto next = [&](Cue c) {
        if (any) {
            delay += gap;
        }
        cue(c, delay);
        any = true;
        gap = c == Cue::HoleFlip ? timing.turnGap : timing.cardGap;
    };
    // The deal goes round the table, player then dealer; a split deals the first hand its card
    // before the second. The dealer's draws after the hole card come last.
    std::size_t player = seen_.player;
    std::size_t split = seen_.split;
    std::size_t dealer = seen_.dealer;
    const std::size_t dealt = std::min<std::size_t>(now.dealer, 2);
    while (player < now.player || split < now.split || dealer < dealt) {
        for (std::size_t* count : {&player, &split, &dealer}) {
            const std::size_t until = count == &player  ? now.player
                                      : count == &split ? now.split
                                                        : dealt;
            if (*count < until) {
                ++*count;
                next(Cue::CardSlide);
            }
        }
    }
    if (now.revealed && !seen_.revealed) {
        next(Cue::HoleFlip);
    }
    for (; dealer < now.dealer; ++dealer) {
        next(Cue::CardSlide);
    }
    if (now.settled && !seen_.settled) {
        cue(resultOf(game), any ? delay + timing.resultGap : 0.0);
    }
    seen_ = now;
}

Cue TableSound::resultOf(const Game& game) {
    const bool natural =
        game.player.cards.size() == 2 && game.player.value == kBlackjack && !game.isSplit();
    Heard heard = heardOf(outcomeOf(game.player.value, game.dealer.value, natural));
    if (game.isSplit()) {
        const Heard second = heardOf(outcomeOf(game.splitHand.value, game.dealer.value, false));
        if (second.rank > heard.rank) {
            heard = second;
        }
    }
    return heard.cue;
}

void TableSound::cleanup() {
    device_.close();
    on_ = false;
}

#include "ui/TableCoach.h"

void TableCoach::turn(bool on) {
    if (on_ && !on && coach_ != nullptr) {
        coach_->pause();
    }
    on_ = on;
}

void TableCoach::setDensity(int density) {
    density_ = density;
    view_.setDensity(density);
}

void TableCoach::dealing(const Game& game, int bet) {
    if (on_ && coach_ != nullptr) {
        coach_->dealing(game, bet);
    }
}

void TableCoach::playing(const Game& game, solver::Action play, bool doubleOpen, bool splitOpen) {
    if (on_ && coach_ != nullptr) {
        coach_->playing(game, play, doubleOpen, splitOpen);
    }
}

void TableCoach::settled(const Game& game) {
    if (on_ && coach_ != nullptr) {
        coach_->settled(game);
    }
}

void TableCoach::update(SDL_Renderer* renderer, const char* fontPath, const Table& table) {
    if (!on_) {
        return;
    }
    auto until = Coach::Clock::now() + budget_;
    if (coach_ == nullptr) {
        coach_ = std::make_unique<Coach>();
        view_.init(renderer, fontPath);
        view_.setDensity(density_);
        // Making the coach is this frame's share: its slow work starts with the next one.
        until = Coach::Clock::now();
    }
    coach_->look(table.game, table.roundActive, table.pendingBet, table.doubleOpen,
                 table.splitOpen);
    view_.update(*coach_, table.playing);
    // The texts came first: the slow work has what is left of the share, and what it finishes
    // shows in the next frame.
    coach_->workUntil(until);
}

bool TableCoach::hasWork(bool roundActive) const {
    if (!on_) {
        return false;
    }
    if (coach_ == nullptr) {
        // Made in the next update.
        return true;
    }
    if (!roundActive && !coach_->next.ready) {
        return true;
    }
    for (const SessionLedger::Round& round : coach_->ledger.rounds) {
        if (!round.valued) {
            return true;
        }
    }
    return false;
}

void TableCoach::render(SDL_Renderer* renderer) const {
    if (on_ && coach_ != nullptr) {
        view_.render(renderer);
    }
}

void TableCoach::cleanup() {
    coach_.reset();
    view_.cleanup();
}

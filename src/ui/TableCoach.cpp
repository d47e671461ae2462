#include "ui/TableCoach.h"

void TableCoach::turn(bool on) {
    if (on_ && !on && !keeping_ && coach_ != nullptr) {
        coach_->pause();
    }
    on_ = on;
}

void TableCoach::keep(bool on) {
    keeping_ = on;
    if (!on && !on_ && coach_ != nullptr) {
        coach_->pause();
    }
}

std::vector<RoundRecord> TableCoach::takeKept() {
    return coach_ != nullptr ? coach_->takeKept() : std::vector<RoundRecord>{};
}

void TableCoach::setDensity(int density) {
    density_ = density;
    view_.setDensity(density);
}

void TableCoach::dealing(const Game& game, int bet) {
    if (following() && coach_ != nullptr) {
        coach_->dealing(game, bet);
    }
}

void TableCoach::playing(const Game& game, solver::Action play, bool doubleOpen, bool splitOpen) {
    if (following() && coach_ != nullptr) {
        coach_->playing(game, play, doubleOpen, splitOpen);
    }
}

void TableCoach::settled(const Game& game) {
    if (following() && coach_ != nullptr) {
        coach_->settled(game);
    }
}

void TableCoach::update(SDL_Renderer* renderer, const char* fontPath, const Table& table) {
    if (!following()) {
        return;
    }
    auto until = Coach::Clock::now() + budget_;
    if (coach_ == nullptr) {
        coach_ = std::make_unique<Coach>();
        // Every round it follows is written down, for the review; the table keeps it on disk
        // only with keeping on.
        coach_->keep(true);
        // Making the coach is this frame's share: its slow work starts with the next one.
        until = Coach::Clock::now();
    }
    if (on_ && !viewMade_) {
        view_.init(renderer, fontPath);
        view_.setDensity(density_);
        viewMade_ = true;
    }
    coach_->look(table.game, table.roundActive, table.pendingBet, table.doubleOpen,
                 table.splitOpen);
    if (on_) {
        view_.update(*coach_, table.playing);
    }
    // The texts came first: the slow work has what is left of the share, and what it finishes
    // shows in the next frame.
    coach_->workUntil(until);
}

bool TableCoach::hasWork(bool roundActive) const {
    if (!following()) {
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
    if (on_ && viewMade_) {
        view_.render(renderer);
    }
}

void TableCoach::cleanup() {
    coach_.reset();
    view_.cleanup();
    viewMade_ = false;
}

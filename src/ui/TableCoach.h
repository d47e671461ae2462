#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

#include "coach/Coach.h"
#include "rules/Game.h"
#include "solver/Action.h"
#include "ui/CoachView.h"

// The coach at the table: made the first time a frame finds it on, told of the deal, each play and
// each settlement while it is on, given its share of each frame, and drawn over the bare felt and
// rail. Off, it hears nothing, draws nothing and costs nothing; the table is exactly as without it.
// Each round it follows is written down, every decision valued, and handed over once complete
// (takeKept); keeping rounds, it follows them the same way whether it is shown or not, and
// hidden it draws nothing.
class TableCoach {
public:
    using Budget = std::chrono::microseconds;

    bool isOn() const { return on_; }
    // Any time, before the table's init too. Off, the round in play is not followed to its end
    // (unless rounds are kept).
    void turn(bool on);
    // Rounds kept or not; any time. Kept, the rounds are followed with the coach hidden too.
    void keep(bool on);
    bool keeping() const { return keeping_; }
    // The rounds settled since the last call whose records are complete, oldest first.
    std::vector<RoundRecord> takeKept();
    // The career's line in the ledger, beneath the session's; none when empty.
    void setCareerLine(std::string line) { view_.careerLine = std::move(line); }
    // 2 letters its texts at twice the point size, from the next update on.
    void setDensity(int density);

    // What the table does, told just before it does it (the settlement just after); heard only
    // while on or keeping.
    void dealing(const Game& game, int bet);
    void playing(const Game& game, solver::Action play, bool doubleOpen, bool splitOpen);
    void settled(const Game& game);

    // The table as this frame's update left it.
    struct Table {
        const Game& game;
        bool roundActive;
        int pendingBet;
        bool doubleOpen;
        bool splitOpen;
        bool playing;
    };
    // The frame's share, while on: the coach made the first time (that is the whole share), then
    // its texts, then its slow work until the budget is spent.
    void update(SDL_Renderer* renderer, const char* fontPath, const Table& table);
    // While on or keeping and still working a value out (or not yet made).
    bool hasWork(bool roundActive) const;
    void render(SDL_Renderer* renderer) const;
    // Lets go of the coach, its texts and its font; on or off stays as it was.
    void cleanup();

    // For tests and tools: the coach (none before its first frame on), its texts, the share of a
    // frame it may spend (its texts and the next round's value together), and a coach of one's own
    // in place of the one made, say the page's, which works in slices.
    Coach* coach() const { return coach_.get(); }
    const CoachView& view() const { return view_; }
    void setBudget(Budget budget) { budget_ = budget; }
    void replaceCoach(std::unique_ptr<Coach> coach) {
        coach_ = std::move(coach);
        if (coach_ != nullptr) {
            coach_->keep(true);
        }
    }

private:
    bool following() const { return on_ || keeping_; }

    bool on_ = false;
    bool keeping_ = false;
    bool viewMade_ = false;
    std::unique_ptr<Coach> coach_;
    CoachView view_;
    Budget budget_{3000};
    int density_ = 1;
};

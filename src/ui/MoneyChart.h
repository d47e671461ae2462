#pragma once

#include <vector>

#include <SDL.h>

#include "history/RoundRecord.h"

// The money of one session, round by round, as the review draws it: the wallet after each round,
// and what the table's edge and the player's decisions made it expected. Both start from the
// wallet before the session's first round; the gap between them is luck, shaded green where the
// cards were kind and red where they were not.
class MoneyChart {
public:
    static constexpr SDL_Color kWalletColour{240, 240, 240, 255};
    static constexpr SDL_Color kExpectedColour{255, 208, 64, 255};
    static constexpr SDL_Color kGoodLuckColour{70, 200, 110, 120};
    static constexpr SDL_Color kBadLuckColour{230, 80, 70, 120};
    static constexpr SDL_Color kBackColour{10, 24, 17, 255};
    static constexpr SDL_Color kMarkerColour{110, 190, 255, 255};

    // The session's rounds in the order played (drills are left out: they move no money), and
    // the one to mark among them (its place in `rounds`), or -1.
    void set(const std::vector<const RoundRecord*>& rounds, int marked);
    // Draws into `area`, in table pixels, and nowhere else.
    void render(SDL_Renderer* renderer, const SDL_Rect& area) const;

    // The rounds charted, and the extremes of both lines.
    int rounds() const { return static_cast<int>(wallet_.size()) - 1; }
    double lowest() const { return lowest_; }
    double highest() const { return highest_; }

private:
    // Where point `i` (0 the session's start, then after each round) and `value` lie in `area`.
    float xOf(const SDL_Rect& area, int i) const;
    float yOf(const SDL_Rect& area, double value) const;
    void shadeLuck(SDL_Renderer* renderer, const SDL_Rect& area) const;

    std::vector<double> wallet_;
    std::vector<double> expected_;
    int marked_ = -1;
    double lowest_ = 0.0;
    double highest_ = 0.0;
};

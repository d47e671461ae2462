#pragma once

#include <array>
#include <string>
#include <vector>

#include <SDL.h>

#include "coach/Coach.h"
#include "ui/SdlHandle.h"

// What the coach shows on the table, as texts: the value of each open play under its button on
// the player's turn (the best one in gold), between rounds the cost of the last round's plays and
// the next round's value, and the session ledger. Texts are made again only when they change.
class CoachView {
public:
    // Opens the game's font at the coach's size.
    void init(SDL_Renderer* renderer, const char* fontPath);
    // 2 letters the texts at twice the point size, in the same places; every text is made again
    // at the next update when the density changes.
    void setDensity(int density);
    // The texts of the coach's state; `playing` while the play buttons are live.
    void update(const Coach& coach, bool playing);
    void render(SDL_Renderer* renderer) const;
    void cleanup();

    // By solver::Action: STAND, HIT, DOUBLE, SPLIT; each one or two lines, none when the play is
    // not open.
    std::array<std::vector<std::string>, 4> playLines;
    int bestPlay = -1;
    std::vector<std::string> noteLines;
    std::vector<std::string> ledgerLines;
    // Shown beneath the session's line when not empty: the rounds kept over every session.
    std::string careerLine;

private:
    struct Text {
        std::string shown;
        TextureHandle label;
    };
    // Makes `text` show `line`, anew only when it changed.
    void set(Text& text, const std::string& line);

    SDL_Renderer* renderer = nullptr;
    FontHandle font;
    // The font at twice the point size; the lines are still spaced by `font`.
    FontHandle font2x;
    int density = 1;
    std::array<std::array<Text, 2>, 4> playTexts;
    std::vector<Text> noteTexts;
    std::vector<Text> ledgerTexts;
};

// Dollars with cents and their sign, as the coach writes them: "+$12.50", "-$0.26", "$0.00";
// without `withSign`, no plus.
std::string coachDollars(double dollars, bool withSign = true);
// A share of the stake: "-0.26%" with `decimals` after the point.
std::string coachPercent(double share, int decimals, bool withSign = true);

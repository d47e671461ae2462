#pragma once

// Helpers for running the screens with no display: SDL's dummy video driver, a software renderer
// drawing into a 1024 x 768 surface, and a scratch working directory holding art the test writes
// itself, so every picture and the font can be spoiled one at a time.

#include <SDL.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/Scene.h"
#include "rules/Game.h"

namespace headless {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct Rgb {
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
std::string describe(const Rgb& c);

// One colour per picture, so a pixel tells which picture is on top there.
constexpr Rgb kBgColour{20, 60, 140};
constexpr Rgb kTableColour{10, 120, 40};
constexpr Rgb kPanelColour{90, 50, 20};
constexpr Rgb kLogoColour{200, 160, 10};
constexpr Rgb kButtonColour{150, 20, 150};
constexpr Rgb kArrowColour{30, 200, 200};
constexpr Rgb kBlack{0, 0, 0};

// Sheet cells get colours of their own: card cell n, chip cell (column c, row r).
Rgb cardCellColour(int cell);
Rgb chipCellColour(int column, int row);

// Card sheet and chip sheet layouts.
constexpr int kCardW = 117;
constexpr int kCardH = 164;
constexpr int kCardCols = 9;
constexpr int kCardRows = 6;
constexpr int kChipW = 64;
constexpr int kChipH = 66;
constexpr int kChipSheetCols = 5;
constexpr int kChipSheetRows = 2;

// SDL video on the dummy driver for the object's life, and a software renderer into a surface of
// the window's size, or of a smaller size that clips the drawing to the window's top-left corner.
class Screen {
public:
    explicit Screen(int width = kWidth, int height = kHeight);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    SDL_Renderer* renderer() const { return renderer_; }
    // The colour at (x, y) of what has been drawn so far.
    Rgb pixel(int x, int y);

private:
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};

// A fresh directory with images/ and fonts/, made the working directory for the object's life
// and removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Writers, relative to the working directory.
void writeSolidPng(const std::string& path, int w, int h, Rgb colour);
// A sheet of cols x rows cells of cellW x cellH, each filled with colourOf(column, row).
void writeSheetPng(const std::string& path, int cols, int rows, int cellW, int cellH,
                   Rgb (*colourOf)(int column, int row));
void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
void copyFile(const std::string& from, const std::string& to);

// The font every test table uses when it needs real text.
extern const char* const kSystemFont;

// Every picture and the font, laid out as the game expects, with the colours above.
void writeGoodArt();
// The picture names under ./images/.
const std::vector<std::string>& imageNames();

// One frame as the main loop runs it: input, update, clear, draw, present.
void frame(Scene& scene, SDL_Renderer* renderer, int x, int y, bool clicked);
// A click at (x, y) followed by a frame without one, which releases the button's latch.
void click(Scene& scene, SDL_Renderer* renderer, int x, int y);

// Puts these cards (rank, suit) on top of the engine's deck, the first one dealt first.
void stackDeck(Game& engine, const std::vector<std::pair<int, std::string>>& topFirst);

// Centres of the game screen's controls.
struct Point {
    int x;
    int y;
};
Point addChipAt(int kind);
Point removeChipAt(int kind);
constexpr Point kDealAt{912, 644};
constexpr Point kHitAt{187, 684};
constexpr Point kStandAt{337, 684};
constexpr Point kStartAt{512, 524};
// Over nothing that takes a click.
constexpr Point kRestAt{500, 720};

}  // namespace headless

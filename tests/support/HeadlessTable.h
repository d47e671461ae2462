#pragma once

// The table the screen, hardening and soak tests play at, headless: a Screen of 1024 x 768 (SDL's
// dummy video driver, a software renderer drawing into a surface), and a scratch working directory
// with test art in ./images and a real TrueType font as ./fonts/ds-digit.ttf. Every test image is
// made of solid blocks whose colour names the block (the red channel the image, the green channel
// the frame or cell), so a pixel read back from the frame tells exactly what was drawn there, and
// each picture can be spoiled alone. Where the tests point is the game's own layout (ui/Layout.h).
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "rules/Card.h"
#include "rules/CardSheet.h"
#include "support/Images.h"
#include "support/ScratchDir.h"
#include "support/Screen.h"
#include "support/StackedDeck.h"
#include "ui/Layout.h"
#include "ui/SdlHandle.h"
#include "ui/Texture.h"

class Scene;

namespace art {
inline const Rgb kBlack{0, 0, 0};
inline const Rgb kWhite{255, 255, 255};
inline const Rgb kBackground{10, 20, 30};
inline const Rgb kLogo{40, 50, 60};
inline const Rgb kTable{0, 90, 0};
inline const Rgb kPanel{70, 70, 70};
inline Rgb button(int frame) {
    return {200, 5 + 10 * frame, 1};
}
inline Rgb arrow(int frame) {
    return {210, 5 + 10 * frame, 2};
}
inline Rgb chip(int col, int row) {
    return {220, 5 + 10 * (row * 5 + col), 3};
}
inline Rgb card(int cell) {
    return {240, 1 + 4 * cell, 4};
}
// A colour above as its picture at twice the size shows it.
inline Rgb sharp(Rgb c) {
    return {c.r, c.g, c.b + 100};
}
}  // namespace art

// Every picture in the colours above, and the real font, under the working directory as the game
// expects them.
void writeTableArt();
// The picture names under ./images/.
const std::vector<std::string>& imageNames();
// The test art at twice the size, every sheet's cells doubled, in art::sharp's colours, under
// ./images/2x/.
void writeSharpTableArt();
// The game's own pictures at both densities, as the build draws them, in place of the test art
// under ./images/ and ./images/2x/.
void installGameArt();

// The frame as the main loop draws the table at density 1 in a window larger than it: drawn at
// its own size into a picture, which is stretched to the window with linear filtering.
void stretchedFrame(Scene& scene, SDL_Renderer* renderer);

// How sharp `area` of `pixels` (rows of `width`) is: of the steps in brightness between
// neighbouring pixels of at least 24, the share of at least 96. A sharp edge crosses between two
// pixels; one stretched to twice the size takes two steps of half the height.
double strongEdgeShare(const std::vector<Rgb>& pixels, int width, SDL_Rect area);
// `pixels` (rows of `width`) at half the size each way, each pixel the mean of its four.
std::vector<Rgb> halved(const std::vector<Rgb>& pixels, int width);
// The mean of the channels' absolute differences between two pictures of the same size.
double meanDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b);

// One frame as the main loop runs it: input, update, clear, draw, present.
void frame(Scene& scene, SDL_Renderer* renderer, SDL_Point at, bool clicked);
// A click at `at` followed by a frame without one, which releases the button's latch.
void click(Scene& scene, SDL_Renderer* renderer, SDL_Point at);
// A key going down in a frame of its own, the pointer away from the buttons, as the main loop
// hands it on: input, the key, update, draw.
void press(Scene& scene, SDL_Renderer* renderer, SDL_Keycode key, Uint16 modifiers = KMOD_NONE);

// The card sheet's cell of `card`, whose colour names it in the test art.
inline int cellOf(const Card& card) {
    return cardCell(card.suit, card.rank);
}

// Where a click lands on the game screen's controls.
inline SDL_Point addChipAt(int kind) {
    return centreOf(addChipRect(kind));
}
inline SDL_Point removeChipAt(int kind) {
    return centreOf(removeChipRect(kind));
}
constexpr SDL_Point kDealAt = centreOf(kDealButtonRect);
constexpr SDL_Point kExitAt = centreOf(kExitButtonRect);
constexpr SDL_Point kHitAt = centreOf(kHitButtonRect);
constexpr SDL_Point kStandAt = centreOf(kStandButtonRect);
constexpr SDL_Point kDoubleAt = centreOf(kDoubleButtonRect);
constexpr SDL_Point kSplitAt = centreOf(kSplitButtonRect);
constexpr SDL_Point kStartAt = centreOf(kStartButtonRect);

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.emplace();
        writeTableArt();
        screen.emplace();
        renderer = screen->renderer();
        ASSERT_EQ(TTF_Init(), 0);
        font = TTF_OpenFont("./fonts/ds-digit.ttf", kFontSize);
        ASSERT_NE(font, nullptr);
    }

    // The scenes are members of the derived fixtures, so they are destroyed after this, once
    // SDL has quit: their destructors must make no SDL call.
    void TearDown() override {
        if (font != nullptr) {
            TTF_CloseFont(font);
        }
        screen.reset();
        dir.reset();
    }

    // A window of w x h in place of the screen, the table scaled to it (Screen::Fit::Scale).
    void useWindow(int w, int h) {
        screen.reset();
        screen.emplace(w, h, Screen::Fit::Scale);
        renderer = screen->renderer();
    }

    Rgb at(int x, int y) const { return screen->pixel(x, y); }
    Rgb at(SDL_Point p) const { return at(p.x, p.y); }

    // Every pixel of `r` shows `c`, and none of the ring of pixels just around it does.
    ::testing::AssertionResult drawnAt(SDL_Rect r, Rgb c) const {
        for (int y = r.y - 1; y <= r.y + r.h; ++y) {
            for (int x = r.x - 1; x <= r.x + r.w; ++x) {
                const bool inside = x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                if (x < 0 || y < 0 || x >= screen->width() || y >= screen->height()) {
                    continue;
                }
                if (inside != (at(x, y) == c)) {
                    return ::testing::AssertionFailure()
                           << "(" << x << ", " << y << ") shows " << at(x, y) << ", expected "
                           << (inside ? "" : "anything but ") << c;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    // Every pixel of `r` shows `c`.
    bool filledWith(SDL_Rect r, Rgb c) const {
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                if (at(x, y) != c) {
                    return false;
                }
            }
        }
        return true;
    }

    // A fanned card of the sheet's `cell` has its top-left corner exactly at (x, y); its left
    // strip of `shown` pixels (40 in a fan, at least the corner index's 23) is never covered by
    // the next card of the fan.
    ::testing::AssertionResult cardAt(int x, int y, int cell, int shown = 40) const {
        const Rgb c = art::card(cell);
        if (at(x, y) == c && at(x + shown - 1, y + 163) == c && at(x - 1, y) != c &&
            at(x, y - 1) != c) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "no card cell " << cell << " with its corner at (" << x << ", " << y
               << "): there " << at(x, y) << ", above " << at(x, y - 1) << ", left "
               << at(x - 1, y);
    }

    // The label is the text `text` in the screen's font, broken into lines where `text` holds a
    // line end: as wide as SDL_ttf makes its widest line (one line: the string's own size), and
    // the same pixels as a fresh rendering of it. Draws over the frame.
    ::testing::AssertionResult shows(SDL_Texture* label, const std::string& text) {
        if (label == nullptr) {
            return ::testing::AssertionFailure() << "no label, expected \"" << text << "\"";
        }
        std::vector<std::string> lines;
        int textW = 0, textH = 0;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = text.find('\n', start);
            lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
            int lineW = 0;
            TTF_SizeText(font, lines.back().c_str(), &lineW, &textH);
            textW = std::max(textW, lineW);
        }
        SDL_Texture* expected = createTextBlockTexture(renderer, font, lines);
        int w = 0, h = 0, expectedH = 0;
        SDL_QueryTexture(label, nullptr, nullptr, &w, &h);
        SDL_QueryTexture(expected, nullptr, nullptr, nullptr, &expectedH);
        if (w != textW || h != (lines.size() == 1 ? textH : expectedH)) {
            SDL_DestroyTexture(expected);
            return ::testing::AssertionFailure() << "label is " << w << " x " << h << ", \"" << text
                                                 << "\" is " << textW << " x " << textH;
        }
        const std::vector<Rgb> got = drawAlone(label, w, h);
        const bool same = got == drawAlone(expected, w, h);
        SDL_DestroyTexture(expected);
        if (!same) {
            return ::testing::AssertionFailure() << "the label is not \"" << text << "\"";
        }
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult shows(const TextureHandle& label, const std::string& text) {
        return shows(label.get(), text);
    }

    std::vector<Rgb> drawAlone(SDL_Texture* texture, int w, int h) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        const SDL_Rect where{0, 0, w, h};
        SDL_RenderCopy(renderer, texture, nullptr, &where);
        std::vector<Rgb> pixels;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                pixels.push_back(at(x, y));
            }
        }
        return pixels;
    }

    // Some pixel of `r` shows `c`.
    bool anywhereIn(SDL_Rect r, Rgb c) const {
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                if (at(x, y) == c) {
                    return true;
                }
            }
        }
        return false;
    }

    // Every pixel drawn so far, row by row.
    std::vector<Rgb> wholeFrame() const {
        std::vector<Rgb> pixels;
        pixels.reserve(static_cast<std::size_t>(screen->width()) * screen->height());
        for (int y = 0; y < screen->height(); ++y) {
            for (int x = 0; x < screen->width(); ++x) {
                pixels.push_back(at(x, y));
            }
        }
        return pixels;
    }

    // The bounding box of the pixels of `area` that are not `background`; empty if none.
    SDL_Rect inkIn(SDL_Rect area, Rgb background) const {
        int left = area.x + area.w, top = area.y + area.h, right = area.x - 1, bottom = area.y - 1;
        for (int y = area.y; y < area.y + area.h; ++y) {
            for (int x = area.x; x < area.x + area.w; ++x) {
                if (at(x, y) != background) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < left) {
            return SDL_Rect{0, 0, 0, 0};
        }
        return SDL_Rect{left, top, right - left + 1, bottom - top + 1};
    }

    std::optional<ScratchDir> dir;
    std::optional<Screen> screen;
    SDL_Renderer* renderer = nullptr;
    TTF_Font* font = nullptr;
};

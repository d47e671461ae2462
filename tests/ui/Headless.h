#pragma once

// Headless drawing for the screen tests: SDL's dummy video driver, a software renderer drawing
// into a 1024 x 768 surface, and a temporary working directory with test art in ./images and a
// real TrueType font as ./fonts/ds-digit.ttf. Every test image is made of solid blocks whose
// colour names the block (the red channel the image, the green channel the frame or cell), so a
// pixel read back from the frame tells exactly what was drawn there.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "rules/Deck.h"
#include "ui/Texture.h"

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

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
}  // namespace art

inline const char* const kSystemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Writes a sheet of cols x rows cells of cellW x cellH, each filled with colourOf(col, row).
inline void writeSheet(const char* path, int cols, int rows, int cellW, int cellH,
                       const std::function<Rgb(int, int)>& colourOf) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, cols * cellW, rows * cellH, 32, SDL_PIXELFORMAT_RGB888);
    ASSERT_NE(s, nullptr) << SDL_GetError();
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const Rgb c = colourOf(col, row);
            const SDL_Rect cell{col * cellW, row * cellH, cellW, cellH};
            SDL_FillRect(s, &cell, SDL_MapRGB(s->format, c.r, c.g, c.b));
        }
    }
    ASSERT_EQ(IMG_SavePNG(s, path), 0) << IMG_GetError();
    SDL_FreeSurface(s);
}

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldDir = std::filesystem::current_path();
        char pattern[] = "/tmp/blackjack-ui-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        std::filesystem::current_path(dir);
        std::filesystem::create_directories("images");
        std::filesystem::create_directories("fonts");
        std::filesystem::copy_file(kSystemFont, "fonts/ds-digit.ttf");

        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        writeArt();
        surface = SDL_CreateRGBSurfaceWithFormat(0, 1024, 768, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        renderer = SDL_CreateSoftwareRenderer(surface);
        ASSERT_NE(renderer, nullptr) << SDL_GetError();
        ASSERT_EQ(TTF_Init(), 0);
        font = TTF_OpenFont("./fonts/ds-digit.ttf", 22);
        ASSERT_NE(font, nullptr);
    }

    // The scenes are members of the derived fixtures, so they are destroyed after this, once
    // SDL has quit: their destructors must make no SDL call.
    void TearDown() override {
        if (font != nullptr) {
            TTF_CloseFont(font);
        }
        if (renderer != nullptr) {
            SDL_DestroyRenderer(renderer);
        }
        SDL_FreeSurface(surface);
        SDL_Quit();
        std::filesystem::current_path(oldDir);
        if (!dir.empty()) {
            std::filesystem::remove_all(dir);
        }
    }

    static void writeArt() {
        writeSheet("images/BG.png", 1, 1, 32, 24, [](int, int) { return art::kBackground; });
        writeSheet("images/LOGO.png", 1, 1, 90, 35, [](int, int) { return art::kLogo; });
        writeSheet("images/TABLE.png", 1, 1, 41, 33, [](int, int) { return art::kTable; });
        writeSheet("images/CHIPBG.png", 1, 1, 20, 30, [](int, int) { return art::kPanel; });
        writeSheet("images/BUTTONS.png", 8, 1, 134, 48, [](int c, int) { return art::button(c); });
        writeSheet("images/ARROWS.png", 2, 1, 26, 40, [](int c, int) { return art::arrow(c); });
        writeSheet("images/CHIPS.png", 5, 2, 64, 66, art::chip);
        writeSheet("images/CARDS.png", 9, 6, 117, 164,
                   [](int c, int r) { return art::card(r * 9 + c); });
    }

    Rgb at(int x, int y) const {
        if (SDL_MUSTLOCK(surface)) {
            SDL_LockSurface(surface);
        }
        const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        const Uint32 pixel = reinterpret_cast<const Uint32*>(row)[x];
        if (SDL_MUSTLOCK(surface)) {
            SDL_UnlockSurface(surface);
        }
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(pixel, surface->format, &r, &g, &b);
        return {r, g, b};
    }

    // Every pixel of `r` shows `c`, and none of the ring of pixels just around it does.
    ::testing::AssertionResult drawnAt(SDL_Rect r, Rgb c) const {
        for (int y = r.y - 1; y <= r.y + r.h; ++y) {
            for (int x = r.x - 1; x <= r.x + r.w; ++x) {
                const bool inside = x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) {
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
    // strip of 40 pixels is never covered by the next card of the fan.
    ::testing::AssertionResult cardAt(int x, int y, int cell) const {
        const Rgb c = art::card(cell);
        if (at(x, y) == c && at(x + 39, y + 163) == c && at(x - 1, y) != c && at(x, y - 1) != c) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "no card cell " << cell << " with its corner at (" << x << ", " << y
               << "): there " << at(x, y) << ", above " << at(x, y - 1) << ", left "
               << at(x - 1, y);
    }

    // The label is the text `text` in the screen's font: the size SDL_ttf gives the string, and
    // the same pixels as a fresh rendering of it. Draws over the frame.
    ::testing::AssertionResult shows(SDL_Texture* label, const std::string& text) {
        if (label == nullptr) {
            return ::testing::AssertionFailure() << "no label, expected \"" << text << "\"";
        }
        int w = 0, h = 0, textW = 0, textH = 0;
        SDL_QueryTexture(label, nullptr, nullptr, &w, &h);
        TTF_SizeText(font, text.c_str(), &textW, &textH);
        if (w != textW || h != textH) {
            return ::testing::AssertionFailure() << "label is " << w << " x " << h << ", \"" << text
                                                 << "\" is " << textW << " x " << textH;
        }
        SDL_Texture* expected = createTextTexture(renderer, font, text);
        const std::vector<Rgb> got = drawAlone(label, w, h);
        const bool same = got == drawAlone(expected, w, h);
        SDL_DestroyTexture(expected);
        if (!same) {
            return ::testing::AssertionFailure() << "the label is not \"" << text << "\"";
        }
        return ::testing::AssertionSuccess();
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

    std::string dir;
    std::filesystem::path oldDir;
    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
    TTF_Font* font = nullptr;
};

// A card by rank (1 the ace, 11 to 13 jack, queen, king) and suit name.
struct CardName {
    int rank;
    const char* suit;
};

// Lays `order` on top of the deck, the first one dealt first, the rest of the pack below. Deals
// go player, dealer, player, dealer, then the player's hits and the dealer's draws.
inline void stack(Deck& deck, const std::vector<CardName>& order) {
    std::vector<Card*> top;
    for (const CardName& name : order) {
        for (Card& card : deck.pack) {
            if (card.rank == name.rank && card.suit == name.suit) {
                top.push_back(&card);
            }
        }
    }
    ASSERT_EQ(top.size(), order.size()) << "a stacked card is not in the pack";
    deck.cards.clear();
    for (Card& card : deck.pack) {
        if (std::find(top.begin(), top.end(), &card) == top.end()) {
            deck.cards.push_back(&card);
        }
    }
    deck.cards.insert(deck.cards.end(), top.rbegin(), top.rend());
}

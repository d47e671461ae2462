#include "Headless.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace headless {

namespace fs = std::filesystem;

const char* const kSystemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

std::string describe(const Rgb& c) {
    std::ostringstream out;
    out << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
    return out.str();
}

Rgb cardCellColour(int cell) {
    // 54 cells, each a different red and green; blue marks the card sheet.
    return Rgb{static_cast<Uint8>(10 + 4 * cell), static_cast<Uint8>(250 - 3 * cell), 77};
}

Rgb chipCellColour(int column, int row) {
    const int cell = row * kChipSheetCols + column;
    return Rgb{static_cast<Uint8>(240 - 20 * cell), static_cast<Uint8>(30 + 20 * cell), 133};
}

Screen::Screen(int width, int height) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
    }
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
    if (surface_ == nullptr || renderer_ == nullptr) {
        throw std::runtime_error(std::string("software renderer: ") + SDL_GetError());
    }
}

Screen::~Screen() {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
    SDL_Quit();
}

Rgb Screen::pixel(int x, int y) {
    SDL_RenderFlush(renderer_);
    const auto* row = static_cast<const Uint8*>(surface_->pixels) + y * surface_->pitch;
    Uint32 value = 0;
    SDL_memcpy(&value, row + x * 4, sizeof value);
    Rgb c;
    SDL_GetRGB(value, surface_->format, &c.r, &c.g, &c.b);
    return c;
}

ScratchDir::ScratchDir() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "blackjack-hardening-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch directory");
    }
    path_ = pattern;
    fs::create_directory(path_ / "images");
    fs::create_directory(path_ / "fonts");
    fs::current_path(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void writeSolidPng(const std::string& path, int w, int h, Rgb colour) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, colour.r, colour.g, colour.b));
    const int status = IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    if (status != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeSheetPng(const std::string& path, int cols, int rows, int cellW, int cellH,
                   Rgb (*colourOf)(int column, int row)) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, cols * cellW, rows * cellH, 24, SDL_PIXELFORMAT_RGB24);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const SDL_Rect cell{col * cellW, row * cellH, cellW, cellH};
            const Rgb c = colourOf(col, row);
            SDL_FillRect(s, &cell, SDL_MapRGB(s->format, c.r, c.g, c.b));
        }
    }
    const int status = IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    if (status != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void copyFile(const std::string& from, const std::string& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void writeGoodArt() {
    writeSolidPng("images/BG.png", kWidth, kHeight, kBgColour);
    writeSolidPng("images/LOGO.png", 918, 357, kLogoColour);
    writeSolidPng("images/BUTTONS.png", 7 * 134, 48, kButtonColour);
    writeSolidPng("images/TABLE.png", 820, 650, kTableColour);
    writeSolidPng("images/CHIPBG.png", 204, 768, kPanelColour);
    writeSolidPng("images/ARROWS.png", 2 * 26, 40, kArrowColour);
    writeSheetPng("images/CHIPS.png", kChipSheetCols, kChipSheetRows, kChipW, kChipH,
                  chipCellColour);
    writeSheetPng("images/CARDS.png", kCardCols, kCardRows, kCardW, kCardH,
                  [](int col, int row) { return cardCellColour(row * kCardCols + col); });
    copyFile(kSystemFont, "fonts/ds-digit.ttf");
}

const std::vector<std::string>& imageNames() {
    static const std::vector<std::string> names = {"BG",     "LOGO",   "BUTTONS", "TABLE",
                                                   "CHIPBG", "ARROWS", "CHIPS",   "CARDS"};
    return names;
}

void frame(Scene& scene, SDL_Renderer* renderer, int x, int y, bool clicked) {
    scene.handleInput(x, y, clicked);
    scene.update();
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_RenderPresent(renderer);
}

void click(Scene& scene, SDL_Renderer* renderer, int x, int y) {
    frame(scene, renderer, x, y, true);
    frame(scene, renderer, x, y, false);
}

void stackDeck(Game& engine, const std::vector<std::pair<int, std::string>>& topFirst) {
    std::vector<Card*>& cards = engine.deck->cards;
    // The top of the deck is the back of the vector, so the first card goes in last.
    for (auto wanted = topFirst.rbegin(); wanted != topFirst.rend(); ++wanted) {
        Card* card = nullptr;
        for (Card& c : engine.deck->pack) {
            if (c.rank == wanted->first && c.suit == wanted->second) {
                card = &c;
            }
        }
        auto at = std::find(cards.begin(), cards.end(), card);
        if (card == nullptr || at == cards.end()) {
            throw std::runtime_error("card not in the deck");
        }
        cards.erase(at);
        cards.push_back(card);
    }
}

Point addChipAt(int kind) {
    return Point{978, 130 + 100 * kind};
}

Point removeChipAt(int kind) {
    return Point{858, 130 + 100 * kind};
}

}  // namespace headless

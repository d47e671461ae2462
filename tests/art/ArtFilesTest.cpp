// The pictures in the run directory, checked the way the game cuts them up: sizes, cells that
// are drawn and tell apart, and backgrounds that leave the white status texts readable.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "rules/CardSheet.h"
#include "ui/Layout.h"

namespace {

const std::string kImages = std::string(ART_RUN_DIR) + "/images/";

struct Pixel {
    uint8_t r, g, b, a;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;

    const Pixel& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    Picture crop(int x, int y, int w, int h) const {
        Picture out;
        out.width = w;
        out.height = h;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                out.pixels.push_back(at(x + i, y + j));
            }
        }
        return out;
    }
};

Picture load(const std::string& path) {
    Picture picture;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return picture;
    }
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    picture.width = surface->w;
    picture.height = surface->h;
    for (int y = 0; y < surface->h; ++y) {
        const uint8_t* row =
            static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            picture.pixels.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
        }
    }
    SDL_FreeSurface(surface);
    return picture;
}

// Colour as seen over black, so that fully transparent pixels all look alike.
int channel(const Pixel& p, int c) {
    int value = c == 0 ? p.r : c == 1 ? p.g : p.b;
    return c == 3 ? p.a : value * p.a / 255;
}

// Pixels that differ clearly (by more than a quarter of the range in some channel).
int differingPixels(const Picture& a, const Picture& b) {
    int count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            if (std::abs(channel(a.pixels[i], c) - channel(b.pixels[i], c)) > 64) {
                ++count;
                break;
            }
        }
    }
    return count;
}

float luminance(const Pixel& p) {
    return (0.2126f * p.r + 0.7152f * p.g + 0.0722f * p.b) / 255;
}

// Something is drawn: a fair share of visible pixels, with light and dark among them.
bool hasDrawing(const Picture& p) {
    int visible = 0;
    float darkest = 1, lightest = 0;
    for (const Pixel& px : p.pixels) {
        if (px.a > 128) {
            ++visible;
            darkest = std::min(darkest, luminance(px));
            lightest = std::max(lightest, luminance(px));
        }
    }
    return visible > static_cast<int>(p.pixels.size() / 5) && lightest - darkest > 0.25f;
}

struct Cell {
    std::string name;
    Picture picture;
};

// Every pair of cells differs in at least `minimum` pixels.
void expectAllDistinct(const std::vector<Cell>& cells, int minimum) {
    for (size_t i = 0; i < cells.size(); ++i) {
        for (size_t j = i + 1; j < cells.size(); ++j) {
            EXPECT_GE(differingPixels(cells[i].picture, cells[j].picture), minimum)
                << cells[i].name << " looks like " << cells[j].name;
        }
    }
}

class ArtFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SDL_Init(0); }
    static void TearDownTestSuite() { SDL_Quit(); }
};

TEST_F(ArtFiles, EveryPictureExistsAtItsSize) {
    struct Expected {
        std::string path;
        int width, height;
    };
    const Expected expected[] = {
        {kImages + "CARDS.png", kSheetWidth, kSheetHeight},
        {kImages + "BUTTONS.png", 7 * 134, 48},
        {kImages + "ARROWS.png", 2 * 26, 40},
        {kImages + "CHIPS.png", 320, 132},
        {kImages + "BG.png", kWindowWidth, kWindowHeight},
        {kImages + "LOGO.png", 918, 357},
        {kImages + "TABLE.png", 820, 650},
        {kImages + "CHIPBG.png", 204, kWindowHeight},
        {ART_ICON, 256, 256},
    };
    for (const Expected& e : expected) {
        Picture p = load(e.path);
        EXPECT_EQ(p.width, e.width) << e.path;
        EXPECT_EQ(p.height, e.height) << e.path;
        if (p.width > 0) {
            EXPECT_TRUE(hasDrawing(p)) << e.path << " is blank";
        }
    }
}

const char* const kSuits[] = {"Clubs", "Diamonds", "Hearts", "Spades"};
const char* const kRanks[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};

// The faces of the deck fill the sheet from the 2 of Clubs to the ace of Spades.
constexpr int kFirstFace = kClubsCell;
constexpr int kLastFace = kSpadesCell + kAceOffset;

std::string cardName(int cell) {
    if (cell == kBackCell) {
        return "the back";
    }
    int face = cell - kFirstFace;
    return std::string(kRanks[face % kCellsPerSuit]) + " of " + kSuits[face / kCellsPerSuit];
}

class CardSheet : public ArtFiles {
protected:
    void SetUp() override {
        sheet = load(kImages + "CARDS.png");
        ASSERT_EQ(sheet.width, kSheetWidth);
        ASSERT_EQ(sheet.height, kSheetHeight);
    }
    Picture cell(int n, int w = kCardWidth, int h = kCardHeight) const {
        return sheet.crop(cellX(n), cellY(n), w, h);
    }
    std::vector<int> usedCells() const {
        std::vector<int> cells{kBackCell};
        for (int n = kFirstFace; n <= kLastFace; ++n) {
            cells.push_back(n);
        }
        return cells;
    }
    Picture sheet;
};

TEST_F(CardSheet, EveryCardIsDrawnInsideItsOwnCell) {
    for (int n : usedCells()) {
        Picture card = cell(n);
        EXPECT_TRUE(hasDrawing(card)) << cardName(n);
        // Opaque in the middle, cut away at the rounded corners: a card shifted off its cell
        // would show a neighbour's edge there.
        EXPECT_EQ(card.at(kCardWidth / 2, kCardHeight / 2).a, 255) << cardName(n);
        constexpr int kRight = kCardWidth - 1;
        constexpr int kBottom = kCardHeight - 1;
        for (auto [x, y] : {std::pair{0, 0}, {kRight, 0}, {0, kBottom}, {kRight, kBottom}}) {
            EXPECT_EQ(card.at(x, y).a, 0) << cardName(n) << " corner " << x << "," << y;
        }
    }
}

TEST_F(CardSheet, NoTwoCardsAlikeAndTheBackUnlikeAnyFace) {
    std::vector<Cell> cards;
    for (int n : usedCells()) {
        cards.push_back({cardName(n), cell(n)});
    }
    expectAllDistinct(cards, 100);
}

// A fanned hand covers all of a card but a strip at its left; the corner must name the card.
TEST_F(CardSheet, TopLeftCornersTellEveryFaceApart) {
    std::vector<Cell> corners;
    for (int n = kFirstFace; n <= kLastFace; ++n) {
        corners.push_back({cardName(n), cell(n, 40, 30)});
    }
    expectAllDistinct(corners, 12);
}

TEST_F(CardSheet, HeartsAndDiamondsAreRedClubsAndSpadesBlack) {
    for (int n = kFirstFace; n <= kLastFace; ++n) {
        Picture corner = cell(n, 40, 30);
        int red = 0, dark = 0;
        for (const Pixel& p : corner.pixels) {
            if (p.a > 200 && p.r > 150 && p.g < 90 && p.b < 90) {
                ++red;
            }
            if (p.a > 200 && p.r < 70 && p.g < 70 && p.b < 70) {
                ++dark;
            }
        }
        const int suit = (n - kFirstFace) / kCellsPerSuit;
        bool redSuit = suit == 1 || suit == 2;
        if (redSuit) {
            EXPECT_GT(red, 40) << cardName(n);
            EXPECT_EQ(dark, 0) << cardName(n);
        } else {
            EXPECT_GT(dark, 40) << cardName(n);
            EXPECT_EQ(red, 0) << cardName(n);
        }
    }
}

TEST_F(ArtFiles, ButtonAndArrowFramesAreDrawnAndDistinct) {
    Picture buttons = load(kImages + "BUTTONS.png");
    ASSERT_GE(buttons.width, 7 * 134);
    const char* const names[] = {"START", "EXIT", "HIT", "STAND", "DEAL", "DOUBLE", "SPLIT"};
    std::vector<Cell> frames;
    for (int i = 0; i < 7; ++i) {
        frames.push_back({names[i], buttons.crop(i * 134, 0, 134, 48)});
        EXPECT_TRUE(hasDrawing(frames.back().picture)) << names[i];
    }
    expectAllDistinct(frames, 100);

    Picture arrows = load(kImages + "ARROWS.png");
    ASSERT_GE(arrows.width, 52);
    ASSERT_GE(arrows.height, 40);
    Cell remove{"remove", arrows.crop(0, 0, 26, 40)}, add{"add", arrows.crop(26, 0, 26, 40)};
    EXPECT_TRUE(hasDrawing(remove.picture));
    EXPECT_TRUE(hasDrawing(add.picture));
    expectAllDistinct({remove, add}, 40);
}

TEST_F(ArtFiles, TheFiveChipsTheGameCutsAreRoundDistinctAndCentred) {
    Picture chips = load(kImages + "CHIPS.png");
    ASSERT_GE(chips.width, 320);
    ASSERT_GE(chips.height, 132);
    const int columns[] = {1, 3, 4, 0, 1}, rows[] = {0, 0, 0, 1, 1};
    const char* const values[] = {"5", "25", "50", "100", "500"};
    std::vector<Cell> cells;
    for (int i = 0; i < 5; ++i) {
        Picture chip = chips.crop(columns[i] * 64, rows[i] * 66, 64, 66);
        EXPECT_TRUE(hasDrawing(chip)) << values[i];
        EXPECT_EQ(chip.at(32, 33).a, 255) << values[i];
        for (auto [x, y] : {std::pair{0, 0}, {63, 0}, {0, 65}, {63, 65}}) {
            EXPECT_EQ(chip.at(x, y).a, 0) << values[i] << " corner " << x << "," << y;
        }
        cells.push_back({values[i], chip});
    }
    expectAllDistinct(cells, 150);
}

float meanLuminance(const Picture& p, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            sum += luminance(p.at(x, y));
        }
    }
    return static_cast<float>(sum / ((x1 - x0) * (y1 - y0)));
}

// The game writes white text on the table's top strip, on the panel's top and on the chip
// tray under each chip; the backgrounds there must stay dark.
TEST_F(ArtFiles, BackgroundsAreOpaqueAndDarkWhereWhiteTextGoes) {
    Picture table = load(kImages + "TABLE.png");
    Picture panel = load(kImages + "CHIPBG.png");
    Picture background = load(kImages + "BG.png");
    ASSERT_EQ(table.width, 820);
    ASSERT_EQ(panel.width, 204);
    ASSERT_EQ(background.width, kWindowWidth);
    for (const Picture* p : {&table, &panel, &background}) {
        EXPECT_TRUE(std::all_of(p->pixels.begin(), p->pixels.end(),
                                [](const Pixel& px) { return px.a == 255; }));
    }
    EXPECT_LT(meanLuminance(table, 40, 30, 800, 90), 0.25f);
    EXPECT_LT(meanLuminance(panel, 20, 28, 184, 92), 0.2f);
    for (int row = 0; row < 5; ++row) {
        int top = 174 + 100 * row;
        EXPECT_LT(meanLuminance(panel, 80, top, 124, top + 24), 0.25f) << "count " << row;
    }
    // Below the table, where the action buttons sit.
    EXPECT_LT(meanLuminance(background, 0, 650, 820, 768), 0.3f);
}

TEST_F(ArtFiles, RedrawingGivesTheSamePixels) {
    namespace fs = std::filesystem;
    const fs::path scratch = fs::path(ART_SCRATCH_DIR) / "redraw";
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const std::string command =
        std::string("\"") + ARTGEN_PATH + "\" --images \"" + scratch.string() + "\" --icon \"" +
        (scratch / "icon.png").string() + "\" --sans \"" + ARTGEN_FONT_SANS + "\" --narrow \"" +
        ARTGEN_FONT_NARROW + "\" --serif \"" + ARTGEN_FONT_SERIF + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name :
         {"CARDS", "BUTTONS", "ARROWS", "CHIPS", "BG", "LOGO", "TABLE", "CHIPBG"}) {
        Picture built = load(kImages + name + ".png");
        Picture again = load((scratch / (std::string(name) + ".png")).string());
        ASSERT_EQ(built.width, again.width) << name;
        ASSERT_EQ(built.height, again.height) << name;
        EXPECT_TRUE(std::equal(built.pixels.begin(), built.pixels.end(), again.pixels.begin(),
                               [](const Pixel& a, const Pixel& b) {
                                   return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
                               }))
            << name;
    }
    fs::remove_all(scratch);
}

}  // namespace

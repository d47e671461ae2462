// The pictures in the run directory, checked the way the game cuts them up: sizes, cells that
// are drawn and tell apart, and backgrounds that leave the white status texts readable. The same
// checks hold for the set drawn at twice the size in images/2x, which shown at half its size
// must look like the 1x set.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "rules/CardSheet.h"
#include "support/Picture.h"
#include "ui/Layout.h"

namespace {

const std::string kImages = std::string(ART_RUN_DIR) + "/images/";

// The pictures the game loads, with their size at density 1; at density 2 each is exactly twice
// as wide and high, and so is every cell or frame of a sheet.
struct GamePicture {
    const char* name;
    int width, height;
};
const GamePicture kGamePictures[] = {
    {"CARDS", kSheetWidth, kSheetHeight},
    {"BUTTONS", 7 * 134, 48},
    {"ARROWS", 2 * 26, 40},
    {"CHIPS", 5 * 64, 2 * 66},
    {"BG", kWindowWidth, kWindowHeight},
    {"LOGO", 918, 357},
    {"TABLE", 820, 650},
    {"CHIPBG", 204, kWindowHeight},
};

// The file of picture `name` drawn at `density` (1, or 2 for images/2x).
std::string picturePath(const std::string& name, int density) {
    return kImages + (density == 2 ? "2x/" : "") + name + ".png";
}

// Pixels that differ clearly (by more than a quarter of the range in some channel).
int differingPixels(const Picture& a, const Picture& b) {
    int count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            if (std::abs(overBlack(a.pixels[i], c) - overBlack(b.pixels[i], c)) > 64) {
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

// The checks a picture must pass at either density; d() scales the 1x coordinates they name.
class AtEachDensity : public ArtFiles, public ::testing::WithParamInterface<int> {
protected:
    int d() const { return GetParam(); }
    Picture load(const std::string& name) const { return loadPicture(picturePath(name, d())); }
};

std::string densityName(const ::testing::TestParamInfo<int>& info) {
    return std::to_string(info.param) + "x";
}

TEST_P(AtEachDensity, EveryPictureExistsAtItsSize) {
    for (const GamePicture& e : kGamePictures) {
        Picture p = load(e.name);
        EXPECT_EQ(p.width, e.width * d()) << e.name;
        EXPECT_EQ(p.height, e.height * d()) << e.name;
        if (p.width > 0) {
            EXPECT_TRUE(hasDrawing(p)) << e.name << " is blank";
        }
    }
}

TEST_F(ArtFiles, TheDesktopIconExistsAtItsSize) {
    Picture icon = loadPicture(ART_ICON);
    EXPECT_EQ(icon.width, 256);
    EXPECT_EQ(icon.height, 256);
    EXPECT_TRUE(hasDrawing(icon));
}

const char* const kRanks[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};

// The faces of the deck fill the sheet from the 2 of Clubs to the ace of Spades.
constexpr int kFirstFace = kClubsCell;
constexpr int kLastFace = kSpadesCell + kAceOffset;

std::string cardName(int cell) {
    if (cell == kBackCell) {
        return "the back";
    }
    int face = cell - kFirstFace;
    return std::string(kRanks[face % kCellsPerSuit]) + " of " +
           std::string(kSheetSuitNames.at(face / kCellsPerSuit));
}

class CardSheet : public AtEachDensity {
protected:
    void SetUp() override {
        sheet = load("CARDS");
        ASSERT_EQ(sheet.width, kSheetWidth * d());
        ASSERT_EQ(sheet.height, kSheetHeight * d());
    }
    // The top-left w x h (1x pixels) of cell n.
    Picture cell(int n, int w = kCardWidth, int h = kCardHeight) const {
        return sheet.crop(cellX(n) * d(), cellY(n) * d(), w * d(), h * d());
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

TEST_P(CardSheet, EveryCardIsDrawnInsideItsOwnCell) {
    for (int n : usedCells()) {
        Picture card = cell(n);
        EXPECT_TRUE(hasDrawing(card)) << cardName(n);
        // Opaque in the middle, cut away at the rounded corners: a card shifted off its cell
        // would show a neighbour's edge there.
        EXPECT_EQ(card.at(card.width / 2, card.height / 2).a, 255) << cardName(n);
        const int right = card.width - 1, bottom = card.height - 1;
        for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
            EXPECT_EQ(card.at(x, y).a, 0) << cardName(n) << " corner " << x << "," << y;
        }
    }
}

TEST_P(CardSheet, NoTwoCardsAlikeAndTheBackUnlikeAnyFace) {
    std::vector<Cell> cards;
    for (int n : usedCells()) {
        cards.push_back({cardName(n), cell(n)});
    }
    expectAllDistinct(cards, 100 * d() * d());
}

// A fanned hand covers all of a card but a strip at its left; the corner must name the card.
TEST_P(CardSheet, TopLeftCornersTellEveryFaceApart) {
    std::vector<Cell> corners;
    for (int n = kFirstFace; n <= kLastFace; ++n) {
        corners.push_back({cardName(n), cell(n, 40, 30)});
    }
    expectAllDistinct(corners, 12 * d() * d());
}

TEST_P(CardSheet, HeartsAndDiamondsAreRedClubsAndSpadesBlack) {
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
            EXPECT_GT(red, 40 * d() * d()) << cardName(n);
            EXPECT_EQ(dark, 0) << cardName(n);
        } else {
            EXPECT_GT(dark, 40 * d() * d()) << cardName(n);
            EXPECT_EQ(red, 0) << cardName(n);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Densities, CardSheet, ::testing::Values(1, 2), densityName);

TEST_P(AtEachDensity, ButtonAndArrowFramesAreDrawnAndDistinct) {
    Picture buttons = load("BUTTONS");
    ASSERT_GE(buttons.width, 7 * 134 * d());
    const char* const names[] = {"START", "EXIT", "HIT", "STAND", "DEAL", "DOUBLE", "SPLIT"};
    std::vector<Cell> frames;
    for (int i = 0; i < 7; ++i) {
        frames.push_back({names[i], buttons.crop(i * 134 * d(), 0, 134 * d(), 48 * d())});
        EXPECT_TRUE(hasDrawing(frames.back().picture)) << names[i];
    }
    expectAllDistinct(frames, 100 * d() * d());

    Picture arrows = load("ARROWS");
    ASSERT_GE(arrows.width, 52 * d());
    ASSERT_GE(arrows.height, 40 * d());
    Cell remove{"remove", arrows.crop(0, 0, 26 * d(), 40 * d())};
    Cell add{"add", arrows.crop(26 * d(), 0, 26 * d(), 40 * d())};
    EXPECT_TRUE(hasDrawing(remove.picture));
    EXPECT_TRUE(hasDrawing(add.picture));
    expectAllDistinct({remove, add}, 40 * d() * d());
}

TEST_P(AtEachDensity, TheFiveChipsTheGameCutsAreRoundDistinctAndCentred) {
    Picture chips = load("CHIPS");
    ASSERT_GE(chips.width, 320 * d());
    ASSERT_GE(chips.height, 132 * d());
    const int columns[] = {1, 3, 4, 0, 1}, rows[] = {0, 0, 0, 1, 1};
    const char* const values[] = {"5", "25", "50", "100", "500"};
    std::vector<Cell> cells;
    for (int i = 0; i < 5; ++i) {
        Picture chip = chips.crop(columns[i] * 64 * d(), rows[i] * 66 * d(), 64 * d(), 66 * d());
        EXPECT_TRUE(hasDrawing(chip)) << values[i];
        EXPECT_EQ(chip.at(32 * d(), 33 * d()).a, 255) << values[i];
        const int right = chip.width - 1, bottom = chip.height - 1;
        for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
            EXPECT_EQ(chip.at(x, y).a, 0) << values[i] << " corner " << x << "," << y;
        }
        cells.push_back({values[i], chip});
    }
    expectAllDistinct(cells, 150 * d() * d());
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
TEST_P(AtEachDensity, BackgroundsAreOpaqueAndDarkWhereWhiteTextGoes) {
    Picture table = load("TABLE");
    Picture panel = load("CHIPBG");
    Picture background = load("BG");
    ASSERT_EQ(table.width, 820 * d());
    ASSERT_EQ(panel.width, 204 * d());
    ASSERT_EQ(background.width, kWindowWidth * d());
    for (const Picture* p : {&table, &panel, &background}) {
        EXPECT_TRUE(std::all_of(p->pixels.begin(), p->pixels.end(),
                                [](const Pixel& px) { return px.a == 255; }));
    }
    // The mean luminance over a box given in 1x pixels.
    auto mean = [this](const Picture& p, int x0, int y0, int x1, int y1) {
        return meanLuminance(p, x0 * d(), y0 * d(), x1 * d(), y1 * d());
    };
    EXPECT_LT(mean(table, 40, 30, 800, 90), 0.25f);
    EXPECT_LT(mean(panel, 20, 28, 184, 92), 0.2f);
    for (int row = 0; row < 5; ++row) {
        int top = 174 + 100 * row;
        EXPECT_LT(mean(panel, 80, top, 124, top + 24), 0.25f) << "count " << row;
    }
    // Below the table, where the action buttons sit.
    EXPECT_LT(mean(background, 0, 650, 820, 768), 0.3f);
}

INSTANTIATE_TEST_SUITE_P(Densities, AtEachDensity, ::testing::Values(1, 2), densityName);

// A 2x picture halved with a box filter is the same drawing as the 1x picture, sampled a little
// differently: within half a level per channel on average (the pictures differ by 0.03 to 0.18),
// at a peak signal-to-noise ratio of 47 dB or more (50 to 63 dB; the dark felt of the background
// moved by one pixel, the wrong picture that comes closest, gives 43 dB).
constexpr double kMaxMeanDifference = 0.5;
constexpr double kMinPsnr = 47.0;

bool looksTheSame(const PictureDifference& difference) {
    return difference.meanAbsolute <= kMaxMeanDifference && difference.psnr >= kMinPsnr;
}

TEST_F(ArtFiles, EveryPictureAtTwiceTheSizeShownAtHalfSizeLooksLikeTheOneXPicture) {
    for (const GamePicture& e : kGamePictures) {
        const Picture once = loadPicture(picturePath(e.name, 1));
        const Picture twice = loadPicture(picturePath(e.name, 2));
        ASSERT_EQ(twice.width, 2 * once.width) << e.name;
        ASSERT_EQ(twice.height, 2 * once.height) << e.name;
        const PictureDifference difference = compare(twice.halved(), once);
        std::cout << "# " << e.name << ": " << difference << '\n';
        EXPECT_TRUE(looksTheSame(difference)) << e.name << ": " << difference;
    }
}

// The comparison above must fail a picture that is not the same: the halved 2x picture moved by
// one pixel, and for the sheets, each cell against its neighbour in the 1x sheet. The wrong
// picture that comes closest is reported.
TEST_F(ArtFiles, TheHalfSizeComparisonFailsAShiftedOrWrongPicture) {
    PictureDifference closest{0, 0};
    std::string closestName;
    auto expectDifferent = [&](const Picture& a, const Picture& b, const std::string& what) {
        const PictureDifference difference = compare(a, b);
        EXPECT_FALSE(looksTheSame(difference)) << what << ": " << difference;
        if (difference.psnr > closest.psnr) {
            closest = difference;
            closestName = what;
        }
    };
    for (const GamePicture& e : kGamePictures) {
        const Picture once = loadPicture(picturePath(e.name, 1));
        const Picture halved = loadPicture(picturePath(e.name, 2)).halved();
        ASSERT_EQ(halved.width, once.width) << e.name;
        const int w = once.width - 1, h = once.height - 1;
        expectDifferent(halved.crop(1, 0, w, h), once.crop(0, 0, w, h),
                        std::string(e.name) + " moved a pixel right");
        expectDifferent(halved.crop(0, 1, w, h), once.crop(0, 0, w, h),
                        std::string(e.name) + " moved a pixel down");
    }
    struct Sheet {
        const char* name;
        int cellWidth, cellHeight;
    };
    for (const Sheet& s : {Sheet{"CARDS", kCardWidth, kCardHeight}, Sheet{"BUTTONS", 134, 48},
                           Sheet{"ARROWS", 26, 40}, Sheet{"CHIPS", 64, 66}}) {
        const Picture once = loadPicture(picturePath(s.name, 1));
        const Picture halved = loadPicture(picturePath(s.name, 2)).halved();
        ASSERT_EQ(halved.width, once.width) << s.name;
        for (int i = 0; (i + 2) * s.cellWidth <= once.width; ++i) {
            expectDifferent(halved.crop(i * s.cellWidth, 0, s.cellWidth, s.cellHeight),
                            once.crop((i + 1) * s.cellWidth, 0, s.cellWidth, s.cellHeight),
                            std::string(s.name) + " cell " + std::to_string(i) + " against cell " +
                                std::to_string(i + 1));
        }
    }
    std::cout << "# closest wrong picture: " << closestName << ", " << closest << '\n';
}

// 64-bit FNV-1a over bytes.
uint64_t fnv1a(const uint8_t* bytes, size_t size, uint64_t hash = 0xcbf29ce484222325ull) {
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001b3ull;
    }
    return hash;
}

uint64_t digestOfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    return fnv1a(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

uint64_t digestOfPixels(const Picture& p) {
    uint64_t hash = fnv1a(reinterpret_cast<const uint8_t*>(&p.width), sizeof p.width);
    hash = fnv1a(reinterpret_cast<const uint8_t*>(&p.height), sizeof p.height, hash);
    for (const Pixel& px : p.pixels) {
        const uint8_t rgba[4] = {px.r, px.g, px.b, px.a};
        hash = fnv1a(rgba, sizeof rgba, hash);
    }
    return hash;
}

// The 1x pictures are the ones the game has always shown, pixel for pixel: drawing them at a
// second density changes none of them. The pixels depend on the fonts and FreeType too, so the
// test holds them to the fonts and FreeType they were recorded with.
TEST_F(ArtFiles, TheOneXPicturesAreTheOnesTheGameHasAlwaysShown) {
    const uint64_t kSans = 0x1b3be1b9d0324063, kNarrow = 0xcc1a15ac2d1f6b49,
                   kSerif = 0xbebab54726bef844;
    const char* const kFreeType = "2.12.1";
    int major = 0, minor = 0, patch = 0;
    TTF_Init();
    TTF_GetFreeTypeVersion(&major, &minor, &patch);
    TTF_Quit();
    const std::string freeType =
        std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
    const uint64_t sans = digestOfFile(ARTGEN_FONT_SANS);
    const uint64_t narrow = digestOfFile(ARTGEN_FONT_NARROW);
    const uint64_t serif = digestOfFile(ARTGEN_FONT_SERIF);
    if (sans != kSans || narrow != kNarrow || serif != kSerif || freeType != kFreeType) {
        GTEST_SKIP() << "the pictures were recorded with other fonts or FreeType " << kFreeType
                     << " (here " << freeType << ", fonts " << std::hex << sans << " " << narrow
                     << " " << serif << ")";
    }
    struct Recorded {
        const char* name;
        uint64_t digest;
    };
    const Recorded recorded[] = {
        {"CARDS", 0x749934c77d127f7d},  {"BUTTONS", 0x099240654272ab93},
        {"ARROWS", 0x34ab5bfbf2f5aa89}, {"CHIPS", 0x83904b26afc40ce0},
        {"BG", 0x156655b592a80569},     {"LOGO", 0xc311bf0afb9378a9},
        {"TABLE", 0x81576ae506ce85b9},  {"CHIPBG", 0x34d79ac89ac13a46},
    };
    for (const Recorded& r : recorded) {
        const uint64_t digest = digestOfPixels(loadPicture(picturePath(r.name, 1)));
        EXPECT_EQ(digest, r.digest) << r.name << std::hex << " has the pixel digest 0x" << digest;
    }
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
    for (const GamePicture& e : kGamePictures) {
        for (const std::string& file : {std::string(e.name), "2x/" + std::string(e.name)}) {
            Picture built = loadPicture(kImages + file + ".png");
            Picture again = loadPicture((scratch / (file + ".png")).string());
            ASSERT_EQ(built.width, again.width) << file;
            ASSERT_EQ(built.height, again.height) << file;
            EXPECT_TRUE(std::equal(built.pixels.begin(), built.pixels.end(), again.pixels.begin(),
                                   [](const Pixel& a, const Pixel& b) {
                                       return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
                                   }))
                << file;
        }
    }
    fs::remove_all(scratch);
}

}  // namespace

// The pictures and the font are the game's only input. Each spoiled one (missing, empty,
// truncated, not an image at all, a sheet smaller than its layout, a missing or corrupt font) must
// leave both screens running and drawing everything else, with exactly the expected lines on
// standard output and a round that still plays. Leaks are the sanitizer build's to find.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Table.h"
#include "support/Images.h"
#include "support/ScratchDir.h"
#include "support/Screen.h"
#include "support/StackedDeck.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

namespace {

using namespace table;

std::string failedLine(const std::string& image) {
    return "Failed to load texture: ./images/" + image + ".png\n";
}
const std::string kFontFailedLine = "Failed to load font: ./fonts/ds-digit.ttf\n";

// Places to look at on the game screen, each covered by one picture only once the pointer rests
// away from the buttons.
constexpr Point kBgSpot{50, 720};          // below the table, left of the action buttons
constexpr Point kTableSpot{760, 600};      // the table, clear of cards and texts
constexpr Point kPanelSpot{1010, 600};     // the chip panel, clear of chips and buttons
constexpr Point kChipSpot{917, 133};       // chip 0
constexpr Point kArrowSpot{858, 130};      // the remove arrow of chip 0
constexpr Point kExitSpot{912, 714};       // the exit button
constexpr Point kDealerCardSpot{40, 150};  // the dealer's first card, left of the second

class BadAssets : public ::testing::Test {
protected:
    void SetUp() override { writeGoodArt(); }

    // The menu: set up, a frame, a look, the start click, cleanup.
    void runMenu() {
        auto menu = std::make_unique<MenuScene>();
        menu->init(r());
        frame(*menu, r(), kRestAt.x, kRestAt.y, false);
        menuBg = screen.pixel(20, 20);
        menuLogo = screen.pixel(512, 300);
        menuStart = screen.pixel(kStartAt.x, kStartAt.y);
        click(*menu, r(), kStartAt.x, kStartAt.y);
        EXPECT_TRUE(menu->shouldStartGame());
        menu->cleanup();
    }

    // The game screen from the switch: a frame before any update, one chip of 5 and DEAL, STAND
    // while the round is in play, then a resting frame to look at. Cleaned up by TearDown.
    void playRound() {
        game = std::make_unique<GameScene>();
        game->init(r());
        game->render(r());
        frame(*game, r(), kRestAt.x, kRestAt.y, false);
        click(*game, r(), addChipAt(0).x, addChipAt(0).y);
        ASSERT_EQ(game->pendingBet, 5);
        click(*game, r(), kDealAt.x, kDealAt.y);
        if (!game->engine->isRoundOver()) {
            ASSERT_EQ(game->engine->getWallet(), 995);
            ASSERT_EQ(game->engine->getBet(), 5);
        }
        if (game->roundActive) {
            click(*game, r(), kStandAt.x, kStandAt.y);
        }
        frame(*game, r(), kRestAt.x, kRestAt.y, false);
        ASSERT_TRUE(game->engine->isRoundOver());
        EXPECT_FALSE(game->roundActive);
        EXPECT_TRUE(game->dealEnabled);
        EXPECT_EQ(game->engine->getBet(), 0);
        EXPECT_FALSE(game->engine->getResultText().empty());
        const int wallet = game->engine->getWallet();
        EXPECT_TRUE(wallet == 995 || wallet == 1000 || wallet == 1005 || wallet == 1007)
            << "wallet " << wallet << " after a round of 5";
    }

    void TearDown() override {
        if (game) {
            game->cleanup();
        }
    }

    SDL_Renderer* r() const { return screen.renderer(); }
    Rgb at(Point p) { return screen.pixel(p.x, p.y); }

    ScratchDir dir;
    Screen screen;
    std::unique_ptr<GameScene> game;
    Rgb menuBg, menuLogo, menuStart;
};

// ---- One picture spoiled at a time ----

enum class Spoil { Missing, Empty, Truncated, NotAnImage };

void spoil(const std::string& image, Spoil how) {
    const std::string path = "images/" + image + ".png";
    switch (how) {
        case Spoil::Missing:
            std::remove(path.c_str());
            break;
        case Spoil::Empty:
            writeBytes(path, "");
            break;
        case Spoil::Truncated: {
            const std::string png = readBytes(path);
            writeBytes(path, png.substr(0, png.size() / 2));
            break;
        }
        case Spoil::NotAnImage:
            writeBytes(path, "BG=forest green\nthis file was never a picture\n");
            break;
    }
}

class SpoiledImage : public BadAssets,
                     public ::testing::WithParamInterface<std::tuple<std::string, Spoil>> {};

TEST_P(SpoiledImage, IsReportedAndLeavesAHoleWhileEverythingElsePlays) {
    const std::string image = std::get<0>(GetParam());
    spoil(image, std::get<1>(GetParam()));
    auto bad = [&](const char* name) { return image == name; };

    testing::internal::CaptureStdout();
    runMenu();
    playRound();
    const std::string out = testing::internal::GetCapturedStdout();
    if (HasFatalFailure()) {
        return;
    }

    // Exactly one line per failed load, in loading order: the engine reads the card sheet first.
    std::string expected;
    for (const char* name : {"BG", "LOGO", "BUTTONS"}) {
        expected += bad(name) ? failedLine(name) : "";
    }
    expected += "START GAME\n";
    for (const char* name : {"CARDS", "BG", "TABLE", "CHIPBG", "CHIPS", "ARROWS", "BUTTONS"}) {
        expected += bad(name) ? failedLine(name) : "";
    }
    EXPECT_EQ(out, expected);

    // The spoiled picture leaves a hole; everything else is drawn.
    EXPECT_EQ(menuBg, bad("BG") ? kBlack : kBgColour);
    EXPECT_EQ(menuLogo, bad("LOGO") ? kBgColour : kLogoColour);
    EXPECT_EQ(menuStart, bad("BUTTONS") ? kBgColour : kButtonColour);

    EXPECT_EQ(at(kBgSpot), bad("BG") ? kBlack : kBgColour);
    const Rgb underTable = bad("BG") ? kBlack : kBgColour;
    EXPECT_EQ(at(kTableSpot), bad("TABLE") ? underTable : kTableColour);
    const Rgb panel = bad("CHIPBG") ? underTable : kPanelColour;
    EXPECT_EQ(at(kPanelSpot), panel);
    EXPECT_EQ(at(kChipSpot), bad("CHIPS") ? panel : chipCellColour(1, 0));
    EXPECT_EQ(at(kArrowSpot), bad("ARROWS") ? panel : kArrowColour);
    EXPECT_EQ(at(kExitSpot), bad("BUTTONS") ? panel : kButtonColour);
    const Rgb table = bad("TABLE") ? underTable : kTableColour;
    EXPECT_EQ(at(kDealerCardSpot),
              bad("CARDS") ? table : cardCellColour(sheetCell(*game->engine->dealer.cards[0])));

    // The status texts do not depend on the pictures.
    EXPECT_NE(game->walletLabel, nullptr);
    EXPECT_NE(game->resultLabel, nullptr);
}

std::string spoilName(const testing::TestParamInfo<std::tuple<std::string, Spoil>>& info) {
    static const char* const names[] = {"Missing", "Empty", "Truncated", "NotAnImage"};
    return std::get<0>(info.param) + "_" + names[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EveryImage, SpoiledImage,
                         ::testing::Combine(::testing::ValuesIn(imageNames()),
                                            ::testing::Values(Spoil::Missing, Spoil::Empty,
                                                              Spoil::Truncated, Spoil::NotAnImage)),
                         spoilName);

TEST_F(BadAssets, NoPicturesAndNoFontStillPlayARound) {
    for (const std::string& image : imageNames()) {
        spoil(image, Spoil::Missing);
    }
    std::remove("fonts/ds-digit.ttf");

    testing::internal::CaptureStdout();
    runMenu();
    playRound();
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(out, failedLine("BG") + failedLine("LOGO") + failedLine("BUTTONS") + "START GAME\n" +
                       failedLine("CARDS") + failedLine("BG") + failedLine("TABLE") +
                       failedLine("CHIPBG") + failedLine("CHIPS") + failedLine("ARROWS") +
                       failedLine("BUTTONS") + kFontFailedLine);
    // Nothing but the clear colour anywhere.
    for (Point p : {kBgSpot, kTableSpot, kPanelSpot, kChipSpot, kExitSpot, kDealerCardSpot}) {
        EXPECT_EQ(at(p), kBlack) << p.x << ", " << p.y;
    }
}

// ---- Sheets smaller than their layout: cells outside the picture draw nothing ----

TEST_F(BadAssets, CardSheetOfTwoRowsDrawsOnlyTheCardsItHolds) {
    writeSheetPng("images/CARDS.png", kSheetColumns, 2, kCardWidth, kCardHeight,
                  [](int col, int row) { return cardCellColour(row * kSheetColumns + col); });
    game = std::make_unique<GameScene>();
    game->init(r());
    // Player 9 of Spades (cell 48, outside), dealer 2 of Clubs (cell 2), player 5 of Clubs
    // (cell 5), dealer's hole card 10 of Hearts (cell 36, outside); the dealer then draws the
    // 7 of Clubs (cell 7) to 19.
    stackDeck(*game->engine->deck, "9S 2C 5C TH 7C");
    frame(*game, r(), kRestAt.x, kRestAt.y, false);
    click(*game, r(), addChipAt(0).x, addChipAt(0).y);
    click(*game, r(), kDealAt.x, kDealAt.y);
    ASSERT_TRUE(game->roundActive);

    EXPECT_EQ(at({40, 150}), cardCellColour(2)) << "the dealer's up card";
    EXPECT_EQ(at({150, 200}), cardCellColour(0)) << "the hole card's back";
    EXPECT_EQ(at({40, 400}), kTableColour) << "the player's 9 of Spades lies outside";
    EXPECT_EQ(at({150, 400}), cardCellColour(5)) << "the player's 5 of Clubs";

    click(*game, r(), kStandAt.x, kStandAt.y);
    frame(*game, r(), kRestAt.x, kRestAt.y, false);
    ASSERT_TRUE(game->engine->isRoundOver());
    EXPECT_EQ(game->engine->getWallet(), 995);
    EXPECT_EQ(at({80, 200}), cardCellColour(2))
        << "the revealed 10 of Hearts lies outside: the up card shows where it would be";
    EXPECT_EQ(at({150, 200}), cardCellColour(7)) << "the dealer's third card";
}

TEST_F(BadAssets, ChipSheetOfOneRowDrawsTheFirstThreeChips) {
    writeSheetPng("images/CHIPS.png", kChipSheetCols, 1, kChipW, kChipH, chipCellColour);
    testing::internal::CaptureStdout();
    playRound();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    EXPECT_EQ(at({917, 133}), chipCellColour(1, 0));
    EXPECT_EQ(at({917, 233}), chipCellColour(3, 0));
    EXPECT_EQ(at({917, 333}), chipCellColour(4, 0));
    EXPECT_EQ(at({917, 433}), kPanelColour) << "the 100 chip's cell lies outside";
    EXPECT_EQ(at({917, 533}), kPanelColour) << "the 500 chip's cell lies outside";
}

TEST_F(BadAssets, ButtonStripOfTwoFramesDrawsStartAndExitButStillDeals) {
    writeSolidPng("images/BUTTONS.png", 2 * 134, 48, kButtonColour);
    writeSolidPng("images/ARROWS.png", 26, 40, kArrowColour);
    testing::internal::CaptureStdout();
    runMenu();
    playRound();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n");

    EXPECT_EQ(menuStart, kButtonColour);
    EXPECT_EQ(at(kExitSpot), kButtonColour);
    EXPECT_EQ(at(kDealAt), kPanelColour) << "the deal frame lies outside the strip";
    EXPECT_EQ(at(kArrowSpot), kArrowColour);
    EXPECT_EQ(at(addChipAt(0)), kPanelColour) << "the add frame lies outside the strip";
}

TEST_F(BadAssets, SheetsOfOnePixelPlayARound) {
    for (const char* sheet : {"CARDS", "CHIPS", "BUTTONS", "ARROWS"}) {
        writeSolidPng(std::string("images/") + sheet + ".png", 1, 1, kLogoColour);
    }
    testing::internal::CaptureStdout();
    runMenu();
    playRound();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n");
    // Only the first cell or frame touches the picture; the exit frame lies wholly outside.
    EXPECT_EQ(at(kExitSpot), kPanelColour);
}

// ---- The font ----

enum class FontSpoil { Missing, Empty, RandomBytes, HeaderOnly, Truncated };

class SpoiledFont : public BadAssets, public ::testing::WithParamInterface<FontSpoil> {
protected:
    void spoilFont() {
        const std::string path = "fonts/ds-digit.ttf";
        const std::string font = readBytes(kSystemFont);
        switch (GetParam()) {
            case FontSpoil::Missing:
                std::remove(path.c_str());
                break;
            case FontSpoil::Empty:
                writeBytes(path, "");
                break;
            case FontSpoil::RandomBytes: {
                std::mt19937 rng(5);
                std::string noise(64 * 1024, '\0');
                for (char& c : noise) {
                    c = static_cast<char>(rng());
                }
                writeBytes(path, noise);
                break;
            }
            case FontSpoil::HeaderOnly:
                writeBytes(path, font.substr(0, 1024));
                break;
            case FontSpoil::Truncated:
                writeBytes(path, font.substr(0, font.size() / 2));
                break;
        }
    }

    void expectNoLabels() {
        EXPECT_EQ(game->walletLabel, nullptr);
        EXPECT_EQ(game->betLabel, nullptr);
        EXPECT_EQ(game->resultLabel, nullptr);
        EXPECT_EQ(game->playerLabel, nullptr);
        EXPECT_EQ(game->dealerLabel, nullptr);
        for (SDL_Texture* label : game->chipCountLabels) {
            EXPECT_EQ(label, nullptr);
        }
    }
};

TEST_P(SpoiledFont, LeavesEveryTextEmptyAndThePicturesDrawn) {
    spoilFont();
    testing::internal::CaptureStdout();
    playRound();
    const std::string out = testing::internal::GetCapturedStdout();
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(out, kFontFailedLine);
    EXPECT_EQ(game->font, nullptr);
    expectNoLabels();

    // Where the wallet text would be, the chip panel shows through.
    EXPECT_EQ(at({922, 40}), kPanelColour);
    EXPECT_EQ(at(kChipSpot), chipCellColour(1, 0));
    EXPECT_EQ(at(kExitSpot), kButtonColour);

    // More rounds, still without a text.
    for (int round = 0; round < 3; ++round) {
        click(*game, r(), addChipAt(1).x, addChipAt(1).y);
        click(*game, r(), kDealAt.x, kDealAt.y);
        if (game->roundActive) {
            click(*game, r(), kStandAt.x, kStandAt.y);
        }
        ASSERT_TRUE(game->engine->isRoundOver());
        expectNoLabels();
    }
}

// A font cut short only in its last tables still has every glyph: the texts are written.
TEST_F(BadAssets, FontMissingOnlyItsLastTablesStillWritesTheTexts) {
    const std::string font = readBytes(kSystemFont);
    writeBytes("fonts/ds-digit.ttf", font.substr(0, font.size() * 19 / 20));
    playRound();
    ASSERT_NE(game->font, nullptr);
    EXPECT_NE(game->walletLabel, nullptr);
    EXPECT_NE(game->resultLabel, nullptr);
    EXPECT_NE(game->chipCountLabels[4], nullptr);
}

// Scrambled glyph outlines: whatever SDL_ttf makes of them, every label is a whole texture or
// none, and the game plays on.
TEST_F(BadAssets, FontWithScrambledGlyphsKeepsPlaying) {
    std::string font = readBytes(kSystemFont);
    std::mt19937 rng(11);
    for (std::size_t i = font.size() / 3; i < font.size() / 3 + 40000; ++i) {
        font[i] = static_cast<char>(rng());
    }
    writeBytes("fonts/ds-digit.ttf", font);
    playRound();
    for (int round = 0; round < 5; ++round) {
        click(*game, r(), addChipAt(0).x, addChipAt(0).y);
        click(*game, r(), kDealAt.x, kDealAt.y);
        if (game->roundActive) {
            click(*game, r(), kStandAt.x, kStandAt.y);
        }
        ASSERT_TRUE(game->engine->isRoundOver());
    }
    for (SDL_Texture* label : {game->walletLabel, game->betLabel, game->resultLabel,
                               game->playerLabel, game->dealerLabel}) {
        int w = 0;
        int h = 0;
        if (label != nullptr) {
            EXPECT_EQ(SDL_QueryTexture(label, nullptr, nullptr, &w, &h), 0);
            EXPECT_GT(w, 0);
            EXPECT_GT(h, 0);
        }
    }
}

std::string fontSpoilName(const testing::TestParamInfo<FontSpoil>& info) {
    static const char* const names[] = {"Missing", "Empty", "RandomBytes", "HeaderOnly",
                                        "Truncated"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Fonts, SpoiledFont,
                         ::testing::Values(FontSpoil::Missing, FontSpoil::Empty,
                                           FontSpoil::RandomBytes, FontSpoil::HeaderOnly,
                                           FontSpoil::Truncated),
                         fontSpoilName);

}  // namespace

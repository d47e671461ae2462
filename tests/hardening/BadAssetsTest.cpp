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

#include "support/HeadlessTable.h"
#include "support/Images.h"
#include "support/ScratchDir.h"
#include "support/Screen.h"
#include "support/StackedDeck.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

namespace {

std::string failedLine(const std::string& image) {
    return "Failed to load texture: ./images/" + image + ".png\n";
}
const std::string kFontFailedLine = "Failed to load font: ./fonts/ds-digit.ttf\n";

// Places to look at on the game screen, each covered by one picture only once the pointer rests
// away from the buttons.
constexpr SDL_Point kBgSpot{50, 720};       // below the table, left of the action buttons
constexpr SDL_Point kTableSpot{760, 600};   // the table, clear of cards and texts
constexpr SDL_Point kPanelSpot{1010, 600};  // the chip panel, clear of chips and buttons
const SDL_Point kChipSpot = centreOf(chipRect(0));
const SDL_Point kArrowSpot = removeChipAt(0);
constexpr SDL_Point kExitSpot = kExitAt;
// The dealer's first card, left of the second.
constexpr SDL_Point kDealerCardSpot{kDealerX + 10, kDealerY + 50};

class BadAssets : public HeadlessTest {
protected:
    // The menu: set up, a frame, a look, the start click, cleanup.
    void runMenu() {
        auto menu = std::make_unique<MenuScene>();
        menu->init(r());
        frame(*menu, r(), kAwayFromButtons, false);
        menuBg = at(20, 20);
        menuLogo = at(centreOf(kLogoRect));
        menuStart = at(kStartAt);
        click(*menu, r(), kStartAt);
        EXPECT_TRUE(menu->shouldStartGame());
        menu->cleanup();
    }

    // The game screen from the switch: a frame before any update, one chip of 5 and DEAL, STAND
    // while the round is in play, then a resting frame to look at. Cleaned up by TearDown.
    void playRound() {
        game = std::make_unique<GameScene>();
        game->init(r());
        game->render(r());
        frame(*game, r(), kAwayFromButtons, false);
        click(*game, r(), addChipAt(0));
        ASSERT_EQ(game->pendingBet, 5);
        click(*game, r(), kDealAt);
        if (!game->engine->isRoundOver()) {
            ASSERT_EQ(game->engine->getWallet(), 995);
            ASSERT_EQ(game->engine->getBet(), 5);
        }
        if (game->roundActive) {
            click(*game, r(), kStandAt);
        }
        frame(*game, r(), kAwayFromButtons, false);
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
        HeadlessTest::TearDown();
    }

    SDL_Renderer* r() const { return renderer; }

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
    EXPECT_EQ(menuBg, bad("BG") ? art::kBlack : art::kBackground);
    EXPECT_EQ(menuLogo, bad("LOGO") ? art::kBackground : art::kLogo);
    EXPECT_EQ(menuStart, bad("BUTTONS") ? art::kBackground : art::button(kStartFrame));

    EXPECT_EQ(at(kBgSpot), bad("BG") ? art::kBlack : art::kBackground);
    const Rgb underTable = bad("BG") ? art::kBlack : art::kBackground;
    EXPECT_EQ(at(kTableSpot), bad("TABLE") ? underTable : art::kTable);
    const Rgb panel = bad("CHIPBG") ? underTable : art::kPanel;
    EXPECT_EQ(at(kPanelSpot), panel);
    EXPECT_EQ(at(kChipSpot), bad("CHIPS") ? panel : art::chip(1, 0));
    EXPECT_EQ(at(kArrowSpot), bad("ARROWS") ? panel : art::arrow(kRemoveFrame));
    EXPECT_EQ(at(kExitSpot), bad("BUTTONS") ? panel : art::button(kExitFrame));
    const Rgb table = bad("TABLE") ? underTable : art::kTable;
    EXPECT_EQ(at(kDealerCardSpot),
              bad("CARDS") ? table : art::card(sheetCell(*game->engine->dealer.cards[0])));

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
    for (SDL_Point p : {kBgSpot, kTableSpot, kPanelSpot, kChipSpot, kExitSpot, kDealerCardSpot}) {
        EXPECT_EQ(at(p), art::kBlack) << p.x << ", " << p.y;
    }
}

// ---- Sheets smaller than their layout: cells outside the picture draw nothing ----

TEST_F(BadAssets, CardSheetOfTwoRowsDrawsOnlyTheCardsItHolds) {
    writeSheetPng("images/CARDS.png", kSheetColumns, 2, kCardWidth, kCardHeight,
                  [](int col, int row) { return art::card(row * kSheetColumns + col); });
    game = std::make_unique<GameScene>();
    game->init(r());
    // Player 9 of Spades (cell 48, outside), dealer 2 of Clubs (cell 2), player 5 of Clubs
    // (cell 5), dealer's hole card 10 of Hearts (cell 36, outside); the dealer then draws the
    // 7 of Clubs (cell 7) to 19.
    stackDeck(*game->engine->deck, "9S 2C 5C TH 7C");
    frame(*game, r(), kAwayFromButtons, false);
    click(*game, r(), addChipAt(0));
    click(*game, r(), kDealAt);
    ASSERT_TRUE(game->roundActive);

    EXPECT_EQ(at({40, 150}), art::card(2)) << "the dealer's up card";
    EXPECT_EQ(at({150, 200}), art::card(0)) << "the hole card's back";
    EXPECT_EQ(at({40, 400}), art::kTable) << "the player's 9 of Spades lies outside";
    EXPECT_EQ(at({150, 400}), art::card(5)) << "the player's 5 of Clubs";

    click(*game, r(), kStandAt);
    frame(*game, r(), kAwayFromButtons, false);
    ASSERT_TRUE(game->engine->isRoundOver());
    EXPECT_EQ(game->engine->getWallet(), 995);
    EXPECT_EQ(at({80, 200}), art::card(2))
        << "the revealed 10 of Hearts lies outside: the up card shows where it would be";
    EXPECT_EQ(at({150, 200}), art::card(7)) << "the dealer's third card";
}

TEST_F(BadAssets, ChipSheetOfOneRowDrawsTheFirstThreeChips) {
    writeSheetPng("images/CHIPS.png", 5, 1, kChipWidth, kChipHeight, art::chip);
    testing::internal::CaptureStdout();
    playRound();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    EXPECT_EQ(at({917, 133}), art::chip(1, 0));
    EXPECT_EQ(at({917, 233}), art::chip(3, 0));
    EXPECT_EQ(at({917, 333}), art::chip(4, 0));
    EXPECT_EQ(at({917, 433}), art::kPanel) << "the 100 chip's cell lies outside";
    EXPECT_EQ(at({917, 533}), art::kPanel) << "the 500 chip's cell lies outside";
}

TEST_F(BadAssets, ButtonStripOfTwoFramesDrawsStartAndExitButStillDeals) {
    writeSheetPng("images/BUTTONS.png", 2, 1, kButtonWidth, kButtonHeight,
                  [](int c, int) { return art::button(c); });
    writeSheetPng("images/ARROWS.png", 1, 1, kArrowWidth, kArrowHeight,
                  [](int c, int) { return art::arrow(c); });
    testing::internal::CaptureStdout();
    runMenu();
    playRound();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n");

    EXPECT_EQ(menuStart, art::button(kStartFrame));
    EXPECT_EQ(at(kExitSpot), art::button(kExitFrame));
    EXPECT_EQ(at(kDealAt), art::kPanel) << "the deal frame lies outside the strip";
    EXPECT_EQ(at(kArrowSpot), art::arrow(kRemoveFrame));
    EXPECT_EQ(at(addChipAt(0)), art::kPanel) << "the add frame lies outside the strip";
}

TEST_F(BadAssets, SheetsOfOnePixelPlayARound) {
    for (const char* sheet : {"CARDS", "CHIPS", "BUTTONS", "ARROWS"}) {
        writeSolidPng(std::string("images/") + sheet + ".png", 1, 1, art::kLogo);
    }
    testing::internal::CaptureStdout();
    runMenu();
    playRound();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n");
    // Only the first cell or frame touches the picture; the exit frame lies wholly outside.
    EXPECT_EQ(at(kExitSpot), art::kPanel);
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
        for (const TextureHandle& label : game->chipCountLabels) {
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
    EXPECT_EQ(at({922, 40}), art::kPanel);
    EXPECT_EQ(at(kChipSpot), art::chip(1, 0));
    EXPECT_EQ(at(kExitSpot), art::button(kExitFrame));

    // More rounds, still without a text.
    for (int round = 0; round < 3; ++round) {
        click(*game, r(), addChipAt(1));
        click(*game, r(), kDealAt);
        if (game->roundActive) {
            click(*game, r(), kStandAt);
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
        click(*game, r(), addChipAt(0));
        click(*game, r(), kDealAt);
        if (game->roundActive) {
            click(*game, r(), kStandAt);
        }
        ASSERT_TRUE(game->engine->isRoundOver());
    }
    for (SDL_Texture* label :
         {game->walletLabel.get(), game->betLabel.get(), game->resultLabel.get(),
          game->playerLabel.get(), game->dealerLabel.get()}) {
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

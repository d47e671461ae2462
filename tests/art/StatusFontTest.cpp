// The font copied to run/fonts/ds-digit.ttf: the game writes all its status texts with it at
// its one size (ui/Layout.h), white on the table and the chip panel.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "rules/Game.h"
#include "rules/Outcome.h"
#include "ui/Layout.h"
#include "ui/StatusText.h"

namespace {

const std::string kFont = std::string(ART_RUN_DIR) + "/fonts/ds-digit.ttf";

class StatusFont : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TTF_Init(); }
    static void TearDownTestSuite() { TTF_Quit(); }

    void SetUp() override {
        ASSERT_TRUE(std::filesystem::is_regular_file(kFont)) << kFont;
        font = TTF_OpenFont(kFont.c_str(), kFontSize);
        ASSERT_NE(font, nullptr) << TTF_GetError();
    }
    void TearDown() override {
        if (font != nullptr) {
            TTF_CloseFont(font);
        }
    }

    int widthOf(const std::string& text) const {
        int w = 0, h = 0;
        TTF_SizeText(font, text.c_str(), &w, &h);
        return w;
    }

    TTF_Font* font = nullptr;
};

TEST_F(StatusFont, HasAGlyphForEveryCharacterTheGameWrites) {
    const std::vector<std::string> texts = everyStatusText();
    std::set<char> used;
    for (const std::string& text : texts) {
        used.insert(text.begin(), text.end());
    }
    for (char c : used) {
        EXPECT_TRUE(TTF_GlyphIsProvided32(font, static_cast<unsigned char>(c)))
            << "no glyph for '" << c << "'";
    }
    for (const std::string& text : texts) {
        SDL_Surface* rendered =
            TTF_RenderText_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
        EXPECT_NE(rendered, nullptr) << text;
        SDL_FreeSurface(rendered);
    }
}

// A text with each of its numbers written as 0.
std::string numbersAsZero(const std::string& text) {
    static const std::regex number("[0-9]+");
    return std::regex_replace(text, number, "0");
}

// The web page's font is cut down to the texts of everyStatusText and checked on them: every
// result line the engine writes must be among them, numbers aside. Seeded rounds of random play
// go through every outcome, split or not.
TEST(StatusTexts, HoldEveryResultLineTheEngineWrites) {
    std::set<std::string> listed;
    for (const std::string& text : everyStatusText()) {
        listed.insert(numbersAsZero(text));
    }
    Game game(nullptr);
    game.deck->seed(16);
    std::mt19937 rng(16);
    std::set<std::string> written;
    for (int round = 0; round < 3000; ++round) {
        game.wallet = 1000;
        game.placeBet(std::uniform_int_distribution<int>(1, 100)(rng));
        game.startRound();
        while (!game.roundOver) {
            const int choice = std::uniform_int_distribution<int>(0, 3)(rng);
            if (choice == 0 && game.canSplit()) {
                game.split();
            } else if (choice == 1 && game.canDouble()) {
                game.doubleDown();
            } else if (choice == 2) {
                game.hit();
            } else {
                game.stand();
            }
        }
        written.insert(game.getResultText());
    }
    for (const std::string& text : written) {
        EXPECT_TRUE(listed.count(numbersAsZero(text)) == 1)
            << "not among the status texts: " << text;
    }
    // The play reached every outcome of the first hand, and split hands.
    const auto somewhere = [&written](const std::string& part) {
        return std::any_of(written.begin(), written.end(), [&part](const std::string& text) {
            return text.find(part) != std::string::npos;
        });
    };
    for (const OutcomeText& outcome : kOutcomeTexts) {
        EXPECT_TRUE(somewhere(std::string("| ") + outcome.firstHand)) << outcome.firstHand;
    }
    EXPECT_TRUE(somewhere("| Hand 2 "));
}

// The result line starts at x 40 and the dealer's score at x 600. (Split results and the rare
// "Blackjack! (Dealer Busted)" are longer and may run under the score.)
TEST_F(StatusFont, ResultLinesFitBeforeTheDealersScore) {
    const std::string won = std::string(kResultHead.playerWins) + "100" + kResultHead.won +
                            textOf(Outcome::HigherScore).firstHand;
    const std::string lost = std::string(kResultHead.dealerWins) + "500" + kResultHead.lost +
                             textOf(Outcome::LowerScore).firstHand;
    EXPECT_LE(widthOf(won), 560) << won;
    EXPECT_LE(widthOf(lost), 560) << lost;
}

// Wallet and bet are centred in the chip panel's display, 180 pixels wide inside its frame.
TEST_F(StatusFont, WalletAndBetFitTheDisplay) {
    EXPECT_LE(widthOf(kWalletLabel + std::string("100000")), 180);
    EXPECT_LE(widthOf(kBetLabel + std::string("100000")), 180);
}

}  // namespace

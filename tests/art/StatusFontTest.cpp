// The font copied to run/fonts/ds-digit.ttf: the game writes all its status texts with it at
// its one size (ui/Layout.h), white on the table and the chip panel.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "rules/Outcome.h"
#include "ui/Layout.h"

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

// Every piece of text the game puts on screen, numbers aside: the screen's own labels and every
// piece of the engine's result line.
std::vector<std::string> gameTexts() {
    std::vector<std::string> texts = {
        "Wallet: ", "Bet: ", "x", "Player: ", " | Split: ", "Dealer: ", "0123456789"};
    for (const char* head : {kResultHead.playerWins, kResultHead.won, kResultHead.dealerWins,
                             kResultHead.lost, kResultHead.tie}) {
        texts.emplace_back(head);
    }
    for (const OutcomeText& outcome : kOutcomeTexts) {
        for (const char* text : {outcome.firstHand, outcome.secondHand}) {
            if (*text != '\0') {
                texts.emplace_back(text);
            }
        }
    }
    return texts;
}

TEST_F(StatusFont, HasAGlyphForEveryCharacterTheGameWrites) {
    const std::vector<std::string> texts = gameTexts();
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
    EXPECT_LE(widthOf("Wallet: 100000"), 180);
    EXPECT_LE(widthOf("Bet: 100000"), 180);
}

}  // namespace

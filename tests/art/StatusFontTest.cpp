// The font copied to run/fonts/ds-digit.ttf: the game writes all its status texts with it at
// 22 points, white on the table and the chip panel.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

const std::string kFont = std::string(ART_RUN_DIR) + "/fonts/ds-digit.ttf";

class StatusFont : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TTF_Init(); }
    static void TearDownTestSuite() { TTF_Quit(); }

    void SetUp() override {
        ASSERT_TRUE(std::filesystem::is_regular_file(kFont)) << kFont;
        font = TTF_OpenFont(kFont.c_str(), 22);
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

// Every piece of text the game puts on screen, numbers aside.
const char* const kGameTexts[] = {
    "Wallet: ",
    "Bet: ",
    "x",
    "Player: ",
    " | Split: ",
    "Dealer: ",
    "PLAYER WINS | ",
    "$ Won | ",
    "DEALER WINS | ",
    "$ Lost | ",
    "TIE/PUSH | 0$ | ",
    "Player Busted",
    "Blackjack! (Dealer Busted)",
    "Dealer Busted",
    "Blackjack!",
    "Player Higher Score",
    "Push",
    "Dealer Higher Score",
    " | Hand 2 Busted",
    " | Hand 2 Dealer Busted",
    " | Hand 2 Player Higher Score",
    " | Hand 2 Push",
    " | Hand 2 Dealer Higher Score",
    "0123456789",
};

TEST_F(StatusFont, HasAGlyphForEveryCharacterTheGameWrites) {
    std::set<char> used;
    for (const char* text : kGameTexts) {
        used.insert(text, text + std::char_traits<char>::length(text));
    }
    for (char c : used) {
        EXPECT_TRUE(TTF_GlyphIsProvided32(font, static_cast<unsigned char>(c)))
            << "no glyph for '" << c << "'";
    }
    for (const char* text : kGameTexts) {
        SDL_Surface* rendered = TTF_RenderText_Blended(font, text, SDL_Color{255, 255, 255, 255});
        EXPECT_NE(rendered, nullptr) << text;
        SDL_FreeSurface(rendered);
    }
}

// The result line starts at x 40 and the dealer's score at x 600. (Split results and the rare
// "Blackjack! (Dealer Busted)" are longer and may run under the score.)
TEST_F(StatusFont, ResultLinesFitBeforeTheDealersScore) {
    EXPECT_LE(widthOf("PLAYER WINS | 100$ Won | Player Higher Score"), 560);
    EXPECT_LE(widthOf("DEALER WINS | 500$ Lost | Dealer Higher Score"), 560);
}

// Wallet and bet are centred in the chip panel's display, 180 pixels wide inside its frame.
TEST_F(StatusFont, WalletAndBetFitTheDisplay) {
    EXPECT_LE(widthOf("Wallet: 100000"), 180);
    EXPECT_LE(widthOf("Bet: 100000"), 180);
}

}  // namespace

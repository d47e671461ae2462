// The button's hot area and click latch, and the text helper.
#include <gtest/gtest.h>

#include "support/HeadlessTable.h"
#include "ui/Button.h"
#include "ui/Texture.h"

namespace {

TEST(ButtonTest, HotAreaTakesInTheColumnRightAndTheRowBelow) {
    Button button;
    button.setup(nullptr, 0, 10, 20, 30, 40);
    int fired = 0;
    button.setOnClick([&fired] { ++fired; });

    for (auto [x, y] : {std::pair{10, 20}, {40, 60}, {40, 20}, {10, 60}}) {
        button.handleInput(x, y, false);
        EXPECT_TRUE(button.hovered) << x << ", " << y;
    }
    // Hovering draws the button larger, but the grown margin is no part of the hot area.
    for (auto [x, y] : {std::pair{41, 60}, {40, 61}, {9, 20}, {10, 19}, {8, 30}}) {
        button.handleInput(x, y, true);
        EXPECT_FALSE(button.hovered) << x << ", " << y;
        button.handleInput(x, y, false);
    }
    EXPECT_EQ(fired, 0);
    button.handleInput(40, 60, true);
    EXPECT_EQ(fired, 1);
}

TEST(ButtonTest, FiresOncePerRunOfClickFrames) {
    Button button;
    button.setup(nullptr, 0, 0, 0, 100, 50);
    int fired = 0;
    button.setOnClick([&fired] { ++fired; });

    button.handleInput(50, 25, true);
    button.handleInput(50, 25, true);
    EXPECT_EQ(fired, 1) << "a held click fires once";
    button.handleInput(50, 25, false);
    button.handleInput(50, 25, true);
    EXPECT_EQ(fired, 2) << "a frame without a click releases the latch";

    // A click elsewhere neither fires nor releases the latch.
    button.handleInput(500, 25, true);
    button.handleInput(50, 25, true);
    EXPECT_EQ(fired, 2);
    EXPECT_TRUE(button.pressed);
    button.handleInput(500, 25, false);
    button.handleInput(50, 25, true);
    EXPECT_EQ(fired, 3);
}

using TextureTest = HeadlessTest;

TEST_F(TextureTest, TextIsSolidWhite) {
    SDL_Texture* text = createTextTexture(renderer, font, "Wallet: 1000");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(shows(text, "Wallet: 1000"));
    // Drawn over black, the inside of the strokes is pure opaque white.
    int w = 0, h = 0;
    SDL_QueryTexture(text, nullptr, nullptr, &w, &h);
    int white = 0;
    for (const Rgb& pixel : drawAlone(text, w, h)) {
        white += pixel == art::kWhite ? 1 : 0;
    }
    EXPECT_GT(white, 20);
    SDL_DestroyTexture(text);

    EXPECT_EQ(createTextTexture(renderer, nullptr, "Bet: 0"), nullptr) << "no font, no label";
}

}  // namespace

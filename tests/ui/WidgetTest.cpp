// The button's hot area and click latch, and the texture helpers.
#include <SDL_image.h>
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

// Opaque pictures are drawn as plain copies instead of blended: the very same pixels, from a PNG
// with an alpha channel (as the game's own art is) and from one without. A missing file is
// reported as any picture is.
TEST_F(TextureTest, OpaquePicturesDrawTheSamePixelsAsBlendedOnes) {
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, 16, 8, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(rgba, nullptr);
    for (int y = 0; y < rgba->h; ++y) {
        for (int x = 0; x < rgba->w; ++x) {
            const SDL_Rect dot{x, y, 1, 1};
            SDL_FillRect(rgba, &dot, SDL_MapRGBA(rgba->format, 16 * x, 30 * y, 255 - 16 * x, 255));
        }
    }
    ASSERT_EQ(IMG_SavePNG(rgba, "images/OPAQUE.png"), 0);
    SDL_FreeSurface(rgba);

    for (const char* path : {"./images/OPAQUE.png", "./images/TABLE.png"}) {
        SDL_Texture* blended = loadTexture(path, renderer);
        SDL_Texture* copied = loadOpaqueTexture(path, renderer);
        ASSERT_NE(blended, nullptr) << path;
        ASSERT_NE(copied, nullptr) << path;
        int w = 0, h = 0;
        SDL_QueryTexture(blended, nullptr, nullptr, &w, &h);
        EXPECT_EQ(drawAlone(copied, w, h), drawAlone(blended, w, h)) << path;
        SDL_DestroyTexture(blended);
        SDL_DestroyTexture(copied);
    }

    testing::internal::CaptureStdout();
    EXPECT_EQ(loadOpaqueTexture("./images/NONE.png", renderer), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to load texture: ./images/NONE.png\n");
}

}  // namespace

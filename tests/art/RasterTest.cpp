// The drawing toolkit artgen paints with: coverage and antialiasing, shapes, lettering and
// PNG output.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "Canvas.h"
#include "Shapes.h"
#include "Text.h"

namespace artgen {
namespace {

float totalAlpha(const Canvas& canvas) {
    float sum = 0;
    for (int y = 0; y < canvas.samplesHigh(); ++y) {
        for (int x = 0; x < canvas.samplesWide(); ++x) {
            sum += canvas.sample(x, y).a;
        }
    }
    return sum / (canvas.samplesPerUnit() * canvas.samplesPerUnit());
}

// Box of the samples with any alpha, in units.
Box inkBox(const Canvas& canvas) {
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    for (int y = 0; y < canvas.samplesHigh(); ++y) {
        for (int x = 0; x < canvas.samplesWide(); ++x) {
            if (canvas.sample(x, y).a > 0.5f) {
                float s = static_cast<float>(canvas.samplesPerUnit());
                box = unite(box, Box{x / s, y / s, (x + 1) / s, (y + 1) / s});
            }
        }
    }
    return box;
}

TEST(Raster, EdgesAreAntialiasedWhenDrawnLargeAndScaledDown) {
    Canvas canvas(4, 1, 4);
    // Covers all of pixel 0, a quarter of pixel 1 and none of pixels 2 and 3.
    fill(canvas, roundRect({-1, -1, 1.25f, 2}, 0), rgb(0xffffff));
    Canvas small = canvas.downsampled();
    EXPECT_FLOAT_EQ(small.sample(0, 0).a, 1.0f);
    EXPECT_NEAR(small.sample(1, 0).a, 0.25f, 0.02f);
    EXPECT_FLOAT_EQ(small.sample(2, 0).a, 0.0f);

    // At twice the density the same 1.25 units cover two and a half pixels.
    Canvas dense(4, 1, 2, 2);
    fill(dense, roundRect({-1, -1, 1.25f, 2}, 0), rgb(0xffffff));
    Canvas sharp = dense.downsampled();
    ASSERT_EQ(sharp.pixelsWide(), 8);
    ASSERT_EQ(sharp.pixelsHigh(), 2);
    for (int y = 0; y < 2; ++y) {
        EXPECT_FLOAT_EQ(sharp.sample(1, y).a, 1.0f);
        EXPECT_NEAR(sharp.sample(2, y).a, 0.5f, 0.02f);
        EXPECT_FLOAT_EQ(sharp.sample(3, y).a, 0.0f);
    }
}

// Areas in units, the same at either density.
TEST(Raster, FilledAreasMatchTheGeometry) {
    for (int density : {1, 2}) {
        const int scale = scaleAt(4, density);
        Canvas disc(64, 64, scale, density);
        fill(disc, circle({32, 32}, 20), rgb(0xff0000));
        EXPECT_NEAR(totalAlpha(disc), kPi * 20 * 20, kPi * 20 * 20 * 0.005f) << density;

        Canvas ring(64, 64, scale, density);
        fill(ring, outline(circle({32, 32}, 20), 2), rgb(0xff0000));
        EXPECT_NEAR(totalAlpha(ring), 2 * kPi * 20 * 2, 2 * kPi * 20 * 2 * 0.01f) << density;

        Canvas cut(64, 64, scale, density);
        fill(cut, subtract(roundRect({0, 0, 40, 40}, 0), roundRect({10, 10, 30, 30}, 0)),
             rgb(0xff0000));
        EXPECT_NEAR(totalAlpha(cut), 40 * 40 - 20 * 20, 2) << density;
    }
}

TEST(Raster, CompositingIsSourceOverWithStraightColours) {
    Canvas canvas(1, 1, 1);
    fill(canvas, roundRect({0, 0, 1, 1}, 0), rgb(0x0000ff));
    fill(canvas, roundRect({0, 0, 1, 1}, 0), rgb(0xff0000, 0.25f));
    Color c = canvas.sample(0, 0);
    EXPECT_NEAR(c.r, 0.25f, 1e-5f);
    EXPECT_NEAR(c.b, 0.75f, 1e-5f);
    EXPECT_NEAR(c.a, 1.0f, 1e-5f);
}

TEST(Raster, TransformsComposeAndInvert) {
    Affine t = Affine::rotate(0.7f).then(Affine::scale(2, 2)).then(Affine::translate(5, -3));
    Vec p{3, 4};
    Vec stepwise =
        Affine::translate(5, -3).apply(Affine::scale(2, 2).apply(Affine::rotate(0.7f).apply(p)));
    Vec direct = t.apply(p);
    EXPECT_NEAR(direct.x, stepwise.x, 1e-4f);
    EXPECT_NEAR(direct.y, stepwise.y, 1e-4f);
    Vec back = t.inverse().apply(direct);
    EXPECT_NEAR(back.x, p.x, 1e-4f);
    EXPECT_NEAR(back.y, p.y, 1e-4f);
}

// Pips are placed by their centre and height, so every suit must honour both, and turn about
// its centre when drawn upside down.
TEST(Raster, SuitSymbolsHaveTheirHeightAndCentreAndTurnAboutIt) {
    for (Suit suit : {Suit::Clubs, Suit::Diamonds, Suit::Hearts, Suit::Spades}) {
        const Vec centre{50, 50};
        const float height = 60;
        Canvas canvas(100, 100, 2);
        fill(canvas, suitShape(suit, centre, height), rgb(0x000000));
        Box ink = inkBox(canvas);
        EXPECT_NEAR(ink.y1 - ink.y0, height, 1.5f) << static_cast<int>(suit);
        EXPECT_NEAR((ink.x0 + ink.x1) / 2, centre.x, 0.6f) << static_cast<int>(suit);
        EXPECT_NEAR((ink.y0 + ink.y1) / 2, centre.y, 1.0f) << static_cast<int>(suit);
        EXPECT_LT(ink.x1 - ink.x0, height * 1.1f) << static_cast<int>(suit);

        Shape upright = suitShape(suit, centre, height);
        Shape turned = suitShape(suit, centre, height, true);
        for (Vec p : {Vec{40, 30}, Vec{55, 70}, Vec{50, 22}, Vec{62, 48}}) {
            EXPECT_NEAR(turned.distance(p.x, p.y),
                        upright.distance(2 * centre.x - p.x, 2 * centre.y - p.y), 1e-3f);
        }
    }
}

TEST(Raster, NoiseIsRepeatableAndInRange) {
    for (int i = 0; i < 200; ++i) {
        float v = hashNoise(i * 7, i * 13, 5);
        EXPECT_EQ(v, hashNoise(i * 7, i * 13, 5));
        EXPECT_GE(v, 0.0f);
        EXPECT_LT(v, 1.0f);
        float f = fractalNoise(i * 0.37f, i * 0.11f, 4, 9);
        EXPECT_EQ(f, fractalNoise(i * 0.37f, i * 0.11f, 4, 9));
        EXPECT_GE(f, 0.0f);
        EXPECT_LE(f, 1.0f);
    }
    EXPECT_NE(hashNoise(1, 2, 3), hashNoise(1, 2, 4));
}

class Lettering : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TTF_Init(); }
    static void TearDownTestSuite() { TTF_Quit(); }
};

// Text keeps its place and size in units at either density: at density 2 it is lettered at twice
// the point size, not stretched.
TEST_F(Lettering, TextIsCentredOnItsInkAndSqueezedToFit) {
    Fonts fonts(ARTGEN_FONT_SANS, ARTGEN_FONT_NARROW, ARTGEN_FONT_SERIF);
    Vec sizeAt1x;
    for (int density : {1, 2}) {
        const int scale = scaleAt(3, density);
        Canvas canvas(200, 80, scale, density);
        TextStyle style;
        style.size = 40;
        Vec size = drawTextCentered(canvas, fonts, "Q10", style, {90, 45}, solid(rgb(0xffffff)));
        Box ink = inkBox(canvas);
        EXPECT_NEAR((ink.x0 + ink.x1) / 2, 90, 0.7f) << density;
        EXPECT_NEAR((ink.y0 + ink.y1) / 2, 45, 0.7f) << density;
        EXPECT_NEAR(ink.x1 - ink.x0, size.x, 1.0f) << density;
        if (density == 1) {
            sizeAt1x = size;
        } else {
            EXPECT_NEAR(size.x, sizeAt1x.x, 0.7f);
            EXPECT_NEAR(size.y, sizeAt1x.y, 0.7f);
        }

        Canvas narrow(200, 80, scale, density);
        style.maxWidth = 30;
        Vec squeezed =
            drawTextCentered(narrow, fonts, "Q10", style, {90, 45}, solid(rgb(0xffffff)));
        Box narrowInk = inkBox(narrow);
        EXPECT_LE(narrowInk.x1 - narrowInk.x0, 31.0f) << density;
        EXPECT_NEAR(squeezed.x, 30, 0.5f) << density;
        EXPECT_NEAR(narrowInk.y1 - narrowInk.y0, ink.y1 - ink.y0, 0.7f) << density;
    }
}

TEST(Raster, SavedPngHoldsTheStraightColours) {
    SDL_Init(0);
    Canvas canvas(3, 1, 1);
    fill(canvas, roundRect({0, 0, 1, 1}, 0), rgb(0x204080));
    fill(canvas, roundRect({1, 0, 2, 1}, 0), rgb(0xff8000, 0.5f));
    const std::string path = std::string(ART_SCRATCH_DIR) + "/roundtrip.png";
    std::filesystem::create_directories(ART_SCRATCH_DIR);
    ASSERT_TRUE(canvas.savePng(path));
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    const Uint8* px = static_cast<const Uint8*>(rgba->pixels);
    const Uint8 expected[12] = {0x20, 0x40, 0x80, 255, 0xff, 0x80, 0x00, 128, 0, 0, 0, 0};
    for (int i = 0; i < 12; ++i) {
        EXPECT_NEAR(px[i], expected[i], 1) << "byte " << i;
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(loaded);

    // At density 2 every unit becomes 2 x 2 pixels of the file.
    Canvas dense(3, 1, 1, 2);
    fill(dense, roundRect({1, 0, 2, 1}, 0), rgb(0xff8000));
    ASSERT_TRUE(dense.savePng(path));
    loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->w, 6);
    EXPECT_EQ(loaded->h, 2);
    rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    for (int y = 0; y < 2; ++y) {
        const Uint8* row = static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(row[4 * x + 3], x == 2 || x == 3 ? 255 : 0) << x << "," << y;
        }
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(loaded);
    std::filesystem::remove(path);
    SDL_Quit();
}

}  // namespace
}  // namespace artgen

// The start-up screen: its layout, the start request and the exit button.
#include <gtest/gtest.h>

#include <iostream>

#include "support/HeadlessTable.h"
#include "ui/MenuScene.h"

namespace {

class MenuSceneTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (!HasFatalFailure()) {
            menu.init(renderer);
            initialised = true;
        }
    }
    void TearDown() override {
        if (initialised) {
            menu.cleanup();
        }
        HeadlessTest::TearDown();
    }

    // A frame as the main loop runs it while the menu is current.
    void frame(int x, int y, bool clicked) {
        menu.handleInput(x, y, clicked);
        menu.update();
        SDL_RenderClear(renderer);
        menu.render(renderer);
    }

    MenuScene menu;
    bool initialised = false;
};

TEST_F(MenuSceneTest, BackgroundLogoAndTwoButtonsOneGrownWhileHovered) {
    frame(0, 0, false);
    EXPECT_EQ(at(0, 0), art::kBackground);
    EXPECT_EQ(at(1023, 767), art::kBackground);
    EXPECT_TRUE(drawnAt(kLogoRect, art::kLogo));
    EXPECT_TRUE(drawnAt(kStartButtonRect, art::button(0)));
    EXPECT_TRUE(drawnAt(kMenuExitButtonRect, art::button(1)));

    frame(445, 628, false);
    EXPECT_TRUE(drawnAt({441, 578, 142, 52}, art::button(1)));
    EXPECT_TRUE(drawnAt(kStartButtonRect, art::button(0)));
    EXPECT_FALSE(menu.shouldStartGame());
}

// An output of at least 1.5 times the table each way takes the pictures at twice the size; on
// one of twice its size the menu draws them in the same places and START takes a click at twice
// its place. Here they arrive after the menu was set up, as the web page fetches them.
TEST_F(MenuSceneTest, TwiceTheSizeDrawsThePicturesAtTwiceTheSize) {
    EXPECT_EQ(densityFor(kWindowWidth, kWindowHeight), 1);
    EXPECT_EQ(densityFor(1536, 1152), 2);
    EXPECT_EQ(densityFor(1535, 1152), 1);
    EXPECT_EQ(densityFor(2560, 1080), 1) << "the table is shown 1.4 times its size";
    EXPECT_EQ(densityFor(3840, 2160), 2);

    const auto twice = [](SDL_Point p) { return SDL_Point{2 * p.x, 2 * p.y}; };
    menu.cleanup();
    useWindow(2 * kWindowWidth, 2 * kWindowHeight);
    menu.init(renderer);
    menu.setDensity(2);
    frame(0, 0, false);
    EXPECT_EQ(at(twice(centreOf(kLogoRect))), art::kLogo) << "no 2x pictures yet";
    writeSharpTableArt();
    menu.loadSharpPictures(renderer);
    for (int density : {2, 1}) {
        menu.setDensity(density);
        frame(0, 0, false);
        const auto shown = [density](Rgb c) { return density == 2 ? art::sharp(c) : c; };
        EXPECT_EQ(at(0, 0), shown(art::kBackground));
        EXPECT_EQ(at(twice(centreOf(kLogoRect))), shown(art::kLogo));
        EXPECT_EQ(at(twice(kStartAt)), shown(art::button(kStartFrame)));
        EXPECT_EQ(at(twice(centreOf(kMenuExitButtonRect))), shown(art::button(kExitFrame)));
    }
    menu.setDensity(2);
    frame(screen->toTable(twice(kStartAt)).x, screen->toTable(twice(kStartAt)).y, true);
    EXPECT_TRUE(menu.shouldStartGame());
}

TEST_F(MenuSceneTest, StartIsRequestedOnceByAClickOnItsHotArea) {
    testing::internal::CaptureStdout();
    for (auto [x, y] : {std::pair{580, 548}, {579, 549}, {445, 560}, {444, 500}}) {
        frame(x, y, true);
        frame(x, y, false);
    }
    EXPECT_FALSE(menu.shouldStartGame());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    testing::internal::CaptureStdout();
    frame(579, 548, true);
    EXPECT_TRUE(menu.shouldStartGame()) << "raised in the frame of the click";
    frame(579, 548, true);
    frame(579, 548, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n");
    EXPECT_TRUE(menu.shouldStartGame()) << "never cleared";
}

TEST_F(MenuSceneTest, EnterOrSpaceIsStartTTheDrillsAndOtherKeysDoNothing) {
    testing::internal::CaptureStdout();
    for (SDL_Keycode key : {SDLK_h, SDLK_s, SDLK_1, SDLK_r, SDLK_c, SDLK_F11}) {
        menu.handleKey(key, KMOD_NONE);
    }
    EXPECT_FALSE(menu.shouldStartGame());
    EXPECT_FALSE(menu.shouldStartDrill());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    // T asks for the drills, silently; a new init forgets it.
    testing::internal::CaptureStdout();
    menu.handleKey(SDLK_t, KMOD_NONE);
    EXPECT_TRUE(menu.shouldStartDrill());
    EXPECT_FALSE(menu.shouldStartGame());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    menu.cleanup();
    menu.init(renderer);
    EXPECT_FALSE(menu.shouldStartDrill());

    for (SDL_Keycode key : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_SPACE}) {
        MenuScene fresh;
        fresh.init(renderer);
        testing::internal::CaptureStdout();
        fresh.handleKey(key, KMOD_NONE);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n") << key;
        EXPECT_TRUE(fresh.shouldStartGame()) << key;
        fresh.cleanup();
    }
}

TEST_F(MenuSceneTest, MissingImagesLeaveWorkingInvisibleButtons) {
    menu.cleanup();
    initialised = false;
    std::filesystem::remove_all("images");

    MenuScene bare;
    testing::internal::CaptureStdout();
    bare.init(renderer);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to load texture: ./images/BG.png\n"
              "Failed to load texture: ./images/LOGO.png\n"
              "Failed to load texture: ./images/BUTTONS.png\n");
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    bare.render(renderer);
    EXPECT_TRUE(filledWith({0, 0, kWindowWidth, kWindowHeight}, art::kBlack));

    testing::internal::CaptureStdout();
    bare.handleInput(500, 520, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "START GAME\n");
    EXPECT_TRUE(bare.shouldStartGame());
    bare.cleanup();
}

using MenuSceneDeathTest = MenuSceneTest;

TEST_F(MenuSceneDeathTest, ExitEndsTheProcessWithStatusZero) {
    std::cout.flush();
    EXPECT_EXIT(
        {
            frame(512, 600, false);
            frame(512, 600, true);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_FALSE(menu.shouldStartGame());
}

TEST_F(MenuSceneDeathTest, EscapeIsExit) {
    std::cout.flush();
    EXPECT_EXIT(menu.handleKey(SDLK_ESCAPE, KMOD_NONE), testing::ExitedWithCode(0), "");
}

}  // namespace

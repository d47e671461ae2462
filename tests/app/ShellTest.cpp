// The shell's units as the main loop uses them, with events pushed onto SDL's own queue.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/FrameInput.h"
#include "app/FramePacer.h"
#include "app/MainLoop.h"
#include "support/Screen.h"
#include "ui/DrillScene.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

namespace {

class FrameInputTest : public ::testing::Test {
protected:
    void SetUp() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    static void move(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        push(event);
    }
    static void press(Uint8 button = SDL_BUTTON_LEFT) {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = button;
        push(event);
    }
    static void key(SDL_Keycode sym, Uint8 repeat = 0, Uint16 mod = KMOD_NONE) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        event.key.repeat = repeat;
        push(event);
    }

    // One frame's reading, as "x,y" with " click" and " key" where they came.
    std::string frame() {
        readFrameEvents(input, running);
        std::string seen = std::to_string(input.x) + "," + std::to_string(input.y);
        if (input.clicked) {
            seen += " click";
        }
        if (input.key != SDLK_UNKNOWN) {
            seen += std::string(" key ") + SDL_GetKeyName(input.key);
        }
        return seen;
    }

    Screen screen;
    FrameInput input;
    bool running = true;
};

// Clicks pressed faster than frames come are each a click of their own, a frame apart, each where
// the pointer had moved before it; nothing queued is lost or merged.
TEST_F(FrameInputTest, EveryClickCountsOnceWhereThePointerWasBeforeIt) {
    EXPECT_EQ(frame(), "0,0") << "nothing has moved yet";
    press(SDL_BUTTON_RIGHT);
    EXPECT_EQ(frame(), "0,0 click") << "before any motion a click lands at 0, 0; any button counts";
    move(10, 20);
    press();
    move(30, 40);
    press();
    press();
    EXPECT_EQ(frame(), "10,20") << "the frame after a click takes no press";
    EXPECT_EQ(frame(), "10,20 click");
    EXPECT_EQ(frame(), "30,40");
    EXPECT_EQ(frame(), "30,40 click");
    EXPECT_EQ(frame(), "30,40");
    EXPECT_EQ(frame(), "30,40 click");
    EXPECT_EQ(frame(), "30,40");
    EXPECT_EQ(frame(), "30,40") << "three presses were three clicks";
}

// Each key gets a frame of its own; a key held down does not repeat.
TEST_F(FrameInputTest, EachKeyGetsAFrameAndHeldKeysDoNotRepeat) {
    key(SDLK_h);
    key(SDLK_s, 1);
    key(SDLK_1, 0, KMOD_LSHIFT);
    EXPECT_EQ(frame(), "0,0 key H");
    EXPECT_EQ(frame(), "0,0 key 1") << "the repeat of S is dropped";
    EXPECT_EQ(input.keyModifiers & KMOD_SHIFT, KMOD_LSHIFT);
    EXPECT_EQ(frame(), "0,0");
    EXPECT_EQ(input.keyModifiers, 0);
}

// A quit request ends the loop after the frame that saw it, which still takes its click.
TEST_F(FrameInputTest, AQuitRequestStillLetsTheFramesClickThrough) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    move(5, 6);
    press();
    EXPECT_EQ(frame(), "5,6 click");
    EXPECT_FALSE(running);
}

// Frames come at most 60 a second; a table at rest waits for the next event, at most a second,
// and an event already queued is taken at once.
TEST(FramePacerTest, FramesFollowTheRateAndRestWaitsForAnEvent) {
    Screen screen;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    FramePacer pacer(nullptr);
    const auto elapsedMs = [](Uint64 since) {
        return static_cast<double>(SDL_GetPerformanceCounter() - since) * 1000.0 /
               static_cast<double>(SDL_GetPerformanceFrequency());
    };
    Uint64 start = SDL_GetPerformanceCounter();
    for (int i = 0; i < 6; ++i) {
        pacer.waitForNextFrame(false);
    }
    EXPECT_GE(elapsedMs(start), 6 * 1000.0 / FramePacer::kMostFramesPerSecond - 1.0);

    start = SDL_GetPerformanceCounter();
    pacer.waitForNextFrame(true);
    EXPECT_GE(elapsedMs(start), FramePacer::kRestFrameMs - 1.0) << "nothing happened";

    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
    EXPECT_TRUE(pacer.frameDue(true)) << "an event is queued";
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    EXPECT_FALSE(pacer.frameDue(true)) << "at rest, nothing queued, a frame drawn just now";
    EXPECT_TRUE(pacer.frameDue(false)) << "a screen with work draws every frame";
}

TEST(CommandLineTest, OnlyTheCoachDefaultsAndDrillOptionsAreRead) {
    const struct {
        std::vector<std::string> words;
        bool coach;
        bool defaults;
        bool drill;
    } cases[] = {
        {{"blackjack"}, false, false, false},
        {{"blackjack", "--coach"}, true, false, false},
        {{"blackjack", "--verbose", "--coach", "x"}, true, false, false},
        {{"blackjack", "--Coach", "-coach", "coach"}, false, false, false},
        {{"blackjack", "--defaults", "--coach"}, true, true, false},
        {{"blackjack", "--default", "defaults", "-defaults"}, false, false, false},
        {{"blackjack", "--drill"}, false, false, true},
        {{"blackjack", "--drills", "-drill", "drill", "--coach"}, true, false, false},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv;
        std::vector<std::string> words = c.words;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        const CommandLine options = readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(options.coach, c.coach) << words.size() << " words";
        EXPECT_EQ(options.defaults, c.defaults) << words.size() << " words";
        EXPECT_EQ(options.drill, c.drill) << words.size() << " words";
    }
}

// The screens switch as the player asks: T on the menu opens the drills, Escape there brings the
// menu back (made afresh), and START then the table; nothing switches unasked.
TEST(SceneSwitchTest, TheDrillsComeFromTheMenuAndGoBackToIt) {
    Screen screen;
    MenuScene menu;
    GameScene game;
    DrillScene drill;
    MainLoop loop;
    loop.renderer = screen.renderer();
    loop.menu = &menu;
    loop.game = &game;
    loop.drill = &drill;
    testing::internal::CaptureStdout();
    show(loop, menu);
    switchScenes(loop);
    EXPECT_EQ(loop.currentScene, &menu);

    menu.handleKey(SDLK_t, KMOD_NONE);
    switchScenes(loop);
    ASSERT_EQ(loop.currentScene, &drill);
    switchScenes(loop);
    EXPECT_EQ(loop.currentScene, &drill);

    drill.handleKey(SDLK_ESCAPE, KMOD_NONE);
    switchScenes(loop);
    ASSERT_EQ(loop.currentScene, &menu);
    EXPECT_FALSE(menu.shouldStartDrill()) << "the menu made afresh";

    menu.handleKey(SDLK_RETURN, KMOD_NONE);
    switchScenes(loop);
    EXPECT_EQ(loop.currentScene, &game);
    loop.currentScene->cleanup();
    testing::internal::GetCapturedStdout();
}

}  // namespace

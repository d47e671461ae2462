// The player's choices remembered: the file as the game reads and writes it, and the keeper as
// the main loop drives it, always in a scratch folder named by BLACKJACK_PREFS_DIR.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ChoicesFile.h"
#include "app/CommandLine.h"
#include "app/FullscreenKeys.h"
#include "app/MainLoop.h"
#include "support/ScopedEnv.h"
#include "support/ScratchDir.h"
#include "support/Screen.h"
#include "ui/GameScene.h"

namespace fs = std::filesystem;

namespace {

class ChoicesFileTest : public ::testing::Test {
protected:
    fs::path folder() const { return dir.path() / "prefs"; }
    fs::path file() const { return folder() / "choices.txt"; }

    // Reads the file with standard error caught, into `said`, one entry a line.
    Choices readCatching(std::vector<std::string>& said) const {
        ::testing::internal::CaptureStderr();
        const Choices choices = ChoicesFile().read();
        said = lines(::testing::internal::GetCapturedStderr());
        return choices;
    }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> all;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            all.push_back(text.substr(start, end - start));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return all;
    }

    ScratchDir dir;
    ScopedEnv prefs{"BLACKJACK_PREFS_DIR", (dir.path() / "prefs").string()};
};

Choices everyChoiceChanged() {
    Choices c;
    c.coach = true;
    c.motion = true;
    c.speed = MotionSpeed::Fast;
    c.sound = true;
    c.volume = 0;
    c.fullscreen = true;
    c.keeping = true;
    c.motionChosen = true;
    return c;
}

// What the game writes it reads back exactly, whatever was chosen, and a write leaves no
// half-written file beside it.
TEST_F(ChoicesFileTest, WhatIsWrittenReadsBackExactly) {
    Choices coachOnly;
    coachOnly.coach = true;
    Choices motionTurnedOff;
    motionTurnedOff.motionChosen = true;
    Choices slowAndLoud;
    slowAndLoud.speed = MotionSpeed::Slow;
    slowAndLoud.volume = 100;
    slowAndLoud.sound = true;
    for (const Choices& choices : {coachOnly, motionTurnedOff, slowAndLoud, everyChoiceChanged()}) {
        ASSERT_TRUE(ChoicesFile().write(choices));
        std::vector<std::string> said;
        EXPECT_EQ(readCatching(said), choices) << readBytes(file().string());
        EXPECT_TRUE(said.empty()) << said.front();
        EXPECT_FALSE(fs::exists(folder() / "choices.txt.new"));
        EXPECT_EQ(readBytes(file().string()).find("motion =") != std::string::npos,
                  choices.motionChosen)
            << "motion is written once chosen, and only then";
    }
}

// A missing file is the defaults, silently, and reading makes nothing on disk.
TEST_F(ChoicesFileTest, NoFileIsTheDefaultsAndReadingMakesNothing) {
    std::vector<std::string> said;
    EXPECT_EQ(readCatching(said), Choices{});
    EXPECT_TRUE(said.empty());
    EXPECT_FALSE(fs::exists(folder()));
}

// A player's hand-made file and a newer game's read as meant: comments, blank lines, spaces and
// tabs, Windows line ends, names this game does not know.
TEST_F(ChoicesFileTest, HandMadeAndNewerFilesRead) {
    Choices coachLoud;
    coachLoud.coach = true;
    coachLoud.volume = 30;
    Choices motionOff;
    motionOff.motionChosen = true;
    const struct {
        const char* bytes;
        Choices expected;
    } cases[] = {
        {"", Choices{}},
        {"# nothing chosen\n\n   \n", Choices{}},
        {"\tcoach\t=\ton  \r\nvolume=30\r\n", coachLoud},
        {"theme = dark green\ncoach = on\nhints-2 =\nvolume = 30\n", coachLoud},
        {"motion = off\n", motionOff},
        {"# caf\xc3\xa9 au lait\nfullscreen = off\n", Choices{}},
    };
    fs::create_directories(folder());
    for (const auto& c : cases) {
        writeBytes(file().string(), c.bytes);
        std::vector<std::string> said;
        EXPECT_EQ(readCatching(said), c.expected) << c.bytes;
        EXPECT_TRUE(said.empty()) << c.bytes << ": " << said.front();
        EXPECT_TRUE(fs::exists(file())) << "left where it was: " << c.bytes;
    }
}

// Whatever is in the file's place, the game starts with the defaults: an unusable file is set
// aside as choices.txt.bad (replacing an older one) after one line naming it.
TEST_F(ChoicesFileTest, AnUnusableFileIsSetAsideWithOneLine) {
    const std::string huge(1 << 20, '#');
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"a last line cut short", "coach = on\nvolume = 8"},
        {"a line with no value", "coach = on\nsound =\n"},
        {"a line that is no setting", "coach on\n"},
        {"no name", " = on\n"},
        {"a name in capitals", "Coach = on\n"},
        {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"NUL bytes", std::string("coach = on\0\n", 12)},
        {"a value no switch takes", "coach = yes\n"},
        {"keeping neither on nor off", "keeping = 1\n"},
        {"an unknown speed", "speed = turbo\n"},
        {"volume above 100", "volume = 110\n"},
        {"volume between steps", "volume = 85\n"},
        {"a negative volume", "volume = -10\n"},
        {"a known name twice", "coach = on\nvolume = 20\ncoach = on\n"},
        {"a huge file", huge + "\n"},
        {"a directory", ""},
    };
    fs::create_directories(folder());
    for (const auto& c : cases) {
        writeBytes((folder() / "choices.txt.bad").string(), "an older one");
        fs::remove(file());
        if (std::string(c.what) == "a directory") {
            fs::create_directories(file() / "inside");
        } else {
            writeBytes(file().string(), c.bytes);
        }
        std::vector<std::string> said;
        EXPECT_EQ(readCatching(said), Choices{}) << c.what;
        ASSERT_EQ(said.size(), 1U) << c.what;
        EXPECT_EQ(said[0].rfind("blackjack: ", 0), 0U) << said[0];
        EXPECT_NE(said[0].find(file().string()), std::string::npos) << said[0];
        EXPECT_FALSE(fs::exists(file())) << c.what;
        if (std::string(c.what) == "a directory") {
            EXPECT_TRUE(fs::is_directory(folder() / "choices.txt.bad" / "inside"));
            fs::remove_all(folder() / "choices.txt.bad");
        } else {
            EXPECT_EQ(readBytes((folder() / "choices.txt.bad").string()), c.bytes) << c.what;
        }
        EXPECT_TRUE(ChoicesFile().write(everyChoiceChanged())) << "the next write works";
        EXPECT_EQ(readCatching(said), everyChoiceChanged());
    }
}

// A write that cannot be made is one line on standard error and leaves the old file as it was.
TEST_F(ChoicesFileTest, AFailedWriteSaysSoAndKeepsTheOldFile) {
    Choices coach;
    coach.coach = true;
    ASSERT_TRUE(ChoicesFile().write(coach));
    fs::create_directory(folder() / "choices.txt.new");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ChoicesFile().write(everyChoiceChanged()));
    const std::vector<std::string> said = lines(::testing::internal::GetCapturedStderr());
    ASSERT_EQ(said.size(), 1U);
    EXPECT_NE(said[0].find("cannot save the choices in " + file().string()), std::string::npos)
        << said[0];
    std::vector<std::string> none;
    EXPECT_EQ(readCatching(none), coach);

    const ScopedEnv aFileForAFolder{"BLACKJACK_PREFS_DIR", file().string()};
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ChoicesFile().write(coach));
    EXPECT_EQ(lines(::testing::internal::GetCapturedStderr()).size(), 1U);
}

#ifdef __linux__
// Without the override the file lives where SDL_GetPrefPath says, worked out without making the
// folder: under XDG_DATA_HOME, else under HOME's .local/share.
TEST_F(ChoicesFileTest, ThePlayersFolderIsSdlsWithoutMakingIt) {
    const ScopedEnv noOverride{"BLACKJACK_PREFS_DIR", std::nullopt};
    const struct {
        std::optional<std::string> xdg;
        fs::path expected;
    } cases[] = {
        {(dir.path() / "data").string(), dir.path() / "data" / "blackjack"},
        {(dir.path() / "data").string() + "/", dir.path() / "data" / "blackjack"},
        {std::nullopt, dir.path() / "home" / ".local" / "share" / "blackjack"},
    };
    const ScopedEnv home{"HOME", (dir.path() / "home").string()};
    for (const auto& c : cases) {
        const ScopedEnv xdg{"XDG_DATA_HOME", c.xdg};
        const ChoicesFile choices;
        EXPECT_EQ(choices.folder(), c.expected);
        EXPECT_EQ(choices.read(), Choices{});
        EXPECT_FALSE(fs::exists(c.expected)) << "reading made the folder";
        char* sdl = SDL_GetPrefPath("", "blackjack");
        ASSERT_NE(sdl, nullptr) << SDL_GetError();
        EXPECT_EQ((choices.folder() / "").string(), sdl);
        SDL_free(sdl);
        fs::remove_all(c.expected);
    }
}
#endif

// The keeper as main drives it, on a dummy window with a table that was never shown.
class ChoicesKeeperTest : public ChoicesFileTest {
protected:
    void SetUp() override {
        loop.window = screen.window();
        loop.game = &game;
    }
    void begin(std::vector<std::string> words) {
        words.insert(words.begin(), "blackjack");
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        loop.choices.begin(loop, readCommandLine(static_cast<int>(argv.size()), argv.data()));
    }
    // A few frames' worth of keeping.
    void frames() {
        for (int i = 0; i < 3; ++i) {
            loop.choices.keep(loop);
        }
    }

    Screen screen{kScreenWidth, kScreenHeight, Screen::Fit::Scale};
    GameScene game;
    MainLoop loop;
};

// A player who changes nothing leaves nothing behind, --coach included.
TEST_F(ChoicesKeeperTest, NothingChangedNothingWritten) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{}, {"--coach"}}) {
        begin(words);
        EXPECT_EQ(game.coaching.isOn(), !words.empty());
        frames();
        EXPECT_EQ(loop.choices.writes(), 0);
        EXPECT_FALSE(fs::exists(folder()));
    }
}

// The file's choices are in force from the start, and each change is written once.
TEST_F(ChoicesKeeperTest, TheFilesChoicesStartAndEachChangeIsWrittenOnce) {
    Choices saved;
    saved.coach = true;
    saved.fullscreen = true;
    saved.volume = 40;
    ASSERT_TRUE(ChoicesFile().write(saved));
    begin({});
    EXPECT_TRUE(game.coaching.isOn());
    EXPECT_TRUE(isFullscreen(loop.window));
    frames();
    EXPECT_EQ(loop.choices.writes(), 0);

    game.setCoach(false);
    frames();
    EXPECT_EQ(loop.choices.writes(), 1);
    saved.coach = false;
    EXPECT_EQ(ChoicesFile().read(), saved) << "volume kept as it was read";

    setFullscreen(loop.window, false);
    frames();
    EXPECT_EQ(loop.choices.writes(), 2);
    saved.fullscreen = false;
    EXPECT_EQ(ChoicesFile().read(), saved);
}

// Motion, its speed, the sound and its volume, the coach and keeping chosen by their keys in one
// run are in force in the next, each change written as it was made.
TEST_F(ChoicesKeeperTest, MotionAndSoundChosenByKeysAreInForceInTheNextRun) {
    const ScopedEnv audio{"SDL_AUDIODRIVER", "dummy"};
    begin({});
    const SDL_Keycode keys[] = {SDLK_a, SDLK_LEFTBRACKET, SDLK_m, SDLK_MINUS, SDLK_c, SDLK_k};
    for (const SDL_Keycode key : keys) {
        game.handleKey(key, KMOD_NONE);
        frames();
    }
    EXPECT_EQ(loop.choices.writes(), 6);
    EXPECT_EQ(game.kept.path(), folder() / "history.jsonl") << "the rounds kept beside the choices";

    GameScene next;
    MainLoop nextRun;
    nextRun.window = loop.window;
    nextRun.game = &next;
    nextRun.choices.begin(nextRun, CommandLine{});
    EXPECT_TRUE(next.motion.isOn());
    EXPECT_EQ(next.motion.speed(), TableMotion::Speed::Slow);
    EXPECT_TRUE(next.sounds.isOn());
    EXPECT_EQ(next.sounds.volume(), 70);
    EXPECT_TRUE(next.coaching.isOn());
    EXPECT_TRUE(next.keeping());
    // A turns it off and on again at the speed remembered.
    next.handleKey(SDLK_a, KMOD_NONE);
    next.handleKey(SDLK_a, KMOD_NONE);
    EXPECT_EQ(next.motion.speed(), TableMotion::Speed::Slow);
    // The devices closed while SDL is still up.
    next.sounds.turn(false);
    game.sounds.turn(false);
}

// --defaults starts with the defaults and leaves the file alone, whatever the player changes.
TEST_F(ChoicesKeeperTest, DefaultsLeaveTheFileAlone) {
    fs::create_directories(folder());
    writeBytes(file().string(), "coach = on\nfullscreen = on\n");
    begin({"--defaults"});
    EXPECT_FALSE(game.coaching.isOn());
    EXPECT_FALSE(isFullscreen(loop.window));
    game.setCoach(true);
    frames();
    EXPECT_EQ(loop.choices.writes(), 0);
    EXPECT_EQ(readBytes(file().string()), "coach = on\nfullscreen = on\n");
}

}  // namespace

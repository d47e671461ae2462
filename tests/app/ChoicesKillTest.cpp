// The choices file survives a game killed while it writes. This program, started with --write,
// writes two sets of choices in turn through ChoicesFile for as long as it lives; without it, it
// is the driver: it starts the writer, kills it with SIGKILL at a random moment, reads the file,
// and does that 500 times. Every read must give one of the two sets exactly: never the defaults
// of a file set aside, never a mix. It counts the kills that caught a write half done (a
// choices.txt.new left behind), so that a run whose kills all fell between writes cannot pass
// unseen.
//
// Usage: choices_kill [SEED]   (a failing run prints its seed)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include <unistd.h>

#include "app/ChoicesFile.h"
#include "support/KilledWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKills = 500;
// The longest wait between the writer's first write and its kill, in microseconds: many writes.
constexpr int kMostWaitUs = 3000;

Choices first() {
    Choices c;
    c.coach = true;
    c.volume = 30;
    return c;
}

Choices second() {
    Choices c;
    c.fullscreen = true;
    c.motion = true;
    c.motionChosen = true;
    c.speed = MotionSpeed::Slow;
    c.sound = true;
    c.volume = 100;
    return c;
}

// Writes the two sets in turn until killed; one byte on standard output after the first write.
int writeForever() {
    const ChoicesFile file;
    for (long i = 0;; ++i) {
        if (!file.write(i % 2 == 0 ? first() : second())) {
            return 1;
        }
        if (i == 0 && ::write(STDOUT_FILENO, "w", 1) != 1) {
            return 1;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--write") {
        return writeForever();
    }
    const unsigned seed =
        argc == 2 ? static_cast<unsigned>(std::stoul(argv[1])) : std::random_device{}();
    std::string pattern = (fs::temp_directory_path() / "blackjack-kill-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::cerr << "choices_kill: cannot make a scratch folder" << std::endl;
        return 1;
    }
    const fs::path folder = pattern;
    ::setenv("BLACKJACK_PREFS_DIR", folder.c_str(), 1);
    const ChoicesFile file;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> waitUs(0, kMostWaitUs);

    int failed = 0;
    int halfDone = 0;
    int firsts = 0;
    int seconds = 0;
    if (!file.write(first())) {
        failed = kKills;
    }
    for (int kill = 0; kill < kKills && failed == 0; ++kill) {
        const pid_t writer = startWriter("choices_kill");
        if (writer < 0) {
            std::cerr << "choices_kill: the writer did not start" << std::endl;
            ++failed;
            break;
        }
        if (const std::string ended = killWriter(writer, waitUs(random)); !ended.empty()) {
            std::cerr << "choices_kill: " << ended << std::endl;
            ++failed;
            break;
        }
        halfDone += fs::exists(folder / "choices.txt.new") ? 1 : 0;
        const Choices read = file.read();
        firsts += read == first() ? 1 : 0;
        seconds += read == second() ? 1 : 0;
        if ((read != first() && read != second()) || fs::exists(folder / "choices.txt.bad")) {
            std::cerr << "choices_kill: after kill " << kill + 1
                      << " the file read as neither set (seed " << seed << ")" << std::endl;
            ++failed;
        }
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);

    std::cout << "choices_kill: seed " << seed << ", " << firsts + seconds << " reads of " << kKills
              << " kills gave a whole set (" << firsts << " the first, " << seconds
              << " the second); " << halfDone << " kills caught a write half done" << std::endl;
    if (failed == 0 && (halfDone == 0 || firsts == 0 || seconds == 0)) {
        std::cerr << "choices_kill: the kills never caught a write half done, or only one set "
                     "was ever read: the test proved nothing"
                  << std::endl;
        failed = 1;
    }
    return failed == 0 ? 0 : 1;
}

// The history file survives a game killed while it keeps rounds. This program, started with
// --write FILE, does what the game does: loads the file (setting a torn last line aside), then
// appends numbered rounds through HistoryFile for as long as it lives. Without it, it is the
// driver: it starts the writer, kills it with SIGKILL at a random moment, reads the file without
// changing it, and does that 200 times. After every kill the file must hold rounds 0, 1, 2 ... in
// order with none missing and no line in the middle unreadable, and never fewer than before: a
// kill loses at most the round being written, never one before it.
//
// Usage: history_kill [SEED]   (a failing run prints its seed)
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "history/HistoryFile.h"
#include "support/KilledWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKills = 200;
// The longest wait between the writer's first round and its kill, in microseconds.
constexpr int kMostWaitUs = 4000;

RoundRecord numbered(int number) {
    RoundRecord round;
    round.time = "2026-12-09T01:32:00Z";
    round.session = 1;
    round.bet = 10;
    round.dealer = {10, 7};
    round.dealerSuits = "HS";
    round.hands.push_back(RoundRecord::HandRecord{{9, 8}, "DC", 10, 10});
    round.net = 10;
    round.wallet = number;
    round.text = "Round " + std::to_string(number);
    return round;
}

// Keeps rounds until killed; one byte on standard output after the first.
int writeForever(const std::string& path) {
    const HistoryFile file(path);
    std::vector<RoundRecord> rounds;
    std::string notice;
    if (!file.load(rounds, notice)) {
        return 1;
    }
    for (int number = static_cast<int>(rounds.size());; ++number) {
        std::string why;
        if (!file.append(numbered(number), why)) {
            return 1;
        }
        if (number == static_cast<int>(rounds.size()) && ::write(STDOUT_FILENO, "w", 1) != 1) {
            return 1;
        }
    }
}

// What is wrong with the file after a kill, or nothing; `kept` is how many rounds it holds.
std::string problem(const HistoryFile& file, std::size_t& kept, int& torn) {
    HistoryFile::Contents contents;
    std::string why;
    if (!file.inspect(contents, why)) {
        return why;
    }
    if (!contents.bad.empty()) {
        return "line " + std::to_string(contents.bad[0].number) + " is unreadable";
    }
    for (std::size_t i = 0; i < contents.rounds.size(); ++i) {
        if (contents.rounds[i].wallet != static_cast<int>(i)) {
            return "line " + std::to_string(i + 1) + " holds round " +
                   std::to_string(contents.rounds[i].wallet);
        }
    }
    if (contents.rounds.size() < kept) {
        return std::to_string(kept - contents.rounds.size()) + " rounds were lost";
    }
    kept = contents.rounds.size();
    torn += contents.torn ? 1 : 0;
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--write") {
        return writeForever(argv[2]);
    }
    const unsigned seed =
        argc == 2 ? static_cast<unsigned>(std::stoul(argv[1])) : std::random_device{}();
    std::string pattern = (fs::temp_directory_path() / "blackjack-history-kill-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::cerr << "history_kill: cannot make a scratch folder" << std::endl;
        return 1;
    }
    const fs::path folder = pattern;
    const HistoryFile file((folder / "history.jsonl").string());
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> waitUs(0, kMostWaitUs);

    std::size_t kept = 0;
    int torn = 0;
    std::string failure;
    for (int kill = 0; kill < kKills && failure.empty(); ++kill) {
        const pid_t writer = startWriter("history_kill", file.path().c_str());
        if (writer < 0) {
            failure = "the writer did not start";
            break;
        }
        if (const std::string ended = killWriter(writer, waitUs(random)); !ended.empty()) {
            failure = ended;
        } else if (const std::string wrong = problem(file, kept, torn); !wrong.empty()) {
            failure = "after kill " + std::to_string(kill + 1) + ": " + wrong;
        }
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);

    std::cout << "history_kill: seed " << seed << ", " << kKills << " kills, " << kept
              << " rounds kept, " << torn << " kills left a torn last line" << std::endl;
    if (failure.empty() && kept < static_cast<std::size_t>(2 * kKills)) {
        failure = "the writer kept too few rounds between kills to prove anything";
    }
    if (!failure.empty()) {
        std::cerr << "history_kill: " << failure << " (seed " << seed << ")" << std::endl;
        return 1;
    }
    return 0;
}

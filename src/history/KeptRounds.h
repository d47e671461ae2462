#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "history/RoundRecord.h"

// The rounds the table has written down, for the review and the career: those of this run, and,
// with keeping on, every round of history.jsonl in the player's folder (the folder of the
// choices), each new one appended to it the moment its record is complete. Turned on the first
// time in a run, it reads the file (setting a torn last line aside) and numbers this run's
// session one past the highest in it. Off, nothing is read or written; the rounds of this run are
// still held in memory.
class KeptRounds {
public:
    static constexpr const char* kFileName = "history.jsonl";

    // Where history.jsonl lives; empty for nowhere (keeping then holds the rounds in memory only).
    void setFolder(std::filesystem::path folder);
    const std::filesystem::path& path() const { return path_; }

    void turn(bool on);
    bool isOn() const { return on_; }

    // A round's complete record: numbered with this run's session, held, and with keeping on
    // appended to the file. A failed write says so once on standard error; the round is still
    // held.
    void add(RoundRecord round);

    // Oldest first: the file's rounds (once read) and this run's.
    const std::vector<RoundRecord>& rounds() const { return rounds_; }
    long long session() const { return session_; }
    // Over every round held that is not a drill: how many, and their net in dollars.
    long long careerRounds() const { return careerRounds_; }
    long long careerNet() const { return careerNet_; }
    // How many lines this run has written (the page stores its folder after each).
    int writes() const { return writes_; }

private:
    void load();
    void count(const RoundRecord& round);

    std::filesystem::path folder_;
    std::filesystem::path path_;
    bool on_ = false;
    bool loaded_ = false;
    bool failedOnce_ = false;
    long long session_ = 1;
    int writes_ = 0;
    long long careerRounds_ = 0;
    long long careerNet_ = 0;
    std::vector<RoundRecord> rounds_;
};

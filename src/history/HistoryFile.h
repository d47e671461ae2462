#pragma once

#include <string>
#include <vector>

#include "history/RoundRecord.h"

// The kept rounds on disk: history.jsonl, one line a round (history/HistoryLine.h). A round is
// appended in one write of its line and its newline, then flushed to the disk, so a game killed
// at any moment leaves at most its last line torn. The next load sets such a line aside in
// history.jsonl.torn and rewrites the file without it (new file, flushed, renamed over the old
// one); a line in the middle that cannot be read stays where it is and is skipped.
class HistoryFile {
public:
    // A line of the file that could not be read.
    struct BadLine {
        // From 1.
        int number = 0;
        std::string why;
    };

    // What the file holds, as read.
    struct Contents {
        std::vector<RoundRecord> rounds;
        // The line number (from 1) of each round.
        std::vector<int> lineNumbers;
        // Lines before the last that could not be read.
        std::vector<BadLine> bad;
        // The last line was torn: it has no newline after it, or it cannot be read.
        bool torn = false;
        BadLine tornLine;
        // The bytes before the torn line: the file as it should be.
        std::size_t keptBytes = 0;
    };

    // `path` in UTF-8 (on Windows, std::filesystem::path::u8string, not string).
    explicit HistoryFile(std::string path);

    const std::string& path() const { return path_; }

    // Appends the round's line, making the file (not its folder) if need be. False, with the
    // reason in `why`, when it could not be written and flushed whole.
    bool append(const RoundRecord& round, std::string& why) const;

    // Every round the file holds, a torn last line set aside first. A missing file holds none.
    // `notice` is one line saying what was set aside or skipped, empty when nothing was. False
    // only when the file is there and cannot be read (`notice` then says why).
    bool load(std::vector<RoundRecord>& rounds, std::string& notice) const;

    // The file read and left as it is: no line set aside. False, with the reason in `why`, only
    // when the file is there and cannot be read; a missing file holds nothing.
    bool inspect(Contents& contents, std::string& why) const;

    // The file's text read line by line.
    static Contents read(const std::string& text);

private:
    // The file's bytes; a missing file is empty (`exists` false).
    bool readBytes(std::string& bytes, bool& exists, std::string& why) const;

    std::string path_;
};

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "history/HistoryFile.h"
#include "history/HistoryLine.h"
#include "support/HistoryRounds.h"

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<RoundRecord> threeRounds() {
    return {historyRound(1, 10, 10, -0.05), historyRound(1, 10, -10, -0.06),
            historyRound(2, 25, 0, 0.01)};
}

TEST(HistoryFile, AppendedRoundsLoadBackInOrder) {
    const HistoryFile file(scratchFile("history.jsonl"));
    std::vector<RoundRecord> rounds;
    std::string notice = "untouched";
    // No file yet: nothing to read, and nothing is made by reading.
    ASSERT_TRUE(file.load(rounds, notice));
    EXPECT_TRUE(rounds.empty());
    EXPECT_EQ(notice, "");
    EXPECT_FALSE(std::filesystem::exists(file.path()));

    std::string expected;
    for (const RoundRecord& round : threeRounds()) {
        std::string why;
        ASSERT_TRUE(file.append(round, why)) << why;
        expected += historyLine(round) + "\n";
    }
    EXPECT_EQ(contentsOf(file.path()), expected);
    ASSERT_TRUE(file.load(rounds, notice));
    EXPECT_EQ(notice, "");
    ASSERT_EQ(rounds.size(), 3U);
    EXPECT_EQ(rounds[1].net, -10);
    EXPECT_EQ(rounds[2].session, 2);
}

TEST(HistoryFile, TornLastLineIsSetAsideAndTheRestKept) {
    const std::string good = historyLine(historyRound(1, 10, 10, -0.05)) + "\n" +
                             historyLine(historyRound(1, 10, -10, -0.06)) + "\n";
    const std::string next = historyLine(historyRound(1, 10, 0, 0.0));
    struct Case {
        const char* name;
        std::string tail;
        const char* why;
    };
    const Case cases[] = {
        {"cut in the middle", next.substr(0, next.size() / 2), "cut short"},
        {"whole but no newline", next, "cut short"},
        {"ended but unreadable", next.substr(0, 40) + "\n", "ends in a string"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HistoryFile file(scratchFile("history.jsonl"));
        writeFile(file.path(), good + c.tail);
        std::vector<RoundRecord> rounds;
        std::string notice;
        ASSERT_TRUE(file.load(rounds, notice));
        EXPECT_EQ(rounds.size(), 2U);
        EXPECT_NE(notice.find("last line (3: "), std::string::npos) << notice;
        EXPECT_NE(notice.find(c.why), std::string::npos) << notice;
        EXPECT_NE(notice.find("set aside in " + file.path() + ".torn"), std::string::npos);
        EXPECT_EQ(contentsOf(file.path()), good);
        const std::string torn = c.tail.back() == '\n' ? c.tail : c.tail + "\n";
        EXPECT_EQ(contentsOf(file.path() + ".torn"), torn);
        EXPECT_FALSE(std::filesystem::exists(file.path() + ".new"));
        // Set aside once: the next start finds nothing to say.
        ASSERT_TRUE(file.load(rounds, notice));
        EXPECT_EQ(notice, "");
        EXPECT_EQ(rounds.size(), 2U);
    }
}

TEST(HistoryFile, UnreadableMiddleLinesAreSkippedAndKept) {
    const HistoryFile file(scratchFile("history.jsonl"));
    const std::string text = historyLine(historyRound(1, 10, 10, 0.0)) + "\nnot a round\n\n" +
                             historyLine(historyRound(1, 10, -10, 0.0)) + "\n{\"v\":2}\n" +
                             historyLine(historyRound(1, 10, 20, 0.0)) + "\n";
    writeFile(file.path(), text);
    std::vector<RoundRecord> rounds;
    std::string notice;
    ASSERT_TRUE(file.load(rounds, notice));
    ASSERT_EQ(rounds.size(), 3U);
    EXPECT_EQ(rounds[2].net, 20);
    EXPECT_NE(notice.find("2 lines could not be read and were skipped (lines 2, 5)"),
              std::string::npos)
        << notice;
    EXPECT_EQ(contentsOf(file.path()), text);
    EXPECT_FALSE(std::filesystem::exists(file.path() + ".torn"));

    // Inspecting tells the same without changing anything, torn line or not.
    writeFile(file.path(), text + "{\"v\"");
    HistoryFile::Contents contents;
    std::string why;
    ASSERT_TRUE(file.inspect(contents, why)) << why;
    EXPECT_EQ(contents.lineNumbers, (std::vector<int>{1, 4, 6}));
    EXPECT_EQ(contents.bad.size(), 2U);
    EXPECT_TRUE(contents.torn);
    EXPECT_EQ(contents.tornLine.number, 7);
    EXPECT_EQ(contentsOf(file.path()), text + "{\"v\"");
}

TEST(HistoryFile, AppendAfterATornLineStartsOnANewLine) {
    const HistoryFile file(scratchFile("history.jsonl"));
    writeFile(file.path(), historyLine(historyRound(1, 10, 10, 0.0)) + "\n{\"v\":1,\"ti");
    std::string why;
    ASSERT_TRUE(file.append(historyRound(1, 10, -10, 0.0), why)) << why;
    std::vector<RoundRecord> rounds;
    std::string notice;
    ASSERT_TRUE(file.load(rounds, notice));
    ASSERT_EQ(rounds.size(), 2U);
    EXPECT_EQ(rounds[1].net, -10);
    EXPECT_NE(notice.find("(line 2)"), std::string::npos) << notice;
}

TEST(HistoryFile, FailuresSayWhy) {
    const std::string folder = scratchFile("folder");
    std::filesystem::create_directories(folder);
    // A folder that is not there is the caller's to make; a folder is no file to read.
    const HistoryFile nowhere(folder + "/missing/history.jsonl");
    std::string why;
    EXPECT_FALSE(nowhere.append(historyRound(1, 10, 10, 0.0), why));
    EXPECT_NE(why.find("cannot keep the round"), std::string::npos) << why;
    EXPECT_FALSE(std::filesystem::exists(folder + "/missing"));

    const HistoryFile notAFile(folder);
    std::vector<RoundRecord> rounds;
    std::string notice;
    EXPECT_FALSE(notAFile.load(rounds, notice));
    EXPECT_NE(notice.find("is not a file"), std::string::npos) << notice;
}

}  // namespace

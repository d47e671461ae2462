#include <gtest/gtest.h>

#include <functional>

#include "history/HistoryFile.h"
#include "history/HistoryLine.h"
#include "sim/CareerReport.h"
#include "sim/HistoryCheck.h"
#include "support/HistoryRounds.h"

namespace sim {
namespace {

using solver::Action;

// A round of three decisions, the second the costly one, in a file of two lines.
std::string keptFile(const std::function<void(RoundRecord&)>& change = {}) {
    RoundRecord first =
        historyRound(1, 10, 10, -0.03, {solvedDecision({10, 2}, 6, {}, false, Action::Hit, 10)});
    RoundRecord second = fullRound();
    second.decisions[1] = solvedDecision({8, 3}, 6, {2, 5, 13, 8}, true, Action::Stand, second.bet);
    if (change) {
        change(second);
    }
    return historyLine(first) + "\n" + historyLine(second) + "\n";
}

TEST(HistoryCheck, TrueValuesAgree) {
    const HistoryCheck check = checkHistory(HistoryFile::read(keptFile()));
    EXPECT_TRUE(check.agrees);
    EXPECT_EQ(check.report, "4 of 4 decisions agree\n");
}

TEST(HistoryCheck, EachKindOfDisagreementIsFound) {
    struct Case {
        const char* name;
        std::function<void(RoundRecord&)> change;
        const char* said;
    };
    const Case cases[] = {
        {"a value a millionth off", [](RoundRecord& r) { r.decisions[1].values.hit += 1e-6; },
         "hit is kept as"},
        {"best not the best", [](RoundRecord& r) { r.decisions[1].best = Action::Stand; },
         "the live play worth most is hit"},
        {"a cost off", [](RoundRecord& r) { r.decisions[1].cost += 1e-6; }, "cost is kept as"},
        {"a cost where none was", [](RoundRecord& r) { r.decisions[0].cost = 1.0; },
         "cost is kept as 1, worked out 0"},
        {"a play chosen that was not live",
         [](RoundRecord& r) { r.decisions[1].chosen = Action::Double; },
         "the chosen play, double, is not live"},
        {"a double on a split hand", [](RoundRecord& r) { r.decisions[1].values.doubled = 0.5; },
         "double is kept as 0.5"},
        {"a card seen that was not", [](RoundRecord& r) { r.decisions[0].seen.push_back(2); },
         "stand is kept as"},
        {"a fifth eight",
         [](RoundRecord& r) {
             r.decisions[1].seen = {8, 8, 8, 8};
         },
         "more cards of a rank than a pack holds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HistoryCheck check = checkHistory(HistoryFile::read(keptFile(c.change)));
        EXPECT_FALSE(check.agrees);
        EXPECT_NE(check.report.find("line 2, decision "), std::string::npos) << check.report;
        EXPECT_NE(check.report.find(c.said), std::string::npos) << check.report;
        EXPECT_NE(check.report.find("3 of 4 decisions agree\n"), std::string::npos);
    }
}

TEST(HistoryCheck, UnreadableLinesFailButATornLastOneIsOnlyReported) {
    const std::string file = keptFile();
    const HistoryCheck torn = checkHistory(HistoryFile::read(file + "{\"v\":1,\"ti"));
    EXPECT_TRUE(torn.agrees);
    EXPECT_NE(torn.report.find("line 3, the last, is torn"), std::string::npos) << torn.report;

    const HistoryCheck bad = checkHistory(HistoryFile::read("{}\n" + file));
    EXPECT_FALSE(bad.agrees);
    EXPECT_NE(bad.report.find("line 1 cannot be read: no \"v\""), std::string::npos);
    EXPECT_NE(bad.report.find("4 of 4 decisions agree"), std::string::npos) << bad.report;
}

TEST(CareerReport, LedgerLinesAddUpAndCsvQuotes) {
    std::vector<RoundRecord> rounds = {historyRound(4, 10, -10, -0.0259),
                                       historyRound(4, 10, 15, 0.004)};
    rounds[1].decisions = {solvedDecision({10, 6}, 10, {}, false, Action::Stand, 10)};
    rounds[1].dealer = {1, 13};
    rounds[1].time = "noon, \"today\"";
    const std::string report = formatCareer(Career(rounds));
    // -0.0219 of edge rounds to -0.02; standing on 10,6 against a ten gives up $0.40.
    EXPECT_NE(report.find("  rounds 2: won 1, lost 1, pushed 0; blackjacks 0\n"
                          "  net 5.00 = table's edge -0.02 + decisions -0.40 + luck 5.42\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("   1. 10,6 against 10: stand, best hit, cost 0.40 (session 4"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("  hard totals       1, cost 0.40\n"), std::string::npos) << report;
    EXPECT_EQ(dollars(-5), "-0.05");

    const std::string csv = formatCareerCsv(rounds);
    EXPECT_EQ(csv,
              "session,time,bet,net,edge,decisions,luck,wallet,dealer,hands\n"
              "4,2026-12-09T01:32:00Z,10,-10,-0.03,0.00,-9.97,990,10 7,9 8\n"
              "4,\"noon, \"\"today\"\"\",10,15,0.00,-0.40,15.40,1015,A K,9 8\n");
}

}  // namespace
}  // namespace sim

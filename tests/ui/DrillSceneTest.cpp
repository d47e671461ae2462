// The drill table: the drill's cards in their places, the play buttons and keys live as the rules
// allow, each answer graded and counted, the way back to the menu, the answers kept in the
// history, and the table at twice the density.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "history/HistoryFile.h"
#include "history/KeptRounds.h"
#include "solver/TableSolver.h"
#include "support/HeadlessTable.h"
#include "ui/CoachView.h"
#include "ui/DrillScene.h"

namespace {

using solver::Action;

constexpr std::array<Action, 4> kPlays{Action::Stand, Action::Hit, Action::Double, Action::Split};
constexpr std::array<SDL_Keycode, 4> kPlayKeys{SDLK_s, SDLK_h, SDLK_d, SDLK_p};
constexpr std::array<SDL_Rect, 4> kPlayRects{kStandButtonRect, kHitButtonRect, kDoubleButtonRect,
                                             kSplitButtonRect};
constexpr std::array<int, 4> kPlayFrames{kStandFrame, kHitFrame, kDoubleFrame, kSplitFrame};
constexpr std::array<const char*, 4> kPlayNames{"STAND", "HIT", "DOUBLE", "SPLIT"};

std::size_t slot(Action play) {
    return static_cast<std::size_t>(play);
}

class DrillSceneTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (!HasFatalFailure()) {
            scene.init(renderer);
            initialised = true;
        }
    }
    void TearDown() override {
        if (initialised) {
            scene.cleanup();
        }
        HeadlessTest::TearDown();
    }

    // Frames until the drill is ready to be answered.
    void untilReady() {
        for (int i = 0; i < 2000 && !scene.dealer.ready(); ++i) {
            frame(scene, renderer, kAwayFromButtons, false);
        }
        frame(scene, renderer, kAwayFromButtons, false);
        ASSERT_TRUE(scene.dealer.ready());
    }
    void key(SDL_Keycode code) { press(scene, renderer, code); }
    // Answers with the best play by its key, and waits for the next drill.
    void answerBest() {
        key(kPlayKeys[slot(scene.dealer.current().best)]);
        untilReady();
    }
    // A live play that is not the best one, if the drill has any.
    std::optional<Action> wrongPlay() const {
        for (Action play : kPlays) {
            if (play != scene.dealer.current().best && scene.dealer.isLive(play)) {
                return play;
            }
        }
        return std::nullopt;
    }

    DrillScene scene;
    bool initialised = false;
};

// The table and panel as the game screen draws them, no chip or wallet; the up card at the
// dealer's first place with its hole card face down beside it, the hand at the player's place,
// and the seen cards at half size in the order turned up.
TEST_F(DrillSceneTest, TheDrillsCardsLieAtTheirPlaces) {
    EXPECT_TRUE(scene.hasWork()) << "the first drill is still to be worked out";
    untilReady();
    for (int i = 0; i < 60 && scene.dealer.current().seen.size() < 3; ++i) {
        answerBest();
    }
    const Drill& drill = scene.dealer.current();
    ASSERT_GE(drill.seen.size(), 3U) << "no drill with cards seen in 60";
    EXPECT_FALSE(scene.hasWork());

    EXPECT_EQ(at(810, 640), art::kTable);
    EXPECT_EQ(at(1000, 760), art::kPanel);
    for (int kind = 0; kind < kChipKinds; ++kind) {
        EXPECT_FALSE(anywhereIn(addChipRect(kind), art::arrow(kAddFrame))) << kind;
    }
    EXPECT_FALSE(anywhereIn(kExitButtonRect, art::button(kExitFrame)));
    EXPECT_FALSE(anywhereIn(kDealButtonRect, art::button(kDealFrame)));

    EXPECT_TRUE(cardAt(kDealerX, kDealerY, cellOf(drill.up)));
    EXPECT_TRUE(cardAt(kDealerX + kFanStepX, kDealerY + kFanStepY, kBackCell, kCardWidth));
    ASSERT_EQ(drill.hand.size(), 2U);
    EXPECT_TRUE(cardAt(kPlayerX, kPlayerY, cellOf(drill.hand[0])));
    EXPECT_TRUE(
        cardAt(kPlayerX + kFanStepX, kPlayerY + kFanStepY, cellOf(drill.hand[1]), kCardWidth));

    for (std::size_t i = 0; i < drill.seen.size(); ++i) {
        const SDL_Rect r = seenCardRect(static_cast<int>(i));
        const Rgb c = art::card(cellOf(drill.seen[i]));
        // Each card's left strip shows beside the next one; the last is whole.
        const bool last = i + 1 == drill.seen.size();
        EXPECT_TRUE(filledWith({r.x, r.y, last ? r.w : kSeenStepX, r.h}, c)) << i;
        EXPECT_NE(at(r.x - 1, r.y + 1), c) << i;
        EXPECT_NE(at(r.x + 1, r.y - 1), c) << i;
    }
    EXPECT_EQ(scene.seenText,
              "Seen since the shuffle: " + std::to_string(drill.seen.size()) + " cards");
}

// A button is drawn, and takes its click and key, only while its play is live on the drill asked;
// a key or click for a play that is not does nothing.
TEST_F(DrillSceneTest, OnlyTheLivePlaysAreShownAndAnswered) {
    untilReady();
    int deadPlaysTried = 0;
    for (int drillNumber = 0; drillNumber < 12; ++drillNumber) {
        for (std::size_t play = 0; play < kPlays.size(); ++play) {
            EXPECT_EQ(drawnAt(kPlayRects[play], art::button(kPlayFrames[play])),
                      scene.dealer.isLive(kPlays[play]))
                << kPlayNames[play] << " on drill " << drillNumber;
        }
        for (std::size_t play = 0; play < kPlays.size(); ++play) {
            if (scene.dealer.isLive(kPlays[play])) {
                continue;
            }
            const std::vector<Card> hand = scene.dealer.current().hand;
            key(kPlayKeys[play]);
            click(scene, renderer, centreOf(kPlayRects[play]));
            EXPECT_EQ(scene.dealer.answered(), drillNumber) << kPlayNames[play];
            EXPECT_EQ(scene.dealer.current().hand[0].rank, hand[0].rank);
            EXPECT_EQ(scene.dealer.current().hand[1].suit, hand[1].suit);
            ++deadPlaysTried;
        }
        answerBest();
    }
    EXPECT_EQ(scene.dealer.answered(), 12);
    EXPECT_GT(deadPlaysTried, 0) << "every play was live on every drill";
}

// A wrong answer by key and a right one by click: each is graded at once and counted, the grade
// names the best play and the dollars given up, and every play's value stands under its button
// with the best in gold until the next answer.
TEST_F(DrillSceneTest, AnAnswerIsGradedAtOnceAndCounted) {
    untilReady();
    EXPECT_EQ(scene.gradeText.rfind("Your play?", 0), 0U) << scene.gradeText;
    for (int i = 0; i < 40 && !wrongPlay(); ++i) {
        answerBest();
    }
    const std::optional<Action> wrong = wrongPlay();
    ASSERT_TRUE(wrong) << "no drill with a wrong play to give";
    const int before = scene.dealer.answered();
    const Drill asked = scene.dealer.current();
    key(kPlayKeys[slot(*wrong)]);
    untilReady();

    ASSERT_TRUE(scene.lastGrade);
    EXPECT_EQ(scene.dealer.answered(), before + 1);
    EXPECT_EQ(scene.lastGrade->chosen, *wrong);
    const double cost = (asked.values.of(asked.best) - asked.values.of(*wrong)) * 100.0;
    EXPECT_NEAR(scene.lastGrade->cost, std::max(0.0, cost), 1e-9);
    const std::string best = kPlayNames[slot(asked.best)];
    const std::string chose = kPlayNames[slot(*wrong)];
    EXPECT_NE(scene.gradeText.find(": " + best + " ("), std::string::npos) << scene.gradeText;
    EXPECT_NE(scene.gradeText.find(") was best;\nyou chose " + chose + " ("), std::string::npos)
        << scene.gradeText;
    EXPECT_NE(scene.gradeText.find(coachDollars(scene.lastGrade->cost, false) + " given up"),
              std::string::npos)
        << scene.gradeText;
    EXPECT_EQ(scene.playLines[slot(asked.best)].at(0).rfind("BEST ", 0), 0U);
    EXPECT_EQ(scene.playLines[slot(*wrong)].at(0).rfind("YOURS ", 0), 0U);
    const SDL_Rect belowBest{kPlayRects[slot(asked.best)].x, 710, kButtonWidth, 50};
    EXPECT_TRUE(anywhereIn(belowBest, Rgb{255, 208, 64})) << "the best play's value in gold";
    EXPECT_EQ(scene.scoreLines.at(1), "Answered: " + std::to_string(before + 1));

    const Action right = scene.dealer.current().best;
    click(scene, renderer, centreOf(kPlayRects[slot(right)]));
    untilReady();
    EXPECT_EQ(scene.dealer.answered(), before + 2);
    EXPECT_EQ(scene.lastGrade->chosen, right);
    EXPECT_EQ(scene.lastGrade->cost, 0.0);
    EXPECT_NE(scene.gradeText.find("you chose the best play"), std::string::npos);
}

// Escape asks for the menu, and no other key does; set up again, the table asks no more.
TEST_F(DrillSceneTest, EscapeGoesBackToTheMenu) {
    untilReady();
    for (SDL_Keycode other : {SDLK_RETURN, SDLK_SPACE, SDLK_1, SDLK_c, SDLK_k, SDLK_v, SDLK_q}) {
        key(other);
    }
    EXPECT_FALSE(scene.shouldReturnToMenu());
    EXPECT_EQ(scene.dealer.answered(), 0);
    key(SDLK_ESCAPE);
    EXPECT_TRUE(scene.shouldReturnToMenu());
    scene.init(renderer);
    EXPECT_FALSE(scene.shouldReturnToMenu());
}

// With keeping on each answer is a drill's line of history.jsonl, its values those of a fresh
// solve from the drill's own cards; off, nothing more is written.
TEST_F(DrillSceneTest, KeepingWritesOneHistoryLinePerAnswer) {
    KeptRounds kept;
    const std::filesystem::path folder = dir->path() / "prefs";
    kept.setFolder(folder);
    kept.turn(true);
    scene.kept = &kept;
    untilReady();
    std::vector<Drill> asked;
    std::vector<Action> chosen;
    for (int i = 0; i < 3; ++i) {
        asked.push_back(scene.dealer.current());
        chosen.push_back(i == 1 && wrongPlay() ? *wrongPlay() : asked.back().best);
        key(kPlayKeys[slot(chosen.back())]);
        untilReady();
    }
    kept.turn(false);
    answerBest();

    std::vector<RoundRecord> rounds;
    std::string notice;
    ASSERT_TRUE(HistoryFile((folder / KeptRounds::kFileName).u8string()).load(rounds, notice))
        << notice;
    ASSERT_EQ(rounds.size(), 3U);
    solver::TableSolver solver;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        const RoundRecord& round = rounds[i];
        EXPECT_TRUE(round.drill) << i;
        EXPECT_EQ(round.bet, DrillDealer::kStake) << i;
        ASSERT_EQ(round.decisions.size(), 1U) << i;
        const RoundRecord::Decision& decision = round.decisions[0];
        std::vector<int> hand;
        solver::RankCounts unseen = solver::fullPack();
        for (const Card& card : asked[i].hand) {
            hand.push_back(card.rank);
            --unseen[card.rank];
        }
        --unseen[asked[i].up.rank];
        std::vector<int> seen;
        for (const Card& card : asked[i].seen) {
            seen.push_back(card.rank);
            --unseen[card.rank];
        }
        EXPECT_EQ(decision.cards, hand) << i;
        EXPECT_EQ(decision.up, asked[i].up.rank) << i;
        EXPECT_EQ(decision.seen, seen) << i;
        EXPECT_EQ(decision.chosen, chosen[i]) << i;
        const solver::PlayValues fresh = solver.decide(hand, asked[i].up.rank, unseen, true);
        for (Action play : kPlays) {
            const double value = decision.values.of(play);
            if (std::isnan(fresh.of(play))) {
                EXPECT_TRUE(std::isnan(value)) << i << " " << kPlayNames[slot(play)];
            } else {
                EXPECT_NEAR(value, fresh.of(play), 1e-9) << i << " " << kPlayNames[slot(play)];
            }
        }
        EXPECT_EQ(decision.best, fresh.best()) << i;
        const double cost = (fresh.of(fresh.best()) - fresh.of(chosen[i])) * DrillDealer::kStake;
        EXPECT_NEAR(decision.cost, std::max(0.0, cost), 1e-6) << i;
    }
    scene.kept = nullptr;
}

// On a window of twice the size the pictures and cards come from ./images/2x/, in their places.
TEST_F(DrillSceneTest, TwiceTheDensityDrawsTheSharpPictures) {
    scene.cleanup();
    useWindow(2 * kWindowWidth, 2 * kWindowHeight);
    writeSharpTableArt();
    scene.init(renderer);
    scene.setDensity(2);
    untilReady();
    const Drill& drill = scene.dealer.current();
    EXPECT_EQ(at(2 * 810, 2 * 640), art::sharp(art::kTable));
    EXPECT_EQ(at(2 * 1000, 2 * 760), art::sharp(art::kPanel));
    EXPECT_EQ(at(2 * kDealerX + 1, 2 * kDealerY + 1), art::sharp(art::card(cellOf(drill.up))));
    EXPECT_EQ(at(2 * kPlayerX + 1, 2 * kPlayerY + 1), art::sharp(art::card(cellOf(drill.hand[0]))));
    const SDL_Point stand = centreOf(kStandButtonRect);
    EXPECT_EQ(at(2 * stand.x, 2 * stand.y), art::sharp(art::button(kStandFrame)));
    if (!drill.seen.empty()) {
        const SDL_Rect first = seenCardRect(0);
        EXPECT_EQ(at(2 * first.x + 1, 2 * first.y + 1),
                  art::sharp(art::card(cellOf(drill.seen[0]))));
    }
}

}  // namespace

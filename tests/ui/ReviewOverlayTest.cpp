// The review of the rounds kept, headless: rounds written by hand, stepped through by keys and
// clicks, and drawn over a plain table with the test art's solid-colour cards.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

#include "rules/CardSheet.h"
#include "rules/Game.h"
#include "support/HeadlessTable.h"
#include "support/KeptRounds.h"
#include "ui/MoneyChart.h"
#include "ui/ReviewOverlay.h"

namespace {

using solver::Action;
constexpr double kNone = solver::PlayValues::kNotAllowed;
constexpr Rgb kUnder{200, 100, 50};

Rgb rgb(SDL_Color c) {
    return Rgb{c.r, c.g, c.b};
}

// A session of `count` rounds of 25 that start from 1000 and change the wallet by `net` and the
// expected wallet by `edge` - `cost` each round.
std::vector<RoundRecord> session(int count, int net, double edge, double cost) {
    std::vector<RoundRecord> rounds;
    for (int i = 0; i < count; ++i) {
        RoundRecord round = keptRound("KH 7S", {{"TC 8D", net}}, 1000 + net * (i + 1));
        round.edge = edge;
        round.decisions = {keptDecision("T 8", "K", {-0.1, -0.2, kNone, kNone}, Action::Stand)};
        round.decisions[0].cost = cost;
        rounds.push_back(round);
    }
    return rounds;
}

}  // namespace

class ReviewOverlayTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        game = std::make_unique<Game>(renderer);
        review.init("./fonts/ds-digit.ttf");
    }
    void TearDown() override {
        review.cleanup();
        game.reset();
        HeadlessTest::TearDown();
    }

    // The review over a table of one plain colour.
    void draw(int density = 1, TTF_Font* lettering = nullptr) {
        SDL_SetRenderDrawColor(renderer, kUnder.r, kUnder.g, kUnder.b, 255);
        SDL_RenderClear(renderer);
        review.render(renderer, *game, lettering != nullptr ? lettering : font, density);
    }

    std::unique_ptr<Game> game;
    ReviewOverlay review;
};

// Left and Right step through the rounds (the last shown first) and stop at the ends, the arrows
// drawn in the review do the same, a click elsewhere does nothing, every key is taken while it is
// open, and Escape or V closes it.
TEST_F(ReviewOverlayTest, StepsThroughTheRoundsByKeysAndArrowsAndClosesOnEscapeOrV) {
    EXPECT_FALSE(review.handleKey(SDLK_LEFT)) << "closed, it takes no key";
    for (SDL_Keycode closer : {SDLK_ESCAPE, SDLK_v}) {
        review.open(session(3, 25, 0.0, 0.0));
        EXPECT_EQ(review.shownRound(), 2);
        EXPECT_TRUE(review.handleKey(SDLK_RIGHT));
        EXPECT_EQ(review.shownRound(), 2) << "no newer round";
        for (int i = 0; i < 3; ++i) {
            review.handleKey(SDLK_LEFT);
        }
        EXPECT_EQ(review.shownRound(), 0) << "Left at the oldest stays";
        review.handleClick(centreOf(ReviewOverlay::kNewerArrow).x,
                           centreOf(ReviewOverlay::kNewerArrow).y);
        EXPECT_EQ(review.shownRound(), 1);
        review.handleClick(centreOf(ReviewOverlay::kOlderArrow).x,
                           centreOf(ReviewOverlay::kOlderArrow).y);
        EXPECT_EQ(review.shownRound(), 0);
        review.handleClick(500, 400);
        review.handleClick(5, 5);
        EXPECT_TRUE(review.isOpen()) << "a click off the arrows is no close";
        EXPECT_EQ(review.shownRound(), 0);
        EXPECT_TRUE(review.handleKey(SDLK_h)) << "the table hears no key";
        EXPECT_TRUE(review.isOpen());
        EXPECT_TRUE(review.handleKey(closer));
        EXPECT_FALSE(review.isOpen());
    }
}

// Up and Down go to the previous and next decision that cost at least a cent, across rounds,
// skipping those that cost nothing; at either end they stay. Stepping to another round lets the
// mark go. A round with more decisions than fit lists those around the one marked.
TEST_F(ReviewOverlayTest, UpAndDownJumpToTheCostlyDecisionsOnly) {
    const solver::PlayValues values{-0.5, -0.3, kNone, kNone};
    const RoundRecord::Decision free = keptDecision("T 6", "9", values, Action::Hit);
    const RoundRecord::Decision costly = keptDecision("T 6", "9", values, Action::Stand);
    RoundRecord::Decision tiny = free;
    tiny.cost = 0.004;
    std::vector<RoundRecord> rounds = session(4, -25, 0.0, 0.0);
    rounds[0].decisions = {free, costly};
    rounds[1].decisions = {free, tiny};
    rounds[2].decisions = {};
    rounds[3].decisions = {costly, free, costly};
    review.open(rounds);

    const struct {
        SDL_Keycode key;
        int round, decision;
    } steps[] = {
        {SDLK_UP, 3, 2},   {SDLK_UP, 3, 0},    {SDLK_UP, 0, 1},   {SDLK_UP, 0, 1},
        {SDLK_DOWN, 3, 0}, {SDLK_DOWN, 3, 2},  {SDLK_DOWN, 3, 2}, {SDLK_LEFT, 2, -1},
        {SDLK_DOWN, 3, 0}, {SDLK_LEFT, 2, -1}, {SDLK_UP, 0, 1},
    };
    for (const auto& step : steps) {
        EXPECT_TRUE(review.handleKey(step.key));
        EXPECT_EQ(review.shownRound(), step.round);
        EXPECT_EQ(review.markedDecision(), step.decision);
    }

    RoundRecord many = rounds[0];
    many.decisions.assign(30, free);
    many.decisions[20] = costly;
    review.open({many});
    EXPECT_EQ(review.firstDecisionRow(), 0);
    review.handleKey(SDLK_DOWN);
    ASSERT_EQ(review.markedDecision(), 20);
    const int first = review.firstDecisionRow();
    EXPECT_LE(first, 20);
    EXPECT_GT(first + ReviewOverlay::kDecisionRows, 20);
}

// The shown round's own cards are drawn with the engine's pictures: the dealer's, both hands of a
// split, a drill's up card and hand; another round shows other cards. Without rounds it says so
// and any key closes it.
TEST_F(ReviewOverlayTest, DrawsTheShownRoundsCards) {
    RoundRecord split = keptRound("7S KD", {{"8H 3C", 25}, {"8C 2D TH", -25}}, 1000);
    RoundRecord plain = keptRound("QH 9C", {{"5S 6D", -25}}, 975);
    RoundRecord drill;
    drill.drill = true;
    drill.decisions = {keptDecision("A 7", "9", {-0.1, 0.0, kNone, kNone}, Action::Hit)};
    review.open({split, plain, drill});
    const auto shows = [this](SDL_Rect area, const char* suit, int rank) {
        return anywhereIn(area, art::card(cardCell(suit, rank)));
    };

    draw();
    EXPECT_TRUE(anywhereIn(ReviewOverlay::kDealerCards, art::card(cardCell(SheetSuit::Spades, 9))))
        << "a drill's up card, as a spade";
    EXPECT_TRUE(anywhereIn(ReviewOverlay::kPlayerCards, art::card(cardCell(SheetSuit::Spades, 1))));
    EXPECT_TRUE(anywhereIn(ReviewOverlay::kPlayerCards, art::card(cardCell(SheetSuit::Hearts, 7))));

    review.handleKey(SDLK_LEFT);
    draw();
    EXPECT_TRUE(shows(ReviewOverlay::kDealerCards, "Hearts", 12));
    EXPECT_TRUE(shows(ReviewOverlay::kDealerCards, "Clubs", 9));
    EXPECT_TRUE(shows(ReviewOverlay::kPlayerCards, "Diamonds", 6));
    EXPECT_FALSE(shows(ReviewOverlay::kDealerCards, "Spades", 7));

    review.handleKey(SDLK_LEFT);
    draw();
    EXPECT_TRUE(shows(ReviewOverlay::kDealerCards, "Spades", 7));
    EXPECT_TRUE(shows(ReviewOverlay::kDealerCards, "Diamonds", 13));
    for (const auto& [suit, rank] :
         {std::pair{"Hearts", 8}, {"Clubs", 3}, {"Clubs", 8}, {"Diamonds", 2}, {"Hearts", 10}}) {
        EXPECT_TRUE(shows(ReviewOverlay::kPlayerCards, suit, rank)) << rank << " of " << suit;
    }
    EXPECT_FALSE(shows(ReviewOverlay::kDealerCards, "Hearts", 12));

    review.open({});
    draw();
    EXPECT_EQ(review.shownRound(), -1);
    const SDL_Rect inside{ReviewOverlay::kPanel.x + 1, ReviewOverlay::kPanel.y + 1,
                          ReviewOverlay::kPanel.w - 2, ReviewOverlay::kPanel.h - 2};
    EXPECT_NE(inkIn(inside, at(inside.x, inside.y)).w, 0) << "something is lettered";
    EXPECT_TRUE(review.handleKey(SDLK_a));
    EXPECT_FALSE(review.isOpen());
}

// In the chart's middle column, from the top: the chart's back, the upper line, the luck shaded
// green where the wallet is above the expected wallet (red where below), the lower line, the back.
TEST_F(ReviewOverlayTest, TheChartShadesTheLuckBetweenTheWalletAndTheExpectedWallet) {
    const struct {
        const char* what;
        int net;
        double edge, cost;
        bool walletAbove;
    } cases[] = {
        {"won every round at no edge", 50, 0.0, 0.0, true},
        {"lost every round at no edge", -50, 0.0, 0.0, false},
        {"pushed every round, costly plays", 0, -1.0, 30.0, true},
    };
    const SDL_Rect chart = ReviewOverlay::kChart;
    const int x = chart.x + chart.w / 2 + 5;
    const Rgb back = rgb(MoneyChart::kBackColour);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        review.open(session(10, c.net, c.edge, c.cost));
        draw();
        const Rgb upper =
            rgb(c.walletAbove ? MoneyChart::kWalletColour : MoneyChart::kExpectedColour);
        const Rgb lower =
            rgb(c.walletAbove ? MoneyChart::kExpectedColour : MoneyChart::kWalletColour);
        int y = chart.y;
        while (y < chart.y + chart.h && at(x, y) == back) {
            ++y;
        }
        ASSERT_EQ(at(x, y), upper) << "at y " << y;
        while (at(x, y) == upper) {
            ++y;
        }
        const int shadeTop = y;
        while (y < chart.y + chart.h && at(x, y) != lower) {
            const Rgb shade = at(x, y);
            ASSERT_TRUE(c.walletAbove ? shade.g > shade.r + 40 : shade.r > shade.g + 40)
                << shade << " at y " << y;
            ++y;
        }
        EXPECT_GT(y - shadeTop, 20) << "a wide band of luck";
        while (y < chart.y + chart.h && at(x, y) == lower) {
            ++y;
        }
        for (; y < chart.y + chart.h; ++y) {
            ASSERT_EQ(at(x, y), back) << "at y " << y;
        }
    }
}

// Whatever the rounds (a thousand, wallets near the most an int holds, long result lines, a round
// without decisions, one with many), nothing but the darkening is drawn outside the panel, and the
// darkening is the same everywhere.
TEST_F(ReviewOverlayTest, NothingIsDrawnOutsideThePanelButTheDarkening) {
    std::vector<RoundRecord> rounds = session(1000, 25, 0.3, 2.0);
    rounds[998].wallet = INT_MAX;
    rounds[998].net = INT_MIN + 1;
    rounds[998].text = std::string(400, 'W');
    rounds[998].decisions.assign(40, rounds[0].decisions[0]);
    rounds[998].decisions[0].cards.assign(11, 2);
    rounds[997].decisions.clear();
    rounds[996].session = 2;
    review.open(rounds);
    const SDL_Rect panel = ReviewOverlay::kPanel;
    for (SDL_Keycode key : {SDLK_UNKNOWN, SDLK_LEFT, SDLK_UP, SDLK_LEFT, SDLK_LEFT}) {
        review.handleKey(key);
        draw();
        const std::vector<Rgb> frame = screen->pixels();
        const Rgb dark = frame[0];
        EXPECT_LT(dark.r, kUnder.r / 2);
        for (int y = 0; y < kScreenHeight; ++y) {
            for (int x = 0; x < kScreenWidth; ++x) {
                const SDL_Point p{x, y};
                const Rgb shown = frame[y * kScreenWidth + x];
                if (!SDL_PointInRect(&p, &panel) && shown != dark) {
                    FAIL() << "round " << review.shownRound() << ": " << shown << " at (" << x
                           << ", " << y << ")";
                }
            }
        }
    }
}

// At density 2, with the font at twice its size, the review is the same picture at twice the
// size: halved, it is the review at density 1 but for the lettering's hinting.
TEST_F(ReviewOverlayTest, TwiceTheDensityDrawsTheSamePictureAtTwiceTheSize) {
    std::vector<RoundRecord> rounds = session(12, -25, -0.1, 1.5);
    rounds.back().hands.push_back({{2, 3}, "HS", 25, 25});
    review.open(rounds);
    review.handleKey(SDLK_UP);
    draw();
    const std::vector<Rgb> single = screen->pixels();

    review.cleanup();
    game.reset();
    useWindow(2 * kWindowWidth, 2 * kWindowHeight);
    game = std::make_unique<Game>(renderer);
    review.init("./fonts/ds-digit.ttf");
    review.open(rounds);
    review.handleKey(SDLK_UP);
    TTF_Font* twice = TTF_OpenFont("./fonts/ds-digit.ttf", 2 * kFontSize);
    ASSERT_NE(twice, nullptr);
    draw(2, twice);
    const std::vector<Rgb> doubled = screen->pixels();
    TTF_CloseFont(twice);

    // Measured 1.9 of 255 per channel (the lettering at twice the point size is a little wider
    // and hinted differently); 13 with the texts drawn at twice their size.
    EXPECT_LT(meanDifference(halved(doubled, screen->width()), single), 3.0);
    const SDL_Point places[] = {
        {ReviewOverlay::kPanel.x + 4, 700},
        {ReviewOverlay::kDealerCards.x + 10, ReviewOverlay::kDealerCards.y + 10},
        {ReviewOverlay::kChart.x + 2, ReviewOverlay::kChart.y + 2}};
    for (const SDL_Point& p : places) {
        EXPECT_EQ(at(2 * p.x, 2 * p.y), single[p.y * kScreenWidth + p.x]) << p.x << ", " << p.y;
    }
}

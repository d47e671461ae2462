// The table: layout and draw order, the betting and playing controls against the wallet, the
// status texts, the cards as the rounds go, and the engine's event drain.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "history/HistoryFile.h"
#include "support/HeadlessTable.h"
#include "ui/GameScene.h"

namespace {

// Sheet cells (Clubs from 2, Diamonds from 15, Hearts from 28, Spades from 41; 2 up to ace).
constexpr int kBack = 0;

class GameSceneTest : public HeadlessTest {
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

    // A frame as the main loop runs it.
    void frame(SDL_Point at, bool clicked) {
        scene.handleInput(at.x, at.y, clicked);
        scene.update();
        scene.render(renderer);
    }
    // A click, then a frame without one (which releases the button's latch) with the pointer
    // moved away, so that nothing is drawn hovered.
    void click(SDL_Point at) {
        frame(at, true);
        frame(kAwayFromButtons, false);
    }
    void addChip(int kind, int times = 1) {
        for (int i = 0; i < times; ++i) {
            click(addChipAt(kind));
        }
    }
    void removeChip(int kind) { click(removeChipAt(kind)); }
    // Builds `amount` from the largest chips down.
    void bet(int amount) {
        for (int kind = kChipKinds - 1; kind >= 0; --kind) {
            addChip(kind, amount / kChipValues[kind]);
            amount %= kChipValues[kind];
        }
    }
    // A key going down in a frame of its own, as the main loop hands it on.
    void key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
        scene.handleInput(kAwayFromButtons.x, kAwayFromButtons.y, false);
        scene.handleKey(key, modifiers);
        scene.update();
        scene.render(renderer);
    }
    void deal(const std::string& cards) {
        stackDeck(*scene.engine->deck, cards);
        click(kDealAt);
    }

    std::array<int, 5> counts() const { return scene.chipCounts; }
    bool betting() const { return !scene.roundActive && scene.dealEnabled && !scene.playEnabled; }
    bool playing() const { return scene.roundActive && !scene.dealEnabled && scene.playEnabled; }

    GameScene scene;
    bool initialised = false;
};

TEST_F(GameSceneTest, FirstFrameDrawsTheTableInLayersWithoutText) {
    SDL_SetRenderDrawColor(renderer, 255, 0, 0, 255);
    SDL_RenderClear(renderer);
    scene.render(renderer);

    Uint8 r = 1, g = 1, b = 1, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{0, 0, 0, 255}));

    // Background, then the table and the chip panel over it.
    EXPECT_TRUE(filledWith({0, 650, 820, 10}, art::kBackground));
    EXPECT_TRUE(filledWith({0, 0, 820, 650}, art::kTable));
    EXPECT_EQ(at(819, 0), art::kTable);
    EXPECT_EQ(at(820, 0), art::kPanel);
    EXPECT_EQ(at(820, 767), art::kPanel);
    EXPECT_EQ(at(1023, 767), art::kPanel);

    const int cols[] = {1, 3, 4, 0, 1};
    const int rows[] = {0, 0, 0, 1, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(drawnAt(chipRect(i), art::chip(cols[i], rows[i]))) << i;
        EXPECT_TRUE(drawnAt(removeChipRect(i), art::arrow(0))) << i;
        EXPECT_TRUE(drawnAt(addChipRect(i), art::arrow(1))) << i;
    }
    EXPECT_TRUE(drawnAt(kDealButtonRect, art::button(4)));
    EXPECT_TRUE(drawnAt(kExitButtonRect, art::button(1)));
    EXPECT_TRUE(filledWith({0, 650, 820, 118}, art::kBackground)) << "no play buttons";

    // No text before the first update: the panel's top and the chip counts are bare.
    EXPECT_TRUE(filledWith({820, 0, 204, 100}, art::kPanel));
    EXPECT_TRUE(filledWith({885, 166, 64, 30}, art::kPanel));
    EXPECT_TRUE(filledWith({0, 0, 820, 100}, art::kTable));

    frame(kAwayFromButtons, false);
    EXPECT_FALSE(filledWith({820, 0, 204, 100}, art::kPanel));
    EXPECT_FALSE(filledWith({0, 0, 820, 100}, art::kTable));
}

TEST_F(GameSceneTest, TextsBeforeTheFirstDealAndWhereTheyStand) {
    frame(kAwayFromButtons, false);
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 1000"));
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 0"));
    for (const TextureHandle& count : scene.chipCountLabels) {
        EXPECT_TRUE(shows(count, "x0"));
    }
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 0"));
    EXPECT_TRUE(shows(scene.dealerLabel, "Dealer: 0"));
    EXPECT_EQ(scene.resultLabel, nullptr);

    // Each text lies inside the rectangle of its own size laid out for it: wallet and bet
    // centred in the panel, counts centred under their chips, dealer and player at x 600.
    const auto box = [](const TextureHandle& label, int x, int y, bool centred) {
        int w = 0, h = 0;
        SDL_QueryTexture(label.get(), nullptr, nullptr, &w, &h);
        return SDL_Rect{centred ? x - w / 2 : x, y, w, h};
    };
    const auto inside = [](SDL_Rect ink, SDL_Rect box) {
        return ink.w > 0 && ink.x >= box.x && ink.y >= box.y && ink.x + ink.w <= box.x + box.w &&
               ink.y + ink.h <= box.y + box.h;
    };
    scene.render(renderer);
    const SDL_Rect wallet = box(scene.walletLabel, 922, 30, true);
    const SDL_Rect betBox = box(scene.betLabel, 922, 65, true);
    EXPECT_TRUE(inside(inkIn({820, 0, 204, 48}, art::kPanel), wallet));
    EXPECT_TRUE(inside(inkIn({820, 60, 204, 40}, art::kPanel), betBox));
    for (int i = 0; i < 5; ++i) {
        const SDL_Rect count = box(scene.chipCountLabels[i], 917, 174 + 100 * i, true);
        EXPECT_TRUE(inside(inkIn({872, 166 + 100 * i, 90, 34}, art::kPanel), count)) << i;
    }
    const SDL_Rect dealer = box(scene.dealerLabel, 600, 30, false);
    const SDL_Rect player = box(scene.playerLabel, 600, 60, false);
    EXPECT_TRUE(inside(inkIn({560, 20, 260, 38}, art::kTable), dealer));
    EXPECT_TRUE(inside(inkIn({560, 58, 260, 40}, art::kTable), player));
    EXPECT_TRUE(filledWith({0, 0, 560, 100}, art::kTable)) << "no result text yet";
}

TEST_F(GameSceneTest, ChipsBuildAStakeUpToTheWallet) {
    removeChip(1);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 0, 0, 0, 0})) << "no chip to take off";

    addChip(4, 2);
    EXPECT_EQ(scene.pendingBet, 1000);
    addChip(0);
    addChip(1);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 0, 0, 0, 2})) << "the stake may not pass 1000";
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 1000"));
    EXPECT_TRUE(shows(scene.chipCountLabels[4], "x2"));

    removeChip(4);
    addChip(2);
    addChip(0, 3);
    EXPECT_EQ(counts(), (std::array<int, 5>{3, 0, 1, 0, 1}));
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 565"));
    EXPECT_TRUE(shows(scene.chipCountLabels[0], "x3"));
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 1000")) << "nothing leaves the wallet yet";
}

TEST_F(GameSceneTest, DealWithoutChipsDoesNothing) {
    click(kDealAt);
    EXPECT_TRUE(betting());
    EXPECT_EQ(scene.engine->getWallet(), 1000);
    EXPECT_EQ(scene.engine->deck->size(), 52);
    EXPECT_TRUE(drawnAt(kDealButtonRect, art::button(4)));
}

TEST_F(GameSceneTest, ARoundFromDealToSettlement) {
    addChip(1);
    // Player 10 and 7, dealer 9 up and 5 down, then the dealer draws a king and busts.
    deal("TH 9S 7C 5D KC");
    ASSERT_TRUE(playing());
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 975"));
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 25"));
    for (const TextureHandle& count : scene.chipCountLabels) {
        EXPECT_TRUE(shows(count, "x0"));
    }
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 17"));
    EXPECT_TRUE(shows(scene.dealerLabel, "Dealer: 9")) << "the hole card does not count";
    EXPECT_EQ(scene.resultLabel, nullptr);

    scene.render(renderer);
    EXPECT_TRUE(filledWith(kDealButtonRect, art::kPanel)) << "no deal button while playing";
    EXPECT_TRUE(drawnAt(kExitButtonRect, art::button(1)));
    EXPECT_TRUE(drawnAt(kHitButtonRect, art::button(2)));
    EXPECT_TRUE(drawnAt(kStandButtonRect, art::button(3)));
    EXPECT_TRUE(filledWith({420, 660, 284, 48}, art::kBackground)) << "no double, no split";
    EXPECT_TRUE(drawnAt(chipRect(0), art::chip(1, 0))) << "the chip column stays";
    EXPECT_TRUE(drawnAt(addChipRect(0), art::arrow(1)));

    // Arrows and the deal button's place are dead while the round is in play.
    addChip(0);
    click(kDealAt);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 0, 0, 0, 0}));
    EXPECT_EQ(scene.engine->getBet(), 25);
    EXPECT_TRUE(playing());

    click(kStandAt);
    EXPECT_TRUE(betting());
    EXPECT_TRUE(shows(scene.resultLabel, "PLAYER WINS | 25$ Won | Dealer Busted"));
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 1025"));
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 0"));
    EXPECT_TRUE(shows(scene.dealerLabel, "Dealer: 24"));
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 17"));

    scene.render(renderer);
    EXPECT_TRUE(drawnAt(kDealButtonRect, art::button(4)));
    EXPECT_TRUE(filledWith({0, 650, 820, 118}, art::kBackground)) << "play buttons gone";
    // The result text starts at (40, 30) on the table.
    const SDL_Rect ink = inkIn({0, 0, 560, 100}, art::kTable);
    EXPECT_GE(ink.x, 40);
    EXPECT_LE(ink.x, 44);
    EXPECT_GE(ink.y, 30);
    EXPECT_LE(ink.y, 40);
}

TEST_F(GameSceneTest, ANaturalIsSettledInTheFrameOfTheDeal) {
    bet(25);
    stackDeck(*scene.engine->deck, "AS 9C KH 7D 2C");
    frame(kDealAt, true);
    EXPECT_TRUE(betting()) << "Playing is entered and left within the frame";
    EXPECT_TRUE(shows(scene.resultLabel, "PLAYER WINS | 37$ Won | Blackjack!"));
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 1037"));
    scene.render(renderer);
    EXPECT_TRUE(filledWith({0, 650, 820, 118}, art::kBackground)) << "no play button drawn";
    // The deal button comes back as it was when clicked: hovered, so drawn grown.
    EXPECT_TRUE(drawnAt({841, 618, 142, 52}, art::button(4)));
}

TEST_F(GameSceneTest, DoubleWhenTheWalletEqualsTheStake) {
    bet(500);
    deal("6H 9C 4C 8D TS");
    ASSERT_TRUE(scene.doubleEnabled);
    scene.render(renderer);
    EXPECT_TRUE(drawnAt(kDoubleButtonRect, art::button(5)));
    EXPECT_TRUE(filledWith(kSplitButtonRect, art::kBackground));

    click(kDoubleAt);
    EXPECT_TRUE(betting());
    EXPECT_EQ(scene.engine->player.cards.size(), 3u);
    EXPECT_TRUE(shows(scene.resultLabel, "PLAYER WINS | 1000$ Won | Player Higher Score"));
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 2000"));
}

// What is drawn live acts: with the stake not covered once more, DOUBLE and SPLIT are neither
// drawn nor clickable, though the rules allow them.
TEST_F(GameSceneTest, DoubleAndSplitAreHiddenWhenTheWalletIsShort) {
    // Eights on 505 leave 495, lost to 17; then ten on 490 of those leaves 5, lost to 17.
    for (const char* cards : {"8H TD 8C 7S", "6H 9C 4C 8D TS"}) {
        bet(scene.engine->getWallet() == 1000 ? 505 : 490);
        deal(cards);
        EXPECT_TRUE(scene.engine->canSplit() || scene.engine->canDouble()) << cards;
        EXPECT_FALSE(scene.splitEnabled || scene.doubleEnabled) << cards;
        EXPECT_TRUE(filledWith({420, 660, 284, 48}, art::kBackground)) << cards;
        click(kDoubleAt);
        click(kSplitAt);
        EXPECT_EQ(scene.engine->player.cards.size(), 2u) << cards;
        EXPECT_FALSE(scene.engine->isSplit()) << cards;
        click(kStandAt);
    }
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 5"));
}

TEST_F(GameSceneTest, HoleCardAndSheetCells) {
    bet(5);
    // Player two and ace of Clubs, dealer ten of Hearts up, king of Spades down; the player hits
    // the ace of Spades.
    deal("2C TH AC KS AS");
    scene.render(renderer);
    EXPECT_TRUE(cardAt(30, 100, 36));
    EXPECT_TRUE(cardAt(70, 105, kBack));
    EXPECT_TRUE(cardAt(30, 300, 2));
    EXPECT_TRUE(cardAt(70, 305, 14));
    EXPECT_TRUE(drawnAt({70, 305, 117, 164}, art::card(14))) << "the last card shows whole";

    click(kHitAt);
    EXPECT_TRUE(cardAt(110, 310, 53));
    EXPECT_TRUE(cardAt(70, 105, kBack));
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 14"));

    click(kStandAt);
    EXPECT_TRUE(cardAt(70, 105, 52)) << "turned over when the dealer plays";
    EXPECT_TRUE(cardAt(30, 100, 36));
    EXPECT_TRUE(cardAt(110, 310, 53));
    EXPECT_TRUE(shows(scene.dealerLabel, "Dealer: 20"));
    EXPECT_TRUE(shows(scene.resultLabel, "DEALER WINS | 5$ Lost | Dealer Higher Score"));
}

TEST_F(GameSceneTest, SplitHandsTakeTurnsBeingRaised) {
    bet(50);
    // A pair of eights against 10 and 7; each eight then gets one card.
    deal("8H TD 8C 7S 3C 9D");
    ASSERT_TRUE(scene.splitEnabled);
    EXPECT_FALSE(scene.doubleEnabled);
    scene.render(renderer);
    EXPECT_TRUE(drawnAt(kSplitButtonRect, art::button(6)));
    EXPECT_TRUE(filledWith(kDoubleButtonRect, art::kBackground));

    click(kSplitAt);
    EXPECT_TRUE(playing());
    EXPECT_FALSE(scene.splitEnabled);
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 100"));
    EXPECT_TRUE(shows(scene.walletLabel, "Wallet: 900"));
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 11 |\nSplit: 17"));
    // The first hand is played first and sits higher.
    scene.render(renderer);
    EXPECT_TRUE(cardAt(30, 300, 34));
    EXPECT_TRUE(cardAt(70, 305, 3));
    EXPECT_TRUE(cardAt(230, 320, 8));
    EXPECT_TRUE(cardAt(270, 325, 22));
    EXPECT_TRUE(filledWith(kSplitButtonRect, art::kBackground));

    click(kStandAt);
    EXPECT_TRUE(playing()) << "on to the second hand";
    EXPECT_TRUE(cardAt(30, 320, 34));
    EXPECT_TRUE(cardAt(70, 325, 3));
    EXPECT_TRUE(cardAt(230, 300, 8));
    EXPECT_TRUE(cardAt(270, 305, 22));

    click(kStandAt);
    EXPECT_TRUE(betting());
    EXPECT_TRUE(
        shows(scene.resultLabel, "DEALER WINS | 50$ Lost | Dealer Higher Score |\nHand 2 Push"));
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 11 |\nSplit: 17"));
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 0"));
    scene.render(renderer);
    EXPECT_TRUE(cardAt(30, 320, 34)) << "the hands stay as they were";
    EXPECT_TRUE(cardAt(230, 300, 8));
    EXPECT_TRUE(cardAt(70, 105, 46)) << "the seven of Spades turned over";
}

// Long results break after a separator and keep every character, their ink from (40, 30) left
// of x = 590 (the dealer and player texts) and above y = 100 (the dealer's cards). The tests
// letter with the game's own font, so these are the breaks a player sees.
TEST_F(GameSceneTest, ResultTextsStayLeftOfTheHandTextsAndAboveTheCards) {
    const std::pair<std::string, std::string> results[] = {
        {"PLAYER WINS | 25$ Won | Dealer Busted", "PLAYER WINS | 25$ Won | Dealer Busted"},
        {"TIE/PUSH | 0$ | Player Higher Score | Hand 2 Dealer Higher Score",
         "TIE/PUSH | 0$ | Player Higher Score |\nHand 2 Dealer Higher Score"},
        {"DEALER WINS | 2147483647$ Lost | Dealer Higher Score | Hand 2 Dealer Higher Score",
         "DEALER WINS | 2147483647$ Lost |\nDealer Higher Score |\nHand 2 Dealer Higher Score"},
    };
    for (const auto& [text, lines] : results) {
        std::string broken;
        for (const std::string& line : breakLines(font, text, 590 - 40)) {
            broken += (broken.empty() ? "" : "\n") + line;
        }
        EXPECT_EQ(broken, lines);
        scene.engine->roundOver = true;
        scene.engine->resultText = text;
        frame(kAwayFromButtons, false);
        const SDL_Rect ink = inkIn({0, 0, 600, 100}, art::kTable);
        EXPECT_TRUE(ink.x >= 40 && ink.y >= 30 && ink.x + ink.w <= 590 && ink.y + ink.h <= 100)
            << text << ": ink " << ink.x << ", " << ink.y << ", " << ink.w << " x " << ink.h;
    }
    scene.engine->resultText = results[0].first;
    frame(kAwayFromButtons, false);
    EXPECT_TRUE(shows(scene.resultLabel, results[0].first)) << "one line, as ever";

    // "Player: 21 | Split: 21" would reach the chip panel: the split hand's value goes below.
    scene.engine->splitActive = true;
    scene.engine->player.value = scene.engine->splitHand.value = 21;
    frame(kAwayFromButtons, false);
    EXPECT_TRUE(shows(scene.playerLabel, "Player: 21 |\nSplit: 21"));
    int w = 0;
    SDL_QueryTexture(scene.playerLabel.get(), nullptr, nullptr, &w, nullptr);
    EXPECT_LE(600 + w, 820);
}

// Split hands never cover each other: the second starts 20 pixels right of the first once that
// passes x = 230, and both fans close up to stay on the table with every corner index in sight.
// The hand in play stays raised.
TEST_F(GameSceneTest, SplitHandsNeverCoverEachOther) {
    const struct {
        const char* cards;
        int hits;
        int step;
        int splitX;
    } splits[] = {
        // Eights: the first hand takes 2, 3, 2 and 4 and stands; the second is in play.
        {"8H 6S 8C KD 2C 7D 3D 2S 4H", 3, 40, 30 + 4 * 40 + 117 + 20},
        // Twos: the first hand busts on its eleventh card, the second on its sixth.
        {"2C KD 2S 7D AH 4C AD AC AS 2H 2D 3C 3D 3H 3S 4D 4H 4S 5H 5C", 14, 35,
         30 + 10 * 35 + 117 + 20},
    };
    for (const auto& split : splits) {
        bet(5);
        deal(split.cards);
        click(kSplitAt);
        for (int i = 0; i < split.hits; ++i) {
            click(kHitAt);
        }
        if (!scene.engine->playingSplit) {
            click(kStandAt);
        }
        const Hand& first = scene.engine->player;
        const Hand& second = scene.engine->splitHand;
        const int firstCount = static_cast<int>(first.cards.size());
        for (int i = 0; i < firstCount; ++i) {
            EXPECT_TRUE(cardAt(30 + split.step * i, 320 + 5 * i, sheetCell(*first.cards[i]),
                               i + 1 == firstCount ? 117 : split.step))
                << split.cards << ", first hand, card " << i;
        }
        for (int i = 0; i < static_cast<int>(second.cards.size()); ++i) {
            EXPECT_TRUE(cardAt(split.splitX + split.step * i, 300 + 5 * i,
                               sheetCell(*second.cards[i]), split.step))
                << split.cards << ", second hand, card " << i;
        }
        EXPECT_LE(split.splitX + split.step * (second.cards.size() - 1) + 117, 820u);
        if (!scene.engine->roundOver) {
            click(kStandAt);
        }
    }
}

// Keys play rounds as clicks on their buttons would, and do nothing while the button is not live:
// each row is a key and what the player then sees.
TEST_F(GameSceneTest, KeysActAsTheirButtonsOnlyWhileLive) {
    const struct {
        SDL_Keycode key;
        Uint16 modifiers;
        const char* deck;  // stacked before the key, when not null
        std::array<int, 5> counts;
        bool inPlay;
        int wallet;
        int playerCards;
        const char* why;
    } steps[] = {
        {SDLK_h, 0, nullptr, {0, 0, 0, 0, 0}, false, 1000, 0, "no HIT while betting"},
        {SDLK_RETURN, 0, nullptr, {0, 0, 0, 0, 0}, false, 1000, 0, "no deal without chips"},
        {SDLK_r, 0, nullptr, {0, 0, 0, 0, 0}, false, 1000, 0, "no last round to bet again"},
        {SDLK_2, 0, nullptr, {0, 1, 0, 0, 0}, false, 1000, 0, "2 adds a 25"},
        {SDLK_5, 0, nullptr, {0, 1, 0, 0, 1}, false, 1000, 0, "5 adds a 500"},
        {SDLK_5, KMOD_RSHIFT, nullptr, {0, 1, 0, 0, 0}, false, 1000, 0, "Shift+5 takes it back"},
        {SDLK_1, KMOD_LSHIFT, nullptr, {0, 1, 0, 0, 0}, false, 1000, 0, "no 5 to take back"},
        {SDLK_ESCAPE, 0, nullptr, {0, 1, 0, 0, 0}, false, 1000, 0, "Escape does nothing here"},
        // Eights against 10 and 7; each eight gets one card, the first hand hits a two.
        {SDLK_SPACE, 0, "8H TD 8C 7S 3C 9D 2D", {0, 0, 0, 0, 0}, true, 975, 2, "Space deals"},
        {SDLK_1, 0, nullptr, {0, 0, 0, 0, 0}, true, 975, 2, "the arrows are dead in play"},
        {SDLK_RETURN, 0, nullptr, {0, 0, 0, 0, 0}, true, 975, 2, "no second deal"},
        {SDLK_d, 0, nullptr, {0, 0, 0, 0, 0}, true, 975, 2, "no DOUBLE on 16"},
        {SDLK_p, 0, nullptr, {0, 0, 0, 0, 0}, true, 950, 2, "P splits"},
        {SDLK_p, 0, nullptr, {0, 0, 0, 0, 0}, true, 950, 2, "one split a round"},
        {SDLK_h, 0, nullptr, {0, 0, 0, 0, 0}, true, 950, 3, "H hits the first hand"},
        {SDLK_s, 0, nullptr, {0, 0, 0, 0, 0}, true, 950, 3, "S stands on it"},
        {SDLK_s, 0, nullptr, {0, 0, 0, 0, 0}, false, 975, 3, "13 loses, 17 pushes 17"},
        {SDLK_r, 0, nullptr, {0, 1, 0, 0, 0}, false, 975, 3, "R bets the 25 again"},
        {SDLK_5, 0, nullptr, {0, 1, 0, 0, 1}, false, 975, 3, "and a 500"},
        // 17 against 19, lost: 450 left, short of the 525 staked.
        {SDLK_KP_ENTER, 0, "TH 9S 7C TD", {0, 0, 0, 0, 0}, true, 450, 2, "keypad Enter deals"},
        {SDLK_s, 0, nullptr, {0, 0, 0, 0, 0}, false, 450, 2, "lost"},
        {SDLK_r, 0, nullptr, {0, 0, 0, 0, 0}, false, 450, 2, "the wallet does not cover R"},
        {SDLK_2, 0, nullptr, {0, 1, 0, 0, 0}, false, 450, 2, "a 25 by hand"},
        // Ten against 9 and 8: double, a ten comes, 20 beats 17.
        {SDLK_RETURN, 0, "6H 9C 4C 8D TS", {0, 0, 0, 0, 0}, true, 425, 2, "Enter deals"},
        {SDLK_d, 0, nullptr, {0, 0, 0, 0, 0}, false, 500, 3, "D doubles and wins"},
        {SDLK_r, 0, nullptr, {0, 1, 0, 0, 0}, false, 500, 3, "R bets the dealt 25, not 50"},
    };
    for (const auto& step : steps) {
        if (step.deck != nullptr) {
            stackDeck(*scene.engine->deck, step.deck);
        }
        key(step.key, step.modifiers);
        EXPECT_EQ(counts(), step.counts) << step.why;
        EXPECT_EQ(playing(), step.inPlay) << step.why;
        EXPECT_EQ(scene.engine->getWallet(), step.wallet) << step.why;
        EXPECT_EQ(static_cast<int>(scene.engine->player.cards.size()), step.playerCards)
            << step.why;
    }
    EXPECT_TRUE(shows(scene.betLabel, "Bet: 25"));
}

// The table in a window of another size is laid out at its own and scaled to fit, with bars; a
// pointer at the scaled place of a button is on that button, and one in a bar on none. At the
// table's own size the scaling changes no pixel.
TEST_F(GameSceneTest, AScaledWindowKeepsTheTableAndWhereClicksLand) {
    bet(25);
    deal("TH 9S 7C 5D KC");
    frame(kHitAt, false);
    const std::vector<Rgb> unscaled = screen->pixels();
    SDL_RenderSetLogicalSize(renderer, kWindowWidth, kWindowHeight);
    scene.render(renderer);
    EXPECT_TRUE(screen->pixels() == unscaled) << "a frame changed by a logical size of its own";
    click(kStandAt);
    ASSERT_TRUE(betting());

    scene.cleanup();
    screen.emplace(1280, 720, Screen::Fit::Scale);
    renderer = screen->renderer();
    scene.init(renderer);
    bet(25);
    deal("TH 9S 7C 5D 2C KC");
    // 960 x 720 of table between bars of 160.
    const auto onScreen = [](SDL_Point p) {
        return SDL_Point{160 + p.x * 960 / kWindowWidth, p.y * 720 / kWindowHeight};
    };
    click(screen->toTable(onScreen(kHitAt)));
    EXPECT_EQ(scene.engine->player.cards.size(), 3u) << "HIT took the click";
    click(screen->toTable({80, onScreen(kHitAt).y}));
    click(screen->toTable({1200, onScreen(kDealAt).y}));
    EXPECT_EQ(scene.engine->player.cards.size(), 3u) << "the bars took no click";
    EXPECT_TRUE(playing());
    click(screen->toTable(onScreen(kStandAt)));
    EXPECT_TRUE(betting()) << "STAND took the click";

    EXPECT_TRUE(filledWith({0, 0, 160, 720}, art::kBlack));
    EXPECT_TRUE(filledWith({1120, 0, 160, 720}, art::kBlack));
    EXPECT_EQ(at(onScreen({400, 300})), art::kTable);
    EXPECT_EQ(at(onScreen({1000, 760})), art::kPanel);
}

// The engine's drain leaves the main loop what it reads, in order: no press or key is lost to it.
TEST_F(GameSceneTest, EngineDrainLeavesMovesPressesKeysAndTheWindowClose) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    const Uint32 pushed[] = {SDL_MOUSEMOTION,    SDL_KEYDOWN, SDL_MOUSEBUTTONDOWN,
                             SDL_MOUSEBUTTONUP,  SDL_QUIT,    SDL_MOUSEWHEEL,
                             SDL_MOUSEBUTTONDOWN};
    for (Uint32 type : pushed) {
        SDL_Event event{};
        event.type = type;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    scene.handleInput(kAwayFromButtons.x, kAwayFromButtons.y, false);

    std::vector<Uint32> left;
    for (SDL_Event event{}; SDL_PollEvent(&event) != 0;) {
        left.push_back(event.type);
    }
    EXPECT_EQ(left, (std::vector<Uint32>{SDL_MOUSEMOTION, SDL_KEYDOWN, SDL_MOUSEBUTTONDOWN,
                                         SDL_QUIT, SDL_MOUSEBUTTONDOWN}));
}

TEST_F(GameSceneTest, MissingFontLeavesEveryLabelEmpty) {
    scene.cleanup();
    initialised = false;
    std::filesystem::remove("fonts/ds-digit.ttf");

    GameScene bare;
    testing::internal::CaptureStdout();
    bare.init(renderer);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to load font: ./fonts/ds-digit.ttf\n");
    EXPECT_EQ(bare.font, nullptr);
    bare.handleInput(addChipAt(0).x, addChipAt(0).y, true);
    bare.update();
    bare.render(renderer);
    bare.update();
    for (const TextureHandle* label : {&bare.walletLabel, &bare.betLabel, &bare.resultLabel,
                                       &bare.playerLabel, &bare.dealerLabel}) {
        EXPECT_EQ(*label, nullptr);
    }
    for (const TextureHandle& label : bare.chipCountLabels) {
        EXPECT_EQ(label, nullptr);
    }
    EXPECT_EQ(bare.pendingBet, 5) << "the game goes on";
    EXPECT_TRUE(filledWith({820, 0, 204, 100}, art::kPanel));
    bare.cleanup();
}

TEST_F(GameSceneTest, MissingImagesAreReportedAndLeaveHoles) {
    scene.cleanup();
    initialised = false;
    for (const char* name : {"TABLE", "CHIPS", "ARROWS", "CARDS"}) {
        std::filesystem::remove(std::string("images/") + name + ".png");
    }

    GameScene bare;
    testing::internal::CaptureStdout();
    bare.init(renderer);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to load texture: ./images/CARDS.png\n"
              "Failed to load texture: ./images/TABLE.png\n"
              "Failed to load texture: ./images/CHIPS.png\n"
              "Failed to load texture: ./images/ARROWS.png\n");
    bare.handleInput(addChipAt(1).x, addChipAt(1).y, true);
    bare.update();
    bare.render(renderer);
    EXPECT_EQ(bare.chipCounts[1], 1) << "an invisible arrow still works";
    EXPECT_TRUE(filledWith({0, 100, 820, 550}, art::kBackground));
    EXPECT_TRUE(filledWith(removeChipRect(0), art::kPanel));
    EXPECT_TRUE(drawnAt(kDealButtonRect, art::button(4)));
    bare.cleanup();
}

using GameSceneDeathTest = GameSceneTest;

TEST_F(GameSceneDeathTest, ExitEndsTheProcessInEveryState) {
    std::cout.flush();
    EXPECT_EXIT({ click(kExitAt); }, testing::ExitedWithCode(0), "") << "betting";

    bet(25);
    deal("TH 9S 7C 5D");
    ASSERT_TRUE(playing());
    EXPECT_EXIT({ click(kExitAt); }, testing::ExitedWithCode(0), "") << "playing";
}

}  // namespace

// ---- The coach ----

class CoachTableTest : public GameSceneTest {
protected:
    // C on the table, as the main loop hands it over, then a frame.
    void pressC() {
        scene.handleKey(SDLK_c, KMOD_NONE);
        frame(kAwayFromButtons, false);
    }
    // The coach's values worked out to the end (its thread waited for), and a frame that shows
    // them.
    void unhurried() {
        scene.coaching.coach()->finishWork();
        frame(kAwayFromButtons, false);
    }

    // The frame with the coach as it is, and the same table drawn without it: every pixel the
    // coach changed must have been bare felt or rail, never a card, a button or a text.
    ::testing::AssertionResult coachDrawsOnBareTableOnly() {
        scene.render(renderer);
        const std::vector<Rgb> with = wholeFrame();
        // The same table with a coach that is off and never was: turning this one off would
        // drop the round it follows.
        TableCoach off;
        std::swap(scene.coaching, off);
        scene.render(renderer);
        const std::vector<Rgb> without = wholeFrame();
        std::swap(scene.coaching, off);
        int changed = 0;
        for (std::size_t i = 0; i < with.size(); ++i) {
            if (with[i] == without[i]) {
                continue;
            }
            ++changed;
            if (without[i] != art::kTable && without[i] != art::kBackground) {
                const int x = static_cast<int>(i % screen->width());
                const int y = static_cast<int>(i / screen->width());
                return ::testing::AssertionFailure() << "the coach drew over (" << x << ", " << y
                                                     << "), which shows " << without[i];
            }
        }
        if (changed == 0) {
            return ::testing::AssertionFailure() << "the coach drew nothing";
        }
        return ::testing::AssertionSuccess();
    }
};

// Off, as it starts, or turned on and off again, the coach changes no pixel of any frame.
TEST_F(CoachTableTest, OffEveryFrameIsAsWithoutIt) {
    GameScene plain;
    plain.init(renderer);
    const auto play = [&](GameScene& table, bool toggle) {
        std::vector<std::vector<Rgb>> frames;
        const auto step = [&](SDL_Point at, bool clicked) {
            table.handleInput(at.x, at.y, clicked);
            table.update();
            table.render(renderer);
            frames.push_back(wholeFrame());
        };
        if (toggle) {
            table.handleKey(SDLK_c, KMOD_NONE);
            step(kAwayFromButtons, false);
            table.handleKey(SDLK_c, KMOD_NONE);
        }
        step(kAwayFromButtons, false);
        step(addChipAt(3), true);
        step(kAwayFromButtons, false);
        stackDeck(*table.engine->deck, "5S 6H 5C 9D 2C KS 3H");
        step(kDealAt, true);
        step(kAwayFromButtons, false);
        step(kHitAt, true);
        step(kAwayFromButtons, false);
        step(kStandAt, true);
        step(kAwayFromButtons, false);
        return frames;
    };
    const std::vector<std::vector<Rgb>> expected = play(plain, false);
    const std::vector<std::vector<Rgb>> got = play(scene, true);
    plain.cleanup();
    ASSERT_EQ(got.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(got[i + 1] == expected[i]) << "frame " << i << " differs";
    }
    EXPECT_EQ(scene.coaching.coach()->ledger.played(), 0)
        << "a round dealt with the coach off is not in it";
}

// On the player's turn each open play shows its value under its button, the best one in gold;
// the values are those of the coach, in dollars at the stake and in percent.
TEST_F(CoachTableTest, OnThePlayersTurnEachOpenPlayShowsItsValue) {
    bet(100);
    deal("5S 6H 5C 9D 2D KS");
    pressC();
    ASSERT_TRUE(playing());
    const Coach::Decision& decision = scene.coaching.coach()->decision;
    ASSERT_TRUE(decision.inPlay);
    EXPECT_EQ(decision.best, solver::Action::Double);
    const CoachView& view = scene.coaching.view();
    for (int play = 0; play < 4; ++play) {
        const double value = decision.values.of(static_cast<solver::Action>(play));
        const std::string best = play == view.bestPlay ? "BEST " : "";
        EXPECT_EQ(view.playLines[play], (std::vector<std::string>{best + coachDollars(100 * value),
                                                                  coachPercent(value, 1)}))
            << "play " << play;
    }
    // Gold under DOUBLE, white under the others, nothing under the buttons' own rectangles.
    const SDL_Rect underDouble{kDoubleButtonRect.x, 710, kDoubleButtonRect.w, 58};
    const SDL_Rect underHit{kHitButtonRect.x, 710, kHitButtonRect.w, 58};
    scene.render(renderer);
    EXPECT_GT(inkIn(underDouble, art::kBackground).w, 40);
    bool gold = false;
    bool white = false;
    for (int y = 710; y < 768; ++y) {
        for (int x = 0; x < 150; ++x) {
            gold = gold || at(kDoubleButtonRect.x + x, y) == Rgb{255, 208, 64};
            white = white || at(kHitButtonRect.x + x, y) == art::kWhite;
        }
    }
    EXPECT_TRUE(gold);
    EXPECT_TRUE(white);
    EXPECT_GT(inkIn(underHit, art::kBackground).w, 40);
    EXPECT_TRUE(coachDrawsOnBareTableOnly());

    // A hit leaves a stand-or-hit decision: DOUBLE and SPLIT are gone, and so are their values.
    click(kHitAt);
    EXPECT_FALSE(view.playLines[0].empty());
    EXPECT_FALSE(view.playLines[1].empty());
    EXPECT_TRUE(view.playLines[2].empty());
    EXPECT_TRUE(view.playLines[3].empty());
}

// After a split the values are those of the hand in play, and with two long hands the coach
// still draws only on bare felt and rail.
TEST_F(CoachTableTest, AfterASplitTheHandInPlayIsValuedAndNoCardIsCovered) {
    pressC();
    unhurried();
    bet(5);
    deal("2C KD 2S 7D AH 4C AD AC AS 2H 2D 3C 3D 3H 3S 4D 4H 4S 5H 5C");
    click(kSplitAt);
    EXPECT_EQ(scene.coaching.coach()->decision.stake, 5);
    for (int i = 0; i < 14; ++i) {
        click(kHitAt);
        if (scene.roundActive && i % 4 == 0) {
            EXPECT_TRUE(scene.coaching.coach()->decision.inPlay);
            EXPECT_TRUE(coachDrawsOnBareTableOnly()) << "hit " << i;
        }
    }
    ASSERT_FALSE(scene.roundActive);
    EXPECT_EQ(scene.engine->player.cards.size(), 11u);
    frame(kAwayFromButtons, false);
    EXPECT_TRUE(coachDrawsOnBareTableOnly()) << "after the round";
    EXPECT_EQ(scene.coaching.coach()->ledger.played(), 1);
    EXPECT_EQ(scene.coaching.coach()->ledger.net, -10);
}

// Between rounds: what the last round's plays cost, and the next round's value at the bet being
// built, "working it out" until it is known; off a fresh deck when the pack is to be gathered.
TEST_F(CoachTableTest, BetweenRoundsTheLastRoundsCostAndTheNextRoundsValue) {
    pressC();
    scene.coaching.setBudget(TableCoach::Budget(0));
    frame(kAwayFromButtons, false);
    const CoachView& view = scene.coaching.view();
    EXPECT_EQ(view.noteLines,
              std::vector<std::string>{"Next round, 52 cards left: working it out..."});
    unhurried();
    ASSERT_EQ(view.noteLines.size(), 1u);
    EXPECT_EQ(view.noteLines[0], "Next round, 52 cards left: -0.26% of the stake");

    // Standing on 5,5 against a 6, where a double is best, costs the difference.
    bet(100);
    unhurried();
    const Coach::NextRound& next = scene.coaching.coach()->next;
    ASSERT_TRUE(next.ready);
    EXPECT_EQ(view.noteLines[0],
              "Next round at $100, 52 cards left: " + coachDollars(100 * next.perStake) + " (" +
                  coachPercent(next.perStake, 2) + " of the stake)");
    deal("5S 6H 5C 9D KS");
    const solver::PlayValues values = scene.coaching.coach()->decision.values;
    click(kStandAt);
    ASSERT_TRUE(betting());
    const double cost = 100 * (values.doubled - values.stand);
    ASSERT_EQ(view.noteLines.size(), 2u);
    EXPECT_EQ(view.noteLines[0], "Your plays this round cost " + coachDollars(cost, false) + " (" +
                                     coachPercent(cost / 100, 1, false) +
                                     " of the stake) against the best");
    EXPECT_TRUE(coachDrawsOnBareTableOnly());
    const SessionLedger& ledger = scene.coaching.coach()->ledger;
    EXPECT_EQ(view.ledgerLines[0], "Session: +$100.00");
    EXPECT_EQ(ledger.decisionCents(), -std::llround(100 * cost));
    EXPECT_EQ(ledger.edgeCents() + ledger.decisionCents() + ledger.luckCents(), 10000);

    // Fourteen cards left: the next deal is off a fresh deck.
    stackDeck(*scene.engine->deck, "2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS AS 2H", false);
    bet(50);
    EXPECT_EQ(view.noteLines[1].rfind("Next round at $50, off a fresh deck: ", 0), 0u)
        << view.noteLines[1];
}

// A round dealt before its value at the deal is known and over at once (a natural): until the value
// comes, the ledger's edge and luck say that it is being worked out, as the rest of the coach
// does, on bare felt; then they show it.
TEST_F(CoachTableTest, TheLedgerWorksOutARoundDealtBeforeItsValueIsKnown) {
    pressC();
    // The page's coach, one slice a frame: the value is still a hundred slices off.
    scene.coaching.replaceCoach(std::make_unique<Coach>(false));
    scene.coaching.setBudget(TableCoach::Budget(0));
    bet(25);
    deal("AS 9C KH 7D");
    ASSERT_TRUE(betting());
    const CoachView& view = scene.coaching.view();
    ASSERT_EQ(view.ledgerLines.size(), 6u);
    EXPECT_EQ(view.ledgerLines[1], "Table's edge: working it out...");
    EXPECT_EQ(view.ledgerLines[3], "Luck: working it out...");
    EXPECT_TRUE(coachDrawsOnBareTableOnly());
    unhurried();
    const SessionLedger& ledger = scene.coaching.coach()->ledger;
    ASSERT_TRUE(ledger.valued());
    EXPECT_EQ(view.ledgerLines[1], "Table's edge: " + coachDollars(ledger.edgeCents() / 100.0));
    EXPECT_EQ(view.ledgerLines[3], "Luck: " + coachDollars(ledger.luckCents() / 100.0));
}

// A window of twice the table's size: the game's own pictures of ./images/2x/ and texts lettered at
// twice the point size, in the same places. Card corners and texts have the sharp edges that the
// table drawn at its own size and stretched lacks, halving the frame gives the table back closely,
// and a click at a point of the window lands where it does on the table.
TEST_F(GameSceneTest, TwiceTheTableIsDrawnSharpAndHalvesToTheTable) {
    scene.cleanup();
    installGameArt();
    const auto play = [this](int density) {
        scene.init(renderer);
        scene.setDensity(density);
        bet(25);
        stackDeck(*scene.engine->deck, "AS 9C KH 7D 2C");
        click(screen->toTable(SDL_Point{density * kDealAt.x, density * kDealAt.y}));
        frame(kAwayFromButtons, false);
    };
    play(1);
    const std::vector<Rgb> table = screen->pixels();
    scene.cleanup();

    useWindow(2 * kWindowWidth, 2 * kWindowHeight);
    play(2);
    ASSERT_EQ(scene.engine->player.cards.size(), 2u) << "DEAL took the click at twice its place";
    const std::vector<Rgb> sharp = screen->pixels();
    // Measured 0.75 of 255 per channel: the lettering at twice the size is hinted a little
    // differently.
    EXPECT_LT(meanDifference(halved(sharp, screen->width()), table), 1.5);

    scene.setDensity(1);
    frame(kAwayFromButtons, false);
    stretchedFrame(scene, renderer);
    const std::vector<Rgb> stretched = screen->pixels();

    const struct {
        const char* what;
        SDL_Rect area;  // in table pixels
    } regions[] = {
        {"the player's first card index", {kPlayerX + 2, kPlayerY + 2, 30, 56}},
        {"the dealer's first card index", {kDealerX + 2, kDealerY + 2, 30, 56}},
        {"the wallet", {kPanelCentreX - 70, kWalletTextY, 140, 26}},
        {"the result", {kResultTextAt.x, kResultTextAt.y, 300, 26}},
    };
    for (const auto& region : regions) {
        const SDL_Rect r{2 * region.area.x, 2 * region.area.y, 2 * region.area.w,
                         2 * region.area.h};
        // Measured 0.42 to 0.53 sharp, 0.01 to 0.08 stretched.
        EXPECT_GE(strongEdgeShare(sharp, screen->width(), r), 0.25) << region.what;
        EXPECT_LT(strongEdgeShare(stretched, screen->width(), r), 0.25) << region.what;
    }
}

// The 2x pictures are read only once the output calls for them, in that frame, and let go again
// once it has stayed at the table's own density for about two seconds of frames: a table on a 1x
// screen never holds them, and its frames are the same before and after.
TEST_F(GameSceneTest, TheSharpPicturesAreHeldOnlyWhileTheOutputCallsForThem) {
    scene.cleanup();
    writeSharpTableArt();
    scene.init(renderer);
    const auto holdsAny = [this] {
        bool any = scene.engine->cardTexture2x != nullptr;
        for (std::size_t i = 0; i < 6; ++i) {
            any = any || scene.sharp.get(i) != nullptr;
        }
        return any;
    };
    const auto frameAt = [this](int density) {
        scene.setDensity(density);
        frame(kAwayFromButtons, false);
    };
    bet(25);
    deal("TH 9S 7C 5D KC");
    frameAt(1);
    EXPECT_FALSE(holdsAny()) << "a table at 1x reads no 2x picture";
    const std::vector<Rgb> before = screen->pixels();

    frameAt(2);
    EXPECT_TRUE(scene.sharp.held());
    EXPECT_NE(scene.engine->cardTexture2x, nullptr);
    EXPECT_EQ(at(10, 760), art::sharp(art::kBackground)) << "drawn from the 2x pictures at once";
    EXPECT_EQ(at(kHitAt), art::sharp(art::button(kHitFrame)));

    for (int i = 1; i < SharpPictures::kLetGoAfterFrames; ++i) {
        frameAt(1);
    }
    EXPECT_TRUE(holdsAny()) << "kept while the window may go back";
    EXPECT_EQ(screen->pixels(), before) << "at 1x the table's own pictures serve meanwhile";
    frameAt(2);
    frameAt(1);
    EXPECT_TRUE(holdsAny()) << "a frame at 2x starts the count again";
    for (int i = 1; i < SharpPictures::kLetGoAfterFrames; ++i) {
        frameAt(1);
    }
    EXPECT_FALSE(holdsAny()) << "let go after two seconds at 1x";
    EXPECT_EQ(screen->pixels(), before);
    frameAt(2);
    EXPECT_EQ(at(kHitAt), art::sharp(art::button(kHitFrame))) << "read again when called for";
}

// On a window of twice the size every picture comes from ./images/2x/, each cell of a sheet into
// its own place; without those pictures the table's own serve, scaled, and nothing is printed.
// Pictures that arrive after the table was set up (the web page fetches them later) are taken
// when the table is told, in the middle of a round. The first pass lets the table go twice in a
// row, which must leave the font library open for everyone else.
TEST_F(GameSceneTest, TwiceTheTableDrawsItsPicturesAtTwiceTheSizeOrItsOwn) {
    scene.cleanup();
    useWindow(2 * kWindowWidth, 2 * kWindowHeight);
    const auto twice = [](SDL_Point p) { return SDL_Point{2 * p.x, 2 * p.y}; };
    enum class Arrival { Never, Later, AtStart };
    for (Arrival arrival : {Arrival::Never, Arrival::Later, Arrival::AtStart}) {
        scene.cleanup();
        if (arrival == Arrival::AtStart) {
            writeSharpTableArt();
        }
        testing::internal::CaptureStdout();
        scene.init(renderer);
        scene.setDensity(2);
        if (arrival == Arrival::Later) {
            bet(5);
            deal("2H 3S 4C 5D 6C");
            frame(kAwayFromButtons, false);
            writeSharpTableArt();
            scene.loadSharpPictures(renderer);
            click(kStandAt);
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        const bool sharp = arrival != Arrival::Never;
        bet(25);
        deal("TH 9S 7C 5D KC");
        frame(kAwayFromButtons, false);
        const auto shown = [sharp](Rgb c) { return sharp ? art::sharp(c) : c; };
        EXPECT_EQ(at(800, 600), shown(art::kTable));
        EXPECT_EQ(at(2 * 1000, 2 * 760), shown(art::kPanel));
        EXPECT_EQ(at(2 * 10, 2 * 760), shown(art::kBackground));
        EXPECT_EQ(at(2 * kPlayerX + 1, 2 * kPlayerY + 1), shown(art::card(kHeartsCell + 8)));
        EXPECT_EQ(at(twice(kHitAt)), shown(art::button(kHitFrame)));
        EXPECT_EQ(at(twice(centreOf(chipRect(3)))),
                  shown(art::chip(kChipCellColumns[3], kChipCellRows[3])));
        EXPECT_EQ(at(twice(addChipAt(1))), shown(art::arrow(kAddFrame)));
        // A table set up again keeps a round in play: this one ends first.
        click(kStandAt);
    }
    EXPECT_FALSE(
        filledWith({2 * (kPanelCentreX - 50), 2 * kWalletTextY, 2 * 100, 2 * 20}, art::kPanel))
        << "the wallet is lettered";
}

// ---- Motion ----

class MotionTableTest : public GameSceneTest {
protected:
    void SetUp() override {
        GameSceneTest::SetUp();
        scene.motion.setClock([this] { return now; });
    }
    // Time goes by, then a frame with the pointer away from the buttons.
    void after(double seconds) {
        now += seconds;
        frame(kAwayFromButtons, false);
    }
    // Card `index` of `hand` lies at its place, as `card` (null: its back).
    bool cardAtPlace(Game::HandOnTable hand, int index, const Card* card) const {
        const SDL_Point p = scene.engine->cardPlace(hand, index);
        const int cell = card != nullptr ? cardCell(card->suit, card->rank) : kBackCell;
        // The next card of the fan covers the card's right part: its left strip is enough.
        return filledWith(SDL_Rect{p.x + 2, p.y + 12, kFanStepX - 4, kCardHeight - 24},
                          art::card(cell));
    }
    // The same table drawn with motion off (and never on): what the motion must settle into.
    std::vector<Rgb> stillFrame() {
        TableMotion still;
        std::swap(scene.motion, still);
        scene.render(renderer);
        const std::vector<Rgb> pixels = wholeFrame();
        std::swap(scene.motion, still);
        scene.render(renderer);
        return pixels;
    }
    double now = 100;
};

TEST_F(MotionTableTest, TheSpeedKeysStepThroughSlowNormalFastAndInstant) {
    using Speed = TableMotion::Speed;
    EXPECT_FALSE(scene.motion.isOn()) << "motion is off until the player turns it on";
    struct Step {
        SDL_Keycode key;
        Speed speed;
    };
    const Step steps[] = {{SDLK_a, Speed::Normal},
                          {SDLK_RIGHTBRACKET, Speed::Fast},
                          {SDLK_RIGHTBRACKET, Speed::Instant},
                          {SDLK_LEFTBRACKET, Speed::Fast},
                          {SDLK_LEFTBRACKET, Speed::Normal},
                          {SDLK_LEFTBRACKET, Speed::Slow},
                          {SDLK_LEFTBRACKET, Speed::Slow},
                          {SDLK_a, Speed::Instant},
                          {SDLK_a, Speed::Slow}};
    for (const Step& step : steps) {
        key(step.key);
        EXPECT_EQ(scene.motion.speed(), step.speed) << TableMotion::speedName(step.speed);
        EXPECT_EQ(scene.motion.isOn(), step.speed != Speed::Instant);
    }
    // The speed's name shows for a second, then goes, and the table is as before.
    EXPECT_TRUE(scene.hasWork());
    after(0.5);
    EXPECT_NE(wholeFrame(), stillFrame()) << "the name shows for a second";
    after(0.6);
    EXPECT_FALSE(scene.hasWork());
    EXPECT_EQ(wholeFrame(), stillFrame());
}

TEST_F(MotionTableTest, CardsArriveFromTheShoeInTheOrderTheyWereDealtAndSettleAsWithoutMotion) {
    key(SDLK_a);
    bet(25);
    deal("TH 9S 7C 5D");
    ASSERT_TRUE(playing()) << "the engine dealt at once; the motion only shows it";
    const Game& game = *scene.engine;
    using Hand = Game::HandOnTable;
    // A tenth of a second in, the first card is on its way and no card is at its place yet.
    after(0.1);
    EXPECT_NE(wholeFrame(), stillFrame());
    EXPECT_FALSE(cardAtPlace(Hand::Player, 0, game.player.cards[0]));
    EXPECT_FALSE(cardAtPlace(Hand::Dealer, 0, game.dealer.cards[0]));
    // Each lands in turn: the player's, the dealer's, the player's, the hole card face down.
    after(0.16);
    EXPECT_TRUE(cardAtPlace(Hand::Player, 0, game.player.cards[0]));
    EXPECT_FALSE(cardAtPlace(Hand::Dealer, 0, game.dealer.cards[0]));
    after(0.15);
    EXPECT_TRUE(cardAtPlace(Hand::Dealer, 0, game.dealer.cards[0]));
    EXPECT_FALSE(cardAtPlace(Hand::Player, 1, game.player.cards[1]));
    after(2);
    EXPECT_TRUE(cardAtPlace(Hand::Dealer, 1, nullptr));
    EXPECT_FALSE(scene.hasWork());
    EXPECT_EQ(wholeFrame(), stillFrame()) << "the settled table is the one drawn without motion";
}

TEST_F(MotionTableTest, TheHoleCardTurnsOverAndTheResultFadesInAfterTheCards) {
    key(SDLK_a);
    bet(25);
    deal("TH 9S 7C 5D 8H");
    after(2);
    click(kStandAt);
    ASSERT_TRUE(scene.engine->isRoundOver());
    ASSERT_TRUE(betting());
    const Card* hole = scene.engine->dealer.cards[1];
    // Half way through its turn the hole card is seen edge on: neither its back nor its face.
    after(0.125);
    EXPECT_FALSE(cardAtPlace(Game::HandOnTable::Dealer, 1, nullptr));
    EXPECT_FALSE(cardAtPlace(Game::HandOnTable::Dealer, 1, hole));
    EXPECT_LT(scene.motion.resultAlpha(), 255) << "the result waits for the cards";
    after(3);
    EXPECT_TRUE(cardAtPlace(Game::HandOnTable::Dealer, 1, hole));
    EXPECT_EQ(scene.motion.resultAlpha(), 255);
    EXPECT_EQ(wholeFrame(), stillFrame());
}

// Nothing the player does waits behind a motion or is lost in it: a click or a key finishes the
// motion at once and then acts.
TEST_F(MotionTableTest, AClickOrAKeyDuringAMotionFinishesItAndActs) {
    key(SDLK_a);
    bet(25);
    deal("TH 9S 7C 5D 8H");
    after(0.05);
    ASSERT_TRUE(scene.motion.busy());
    click(kStandAt);
    EXPECT_TRUE(betting()) << "STAND during the deal's motion was taken";
    EXPECT_TRUE(scene.engine->isRoundOver());

    addChip(0);
    after(0.05);
    ASSERT_TRUE(scene.motion.busy());
    key(SDLK_RETURN);
    EXPECT_TRUE(playing()) << "Enter during a chip's motion dealt";
    EXPECT_TRUE(scene.motion.busy()) << "and the deal is shown in motion";
}

TEST_F(MotionTableTest, ASplitAndTheDealersDrawsArriveInMotionToo) {
    key(SDLK_a);
    bet(25);
    deal("8H 9S 8C 6D 3H 2S TC 4D TH");
    after(2);
    click(kSplitAt);
    ASSERT_TRUE(scene.engine->isSplit());
    after(0.05);
    EXPECT_TRUE(scene.motion.busy());
    after(2);
    EXPECT_EQ(wholeFrame(), stillFrame());
    click(kStandAt);
    click(kStandAt);
    ASSERT_TRUE(scene.engine->isRoundOver());
    ASSERT_GT(scene.engine->dealer.cards.size(), 2u) << "the dealer drew";
    after(0.05);
    EXPECT_TRUE(scene.motion.busy());
    after(5);
    EXPECT_FALSE(scene.motion.busy());
    EXPECT_EQ(wholeFrame(), stillFrame());
}

// ---- The list of keys ----

TEST_F(GameSceneTest, F1ListsTheKeysAndChoicesAndAnyKeyOrClickOnlyClosesIt) {
    bet(25);
    frame(kAwayFromButtons, false);
    const std::vector<Rgb> before = wholeFrame();
    struct Opener {
        SDL_Keycode key;
        Uint16 modifiers;
    };
    for (const Opener opener : {Opener{SDLK_F1, KMOD_NONE}, Opener{SDLK_SLASH, KMOD_LSHIFT},
                                Opener{SDLK_QUESTION, KMOD_NONE}}) {
        key(opener.key, opener.modifiers);
        ASSERT_TRUE(scene.help.isOpen()) << opener.key;
        EXPECT_NE(wholeFrame(), before) << "drawn over the table";
        // Enter would deal; here it only closes the list.
        key(SDLK_RETURN);
        EXPECT_FALSE(scene.help.isOpen());
        EXPECT_TRUE(betting()) << "the key that closed the list did nothing else";
        EXPECT_EQ(wholeFrame(), before);
    }
    key(SDLK_F1);
    click(kDealAt);
    EXPECT_FALSE(scene.help.isOpen());
    EXPECT_TRUE(betting()) << "the click that closed the list did not deal";
    EXPECT_EQ(wholeFrame(), before);

    // The choices as they stand.
    const auto shows = [this](const std::string& line) {
        const std::vector<std::string>& lines = scene.help.lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    key(SDLK_F1);
    EXPECT_TRUE(shows("C: the coach, now OFF"));
    EXPECT_TRUE(shows("A: motion, now OFF"));
    EXPECT_TRUE(shows("M: sound, now OFF, volume 80%"));
    key(SDLK_ESCAPE);
    key(SDLK_c);
    key(SDLK_a);
    key(SDLK_RIGHTBRACKET);
    key(SDLK_F1);
    EXPECT_TRUE(shows("C: the coach, now ON"));
    EXPECT_TRUE(shows("A: motion, now FAST"));
    key(SDLK_ESCAPE);
    key(SDLK_MINUS);
    key(SDLK_F1);
    EXPECT_TRUE(shows("M: sound, now OFF, volume 70%"));
}

// ---- The sound ----

class SoundTableTest : public GameSceneTest {
protected:
    void SetUp() override {
        // SDL's silent driver, unless a test asks for another before turning the sound on.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        GameSceneTest::SetUp();
    }

    // The cues since the first `from`, a letter each: c a card, f the hole card, k a chip, and
    // W, B, L, P a win, a blackjack, a loss and a push.
    std::string cuesFrom(std::size_t from) const {
        std::string letters;
        const auto& cued = scene.sounds.cued();
        for (std::size_t i = from; i < cued.size(); ++i) {
            letters += "cfkWBLP"[indexOf(cued[i].cue)];
        }
        return letters;
    }

    // The raw samples the disk driver wrote to `path`.
    static std::vector<float> diskSamples(const std::string& path) {
        std::vector<float> samples;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            float s = 0.0F;
            while (std::fread(&s, sizeof s, 1, file) == 1) {
                samples.push_back(s);
            }
            std::fclose(file);
        }
        return samples;
    }
    static std::uintmax_t diskBytes(const std::string& path) {
        std::error_code error;
        const std::uintmax_t bytes = std::filesystem::file_size(path, error);
        return error ? 0 : bytes;
    }
    // Until the disk driver has written `seconds` more than `bytes`, or two seconds have gone
    // by.
    static void waitForDisk(const std::string& path, std::uintmax_t bytes, double seconds) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        const auto wanted = bytes + static_cast<std::uintmax_t>(seconds * 48000 * sizeof(float));
        while (std::chrono::steady_clock::now() < until && diskBytes(path) < wanted) {
            SDL_Delay(5);
        }
    }
    static void useDisk(const char* path) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path, 1);
        setenv("SDL_DISKAUDIODELAY", "1", 1);
    }
};

// Each play is heard card by card in the order the engine dealt them, the hole card when it
// turns over, the dealer's draws after it and then the result; a split round sounds its better
// hand.
TEST_F(SoundTableTest, EachPlayCuesItsCardsTheHoleCardAndTheResult) {
    key(SDLK_m);
    ASSERT_TRUE(scene.sounds.isOn());
    const struct {
        SDL_Keycode key;
        const char* deck;  // stacked before the key, when not null
        const char* cues;
        const char* why;
    } steps[] = {
        {SDLK_2, nullptr, "k", "a chip on the bet"},
        {SDLK_SPACE, "TH 9S 7C 5D KC", "cccc", "the deal's four cards"},
        {SDLK_s, nullptr, "fcW", "the hole card, the dealer's king, a bust dealer"},
        {SDLK_r, nullptr, "k", "the same chip again"},
        {SDLK_r, nullptr, "", "R with that chip already on"},
        {SDLK_RETURN, "AS 9C KH 7D 2C", "ccccfcB", "a natural is settled in the deal"},
        {SDLK_r, nullptr, "k", ""},
        {SDLK_RETURN, "TH 9S 7C 5D 8C", "cccc", "17 against 9"},
        {SDLK_h, nullptr, "cfL", "a bust: the hole card turns, the dealer draws nothing"},
        {SDLK_r, nullptr, "k", ""},
        {SDLK_RETURN, "TH 9S 7C 8D", "cccc", "17 against 17"},
        {SDLK_s, nullptr, "fP", "a push"},
        {SDLK_r, nullptr, "k", ""},
        {SDLK_RETURN, "8H TD 8C 7S 3C 9D 2D", "cccc", "eights against 10 and 7"},
        {SDLK_p, nullptr, "cc", "each eight gets a card"},
        {SDLK_h, nullptr, "c", "the first hand hits"},
        {SDLK_s, nullptr, "", "on to the second hand"},
        {SDLK_s, nullptr, "fP", "13 loses and 17 pushes: the push is heard"},
        {SDLK_r, nullptr, "k", ""},
        {SDLK_RETURN, "6H 9C 4C 8D TS", "cccc", "ten against 9"},
        {SDLK_d, nullptr, "cfW", "a double's one card, then the dealer's 17"},
    };
    for (const auto& step : steps) {
        if (step.deck != nullptr) {
            stackDeck(*scene.engine->deck, step.deck);
        }
        const std::size_t before = scene.sounds.cued().size();
        key(step.key);
        EXPECT_EQ(cuesFrom(before), step.cues) << step.why;
    }
    EXPECT_EQ(scene.engine->getWallet(), 1000 + 25 + 37 - 25 + 0 - 25 + 50) << "every round played";
}

// The cards of one play come one after another, the result after the last of them.
TEST_F(SoundTableTest, TheCardsOfAPlayAreSpacedAndTheResultComesLast) {
    key(SDLK_m);
    bet(25);
    stackDeck(*scene.engine->deck, "AS 9C KH 7D 2C");
    const std::size_t before = scene.sounds.cued().size();
    key(SDLK_RETURN);
    const auto& cued = scene.sounds.cued();
    ASSERT_EQ(cued.size() - before, 7U);
    for (std::size_t i = before; i + 1 < cued.size() - 1; ++i) {
        EXPECT_NEAR(cued[i + 1].delay - cued[i].delay, TableSound::kCardGap, 1e-9) << i;
    }
    EXPECT_NEAR(cued.back().delay - cued[cued.size() - 2].delay, TableSound::kResultGap, 1e-9);
    EXPECT_EQ(cued[before].delay, 0.0);
}

// With motion on, each card is heard as it leaves the shoe, the hole card as it turns, the next
// card after the turn, a chip as it lands and the result as it shows, at every speed.
TEST_F(SoundTableTest, TheSoundsKeepTimeWithTheMotion) {
    key(SDLK_m);
    key(SDLK_a);
    for (const SDL_Keycode speed : {SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET, SDLK_RIGHTBRACKET}) {
        key(speed);  // slow, normal, fast
        const TableMotion::Beat beat = scene.motion.beat();
        std::size_t before = scene.sounds.cued().size();
        key(SDLK_2);
        const auto& cued = scene.sounds.cued();
        ASSERT_EQ(cued.size(), before + 1);
        EXPECT_NEAR(cued.back().delay, beat.chipSeconds, 1e-9) << "the chip lands";
        stackDeck(*scene.engine->deck, "TH 9S 7C 5D KC");
        before = cued.size();
        key(SDLK_SPACE);
        ASSERT_EQ(cued.size(), before + 4);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(cued[before + i].delay, static_cast<double>(i) * beat.cardGap, 1e-9);
        }
        before = cued.size();
        key(SDLK_s);
        ASSERT_EQ(cuesFrom(before), "fcW");
        EXPECT_EQ(cued[before].delay, 0.0);
        EXPECT_NEAR(cued[before + 1].delay, beat.turnSeconds, 1e-9) << "after the turn";
        EXPECT_NEAR(cued[before + 2].delay, beat.turnSeconds + beat.resultGap, 1e-9);
        scene.motion.finish();
    }
}

// The volume goes in tens from 0 to 100, by - and = (and the keypad's), starting at 80; M turns
// the sound off and on without losing it, and only a chip that moved is heard.
TEST_F(SoundTableTest, VolumeStepsWithinBoundsAndOutlivesM) {
    EXPECT_FALSE(scene.sounds.isOn());
    EXPECT_EQ(scene.sounds.volume(), 80);
    const struct {
        SDL_Keycode key;
        int volume;
    } steps[] = {{SDLK_EQUALS, 90},   {SDLK_KP_PLUS, 100}, {SDLK_EQUALS, 100}, {SDLK_MINUS, 90},
                 {SDLK_KP_MINUS, 80}, {SDLK_m, 80},        {SDLK_MINUS, 70},   {SDLK_m, 70}};
    for (const auto& step : steps) {
        key(step.key);
        EXPECT_EQ(scene.sounds.volume(), step.volume) << SDL_GetKeyName(step.key);
    }
    EXPECT_FALSE(scene.sounds.isOn()) << "M twice";
    for (int i = 0; i < 9; ++i) {
        key(SDLK_MINUS);
    }
    EXPECT_EQ(scene.sounds.volume(), 0);
    for (const auto& [asked, kept] : {std::pair{47, 50}, {44, 40}, {-5, 0}, {150, 100}}) {
        scene.sounds.setVolume(asked);
        EXPECT_EQ(scene.sounds.volume(), kept) << asked;
    }

    scene.sounds.turn(true);
    key(SDLK_1, KMOD_LSHIFT);
    EXPECT_EQ(cuesFrom(0), "") << "no chip to take back";
    bet(1000);
    key(SDLK_1);
    EXPECT_EQ(cuesFrom(0), "kk") << "two 500s, and no 5 past the wallet";
}

// Off, a whole round never starts SDL's audio nor writes a sample; turned on and off again, the
// audio is shut down with the device.
TEST_F(SoundTableTest, OffARoundNeverTouchesAudio) {
    useDisk("off.raw");
    bet(25);
    deal("TH 9S 7C 5D KC");
    click(kHitAt);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
    EXPECT_TRUE(scene.sounds.cued().empty());
    EXPECT_FALSE(std::filesystem::exists("off.raw"));

    key(SDLK_m);
    EXPECT_TRUE(scene.sounds.hasDevice());
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0U);
    key(SDLK_m);
    EXPECT_FALSE(scene.sounds.hasDevice());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
}

// On SDL's disk driver a deal is written out: four card sounds, a card gap apart, with silence
// between them, loud enough to hear and within full scale.
TEST_F(SoundTableTest, ADealIsHeardOnTheDevice) {
    useDisk("deal.raw");
    bet(25);
    key(SDLK_m);
    ASSERT_TRUE(scene.sounds.hasDevice());
    const std::uintmax_t before = diskBytes("deal.raw");
    deal("TH 9S 7C 5D");
    waitForDisk("deal.raw", before, 1.0);
    key(SDLK_m);
    const std::vector<float> samples = diskSamples("deal.raw");
    ASSERT_GT(samples.size(), 48000U);

    // A sound starts where a sample is heard after at least 20 ms of silence.
    std::vector<std::size_t> onsets;
    float peak = 0.0F;
    std::size_t quiet = 960;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float level = std::fabs(samples[i]);
        peak = std::max(peak, level);
        if (level < 1e-4F) {
            ++quiet;
            continue;
        }
        if (quiet >= 960) {
            onsets.push_back(i);
        }
        quiet = 0;
    }
    EXPECT_GT(peak, 0.1F);
    EXPECT_LE(peak, SoundBank::kPeak * 0.8F + 1e-6F) << "at the volume of 80";
    ASSERT_EQ(onsets.size(), 4U);
    for (std::size_t i = 1; i < onsets.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(onsets[i] - onsets[i - 1]) / 48000, TableSound::kCardGap,
                    0.003);
    }
}

// Without a device the game plays on silent, and says so once however often M is pressed.
TEST_F(SoundTableTest, NoDeviceIsSaidOnceAndTheGamePlaysOn) {
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i) {
        key(SDLK_m);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("blackjack: no sound"), std::string::npos) << said;
    EXPECT_TRUE(scene.sounds.isOn());
    EXPECT_FALSE(scene.sounds.hasDevice());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);

    bet(25);
    deal("TH 9S 7C 5D KC");
    click(kStandAt);
    EXPECT_TRUE(shows(scene.resultLabel, "PLAYER WINS | 25$ Won | Dealer Busted"));
    EXPECT_EQ(cuesFrom(0), "kccccfcW");
}

// ---- The rounds kept and the review ----

class KeptTableTest : public GameSceneTest {
protected:
    // $25 on 16 against a 9: HIT draws a 2, STAND, and the dealer's 14 busts on a king.
    void playARound() {
        key(SDLK_2);
        stackDeck(*scene.engine->deck, "TH 9S 6C 5D 2H KC");
        key(SDLK_SPACE);
        key(SDLK_h);
        key(SDLK_s);
        // The round's value at the deal, which the frames would bring in a moment, at once.
        scene.coaching.coach()->finishWork();
        scene.update();
        scene.render(renderer);
    }
    std::vector<RoundRecord> historyFile() const {
        std::vector<RoundRecord> rounds;
        std::string notice;
        EXPECT_TRUE(HistoryFile((folder() / "history.jsonl").u8string()).load(rounds, notice))
            << notice;
        return rounds;
    }
    std::filesystem::path folder() const { return dir->path() / "prefs"; }
};

// K keeps every round with the coach hidden: nothing on the table changes, and the round is a
// line of history.jsonl once its values are all known, with the decisions as they were made.
TEST_F(KeptTableTest, KeepingWritesEachRoundWithTheCoachHidden) {
    scene.kept.setFolder(folder());
    key(SDLK_2);
    const std::vector<Rgb> unkept = wholeFrame();
    key(SDLK_k);
    EXPECT_TRUE(scene.keeping());
    EXPECT_FALSE(scene.coaching.isOn());
    EXPECT_EQ(wholeFrame(), unkept) << "keeping draws nothing";
    key(SDLK_2, KMOD_LSHIFT);
    EXPECT_FALSE(std::filesystem::exists(folder())) << "nothing written before a round ends";

    playARound();
    const std::vector<RoundRecord> rounds = historyFile();
    ASSERT_EQ(rounds.size(), 1U);
    const RoundRecord& round = rounds[0];
    EXPECT_EQ(round.bet, 25);
    EXPECT_EQ(round.net, 25);
    EXPECT_EQ(round.wallet, kStartingWallet + 25);
    EXPECT_EQ(round.session, 1);
    EXPECT_EQ(round.text, scene.engine->getResultText());
    EXPECT_EQ(round.dealer, (std::vector<int>{9, 5, 13}));
    ASSERT_EQ(round.decisions.size(), 2U);
    EXPECT_EQ(round.decisions[0].cards, (std::vector<int>{10, 6}));
    EXPECT_EQ(round.decisions[0].up, 9);
    EXPECT_EQ(round.decisions[0].chosen, solver::Action::Hit);
    EXPECT_TRUE(std::isnan(round.decisions[0].values.doubled)) << "DOUBLE is not live on 16";
    EXPECT_FALSE(std::isnan(round.decisions[0].values.stand));
    EXPECT_EQ(round.decisions[1].cards, (std::vector<int>{10, 6, 2}));
    EXPECT_EQ(round.decisions[1].chosen, solver::Action::Stand);
    EXPECT_EQ(scene.kept.rounds().size(), 1U);

    // Off, the next round is written nowhere.
    key(SDLK_k);
    playARound();
    EXPECT_EQ(historyFile().size(), 1U);
}

// V between rounds opens the review of the rounds written down (the coach's, without keeping);
// while it is open every key and click is its own, and closed the table is as it was.
TEST_F(KeptTableTest, VReviewsTheRoundsBetweenRoundsAndTakesEveryKeyWhileOpen) {
    key(SDLK_c);
    playARound();
    EXPECT_FALSE(std::filesystem::exists(folder())) << "without keeping, nothing on disk";
    key(SDLK_2);
    stackDeck(*scene.engine->deck, "TH 9S 6C 5D 2H KC");
    key(SDLK_SPACE);
    key(SDLK_v);
    EXPECT_FALSE(scene.review.isOpen()) << "V during a round";
    key(SDLK_s);
    scene.coaching.coach()->finishWork();
    scene.update();
    scene.render(renderer);
    const std::vector<Rgb> table = wholeFrame();
    const int wallet = scene.engine->getWallet();

    key(SDLK_v);
    ASSERT_TRUE(scene.review.isOpen());
    EXPECT_EQ(scene.review.rounds().size(), 2U);
    EXPECT_NE(wholeFrame(), table);
    for (const SDL_Keycode ignored : {SDLK_2, SDLK_SPACE, SDLK_c, SDLK_k, SDLK_F1}) {
        key(ignored);
    }
    click(addChipAt(1));
    click(kDealAt);
    EXPECT_TRUE(scene.review.isOpen());
    EXPECT_EQ(counts(), (std::array<int, 5>{})) << "no chip reached the table";
    EXPECT_TRUE(betting());
    EXPECT_EQ(scene.engine->getWallet(), wallet);
    EXPECT_TRUE(scene.coaching.isOn());
    EXPECT_FALSE(scene.help.isOpen());

    key(SDLK_ESCAPE);
    EXPECT_FALSE(scene.review.isOpen());
    EXPECT_EQ(wholeFrame(), table);
    key(SDLK_v);
    key(SDLK_v);
    EXPECT_FALSE(scene.review.isOpen()) << "V closes it too";
}

// With keeping on, the coach's ledger shows the career beneath the session: the file's rounds
// and this run's.
TEST_F(KeptTableTest, TheLedgerShowsTheCareerWhileKeeping) {
    std::filesystem::create_directories(folder());
    RoundRecord earlier;
    earlier.session = 4;
    earlier.bet = 100;
    earlier.net = -100;
    earlier.wallet = 900;
    earlier.dealer = {10, 9};
    earlier.dealerSuits = "SH";
    earlier.hands.push_back(RoundRecord::HandRecord{{10, 8}, "DC", 100, -100});
    std::string why;
    ASSERT_TRUE(HistoryFile((folder() / "history.jsonl").u8string()).append(earlier, why)) << why;

    scene.kept.setFolder(folder());
    key(SDLK_c);
    key(SDLK_k);
    playARound();
    const std::vector<std::string>& lines = scene.coaching.view().ledgerLines;
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[0], "Session: +$25.00");
    EXPECT_EQ(lines[1], "Career: -$75.00 in 2 rounds");
    EXPECT_EQ(historyFile().back().session, 5) << "one past the highest session kept";
    key(SDLK_k);
    EXPECT_NE(scene.coaching.view().ledgerLines[1].rfind("Career", 0), 0U) << "gone with keeping";
}

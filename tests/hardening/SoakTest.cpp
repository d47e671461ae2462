// Random play: the real game screen driven by a seeded stream of pointer moves and clicks for a
// long run of frames, through many rounds and deck refills, with the table's invariants checked
// after every frame. Money is checked against the cards on the table by the tests' own account of
// the rules (support/RulesChecker.h).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "support/HeadlessTable.h"
#include "support/RulesChecker.h"
#include "support/ScratchDir.h"
#include "support/Screen.h"
#include "ui/GameScene.h"

namespace {

long envNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

// ---- The controls as a player sees them ----

bool inside(const SDL_Rect& r, int x, int y) {
    return x >= r.x && x <= r.x + r.w && y >= r.y && y <= r.y + r.h;
}

const SDL_Rect kExitHotArea = kExitButtonRect;

enum class Action { None, Remove, Add, Deal, Hit, Stand, Double, Split };

struct Press {
    Action action = Action::None;
    int chip = -1;
};

// Which button a frame's input fires, from the screen's state before the frame: the live buttons
// for that state, each firing only when its latch is open.
Press predictPress(const GameScene& s, int x, int y, bool clicked) {
    if (!clicked) {
        return {};
    }
    auto fires = [&](const Button& b) { return inside(b.destRect, x, y) && !b.pressed; };
    if (!s.roundActive) {
        for (int i = 0; i < GameScene::kChipKinds; ++i) {
            if (fires(s.chipMinusButtons[i])) {
                return {Action::Remove, i};
            }
            if (fires(s.chipPlusButtons[i])) {
                return {Action::Add, i};
            }
        }
        if (s.dealEnabled && fires(s.dealButton)) {
            return {Action::Deal};
        }
        return {};
    }
    if (!s.playEnabled) {
        return {};
    }
    if (fires(s.hitButton)) {
        return {Action::Hit};
    }
    if (fires(s.standButton)) {
        return {Action::Stand};
    }
    if (s.doubleEnabled && fires(s.doubleButton)) {
        return {Action::Double};
    }
    if (s.splitEnabled && fires(s.splitButton)) {
        return {Action::Split};
    }
    return {};
}

// A seeded player: mostly aims at the buttons that matter in the current state, sometimes at
// dead ones or anywhere at all, and never at the exit button.
class Player {
public:
    explicit Player(std::uint32_t seed) : rng_(seed) {}

    void next(const GameScene& s) {
        const int roll = pick(0, 99);
        if (roll < 35) {
            aimAt(chooseTarget(s));
        } else if (roll < 45) {
            place(pick(0, kScreenWidth - 1), pick(0, kScreenHeight - 1));
        } else if (roll < 60) {
            place(x_ + pick(-3, 3), y_ + pick(-3, 3));
        }
        clicked_ = pick(0, 99) < 40;
    }

    int x() const { return x_; }
    int y() const { return y_; }
    bool clicked() const { return clicked_; }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void place(int x, int y) {
        x = std::clamp(x, 0, kScreenWidth - 1);
        y = std::clamp(y, 0, kScreenHeight - 1);
        if (!inside(kExitHotArea, x, y)) {
            x_ = x;
            y_ = y;
        }
    }

    void aimAt(const Button& b) {
        const SDL_Rect& r = b.destRect;
        place(r.x + pick(0, r.w), r.y + pick(0, r.h));
    }

    const Button& chooseTarget(const GameScene& s) {
        const int roll = pick(0, 99);
        if (!s.roundActive) {
            // Small stakes keep a wallet alive for many rounds.
            if (roll < 30) {
                return s.chipPlusButtons[0];
            }
            if (roll < 38) {
                return s.chipPlusButtons[1];
            }
            if (roll < 40) {
                return s.chipPlusButtons[pick(2, 4)];
            }
            if (roll < 52) {
                return s.chipMinusButtons[pick(0, 4)];
            }
            if (roll < 92) {
                return s.dealButton;
            }
            return roll < 96 ? s.hitButton : s.splitButton;
        }
        if (roll < 35) {
            return s.hitButton;
        }
        if (roll < 60) {
            return s.standButton;
        }
        if (roll < 75) {
            return s.doubleButton;
        }
        if (roll < 92) {
            return s.splitButton;
        }
        return roll < 96 ? s.dealButton : s.chipPlusButtons[pick(0, 4)];
    }

    std::mt19937 rng_;
    int x_ = 500;
    int y_ = 500;
    bool clicked_ = false;
};

// What the test needs to remember of the table from before a frame.
struct Snapshot {
    int wallet;
    int bet;
    bool roundOver;
    bool playingSplit;
    int pendingBet;
    std::array<int, GameScene::kChipKinds> chips;
    std::size_t playerCards;
    std::size_t splitCards;
    int deckSize;

    explicit Snapshot(const GameScene& s)
        : wallet(s.engine->getWallet()),
          bet(s.engine->getBet()),
          roundOver(s.engine->isRoundOver()),
          playingSplit(s.engine->playingSplit),
          pendingBet(s.pendingBet),
          chips(s.chipCounts),
          playerCards(s.engine->player.cards.size()),
          splitCards(s.engine->splitHand.cards.size()),
          deckSize(s.engine->deck->size()) {}
};

struct Tally {
    long rounds = 0;
    long naturals = 0;
    long splits = 0;
    long doubles = 0;
    long refills = 0;
    long newTables = 0;
};

// Checks that hold after every frame; returns a description of the first one broken.
std::string tableFault(const GameScene& s) {
    const Game& g = *s.engine;
    // Each card of the pack may be in one place at most.
    std::array<bool, Deck::kSize> seen{};
    const Card* pack = g.deck->pack.data();
    auto firstSighting = [&](const Card* c) {
        const std::less<const Card*> before;
        if (before(c, pack) || !before(c, pack + Deck::kSize)) {
            return false;
        }
        const std::ptrdiff_t i = c - pack;
        if (seen[i]) {
            return false;
        }
        seen[i] = true;
        return true;
    };
    for (const Hand* h : {&g.player, &g.dealer, &g.splitHand}) {
        for (const Card* c : h->cards) {
            if (c == nullptr) {
                return h->name + " hand holds a null card";
            }
            if (!firstSighting(c)) {
                return "a card is twice on the table or not of the pack";
            }
        }
        if (h->value != handValue(h->cards)) {
            return "a hand's value does not match its cards";
        }
    }
    for (const Card* c : g.deck->cards) {
        if (c == nullptr || !firstSighting(c)) {
            return "the deck holds a card that is on the table or twice";
        }
    }
    if (s.dealEnabled == s.roundActive || s.playEnabled != s.roundActive) {
        return "control flags disagree";
    }
    if (s.roundActive && g.isRoundOver()) {
        return "a round is in play on the screen but settled in the engine";
    }
    if (g.getWallet() < 0 || g.getBet() < 0) {
        return "money below zero";
    }
    if (s.pendingBet > g.getWallet() && !s.roundActive) {
        return "the pending bet passes the wallet";
    }
    for (const TextureHandle* label :
         {&s.walletLabel, &s.betLabel, &s.playerLabel, &s.dealerLabel}) {
        if (*label == nullptr) {
            return "a status text is missing";
        }
    }
    for (const TextureHandle& label : s.chipCountLabels) {
        if (label == nullptr) {
            return "a chip count text is missing";
        }
    }
    if ((s.resultLabel != nullptr) != g.isRoundOver()) {
        return "the result text is shown out of step with the round";
    }
    return "";
}

// Checks what one button press did, with the state from before the frame; returns a description
// of the first thing wrong, and counts rounds, splits and the like.
std::string pressFault(const GameScene& s, const Snapshot& before, const Press& press,
                       bool dealtInFrame, Tally& tally) {
    const Game& g = *s.engine;
    const int totalBefore = before.wallet + before.bet;
    const int totalAfter = g.getWallet() + g.getBet();

    int stakeAtSettlement = before.bet;
    switch (press.action) {
        case Action::Add: {
            const int value = s.chipValues[press.chip];
            const int want =
                before.chips[press.chip] + (before.pendingBet + value <= before.wallet ? 1 : 0);
            if (s.chipCounts[press.chip] != want) {
                return "adding a chip went wrong";
            }
            break;
        }
        case Action::Remove: {
            const int want = std::max(0, before.chips[press.chip] - 1);
            if (s.chipCounts[press.chip] != want) {
                return "removing a chip went wrong";
            }
            break;
        }
        case Action::Deal:
            if ((before.pendingBet > 0) != dealtInFrame) {
                return "the deal button dealt without a bet or refused one";
            }
            stakeAtSettlement = before.pendingBet;
            break;
        case Action::Hit: {
            const std::size_t grown =
                before.playingSplit ? g.splitHand.cards.size() : g.player.cards.size();
            const std::size_t was = before.playingSplit ? before.splitCards : before.playerCards;
            if (grown != was + 1) {
                return "a hit did not add exactly one card to the hand in play";
            }
            break;
        }
        case Action::Double:
            if (before.wallet >= before.bet) {
                ++tally.doubles;
                stakeAtSettlement = 2 * before.bet;
                if (!g.isRoundOver() || g.player.cards.size() != 3) {
                    return "a double did not take one card and end the round";
                }
            }
            break;
        case Action::Split:
            if (before.wallet >= before.bet) {
                ++tally.splits;
                if (!g.isSplit() || g.getBet() != 2 * before.bet) {
                    return "a split did not stake the second hand";
                }
            }
            break;
        case Action::Stand:
        case Action::None:
            break;
    }

    const bool touchesEngine = press.action != Action::None && press.action != Action::Add &&
                               press.action != Action::Remove;
    if (dealtInFrame) {
        ++tally.rounds;
    } else if (!touchesEngine && (g.getBet() != before.bet || g.getWallet() != before.wallet ||
                                  g.isRoundOver() != before.roundOver ||
                                  g.player.cards.size() != before.playerCards ||
                                  g.splitHand.cards.size() != before.splitCards)) {
        return "the round changed without a button press";
    }
    const bool chipsMayChange = press.action == Action::Add || press.action == Action::Remove;
    if (dealtInFrame) {
        for (int count : s.chipCounts) {
            if (count != 0) {
                return "the deal left chips in the pending bet";
            }
        }
    } else if (!chipsMayChange && s.chipCounts != before.chips) {
        return "chip counts changed without an arrow";
    }
    const bool settled = g.isRoundOver() && (!before.roundOver || dealtInFrame);
    if (!settled) {
        if (totalAfter != totalBefore) {
            return "money moved outside a settlement";
        }
        return "";
    }
    if (dealtInFrame) {
        ++tally.naturals;
    }
    if (g.getBet() != 0) {
        return "a settled round left a stake on the table";
    }
    if (!dealerPlayedByTheRules(g)) {
        return "the dealer drew against the rules";
    }
    const int payout = expectedPayout(g, stakeAtSettlement);
    const int net = payout - stakeAtSettlement;
    if (totalAfter - totalBefore != net) {
        std::ostringstream out;
        out << "settlement moved " << totalAfter - totalBefore << " where the hands pay " << net
            << " on a stake of " << stakeAtSettlement << " (" << g.getResultText() << ")";
        return out.str();
    }
    if (g.getResultText().rfind(expectedResultHead(net), 0) != 0) {
        return "result text \"" + g.getResultText() + "\" does not report " + std::to_string(net);
    }
    return "";
}

// Every frame is drawn in full by the screen, into a small target: the software renderer clips
// it to the window's corner, since pushing a whole window of pixels per frame would take up most
// of the run. The drawing of whole frames is the bad-asset tests' and the benchmarks' business.
constexpr int kTargetWidth = 64;
constexpr int kTargetHeight = 48;

TEST(RandomPlay, KeepsTheTableConsistentThroughManyRounds) {
    const long frames = envNumber("BLACKJACK_SOAK_FRAMES", 200000);
    const auto seed = static_cast<std::uint32_t>(envNumber("BLACKJACK_SOAK_SEED", 20240611));
    SCOPED_TRACE("seed " + std::to_string(seed));

    ScratchDir dir;
    writeTableArt();
    // The whole-window pictures at the size they are drawn, as the game's own are: every frame
    // then copies them as the game does, not scaled up from a few pixels, which costs the
    // software renderer several times more over 200,000 frames.
    writeSolidPng("images/BG.png", kWindowWidth, kWindowHeight, art::kBackground);
    writeSolidPng("images/TABLE.png", kTableRect.w, kTableRect.h, art::kTable);
    writeSolidPng("images/CHIPBG.png", kPanelRect.w, kPanelRect.h, art::kPanel);
    Screen screen(kTargetWidth, kTargetHeight);
    SDL_Renderer* renderer = screen.renderer();

    Player player(seed);
    std::mt19937 deckSeeds(seed ^ 0x5eedu);
    Tally tally;
    std::unique_ptr<GameScene> scene;

    auto newTable = [&] {
        if (scene) {
            scene->cleanup();
        }
        scene = std::make_unique<GameScene>();
        scene->init(renderer);
        // The same pack order every run of this seed.
        Deck& deck = *scene->engine->deck;
        deck.restock({});
        deck.seed(deckSeeds());
        deck.shuffle();
        scene->render(renderer);
        ++tally.newTables;
    };
    newTable();

    for (long f = 0; f < frames; ++f) {
        GameScene& s = *scene;
        player.next(s);
        const Snapshot before(s);
        const Press press = predictPress(s, player.x(), player.y(), player.clicked());
        const bool wasActive = s.roundActive;

        s.handleInput(player.x(), player.y(), player.clicked());
        const bool dealtInFrame = !wasActive && s.roundActive;
        s.update();
        SDL_RenderClear(renderer);
        s.render(renderer);
        SDL_RenderPresent(renderer);

        if (s.engine->deck->size() > before.deckSize) {
            ++tally.refills;
        }
        std::string fault = tableFault(s);
        if (fault.empty()) {
            fault = pressFault(s, before, press, dealtInFrame, tally);
        }
        if (!fault.empty()) {
            FAIL() << "frame " << f << ": " << fault;
        }

        // A wallet that cannot buy the smallest chip ends that game; the player starts anew.
        if (!s.roundActive && s.engine->getWallet() < s.chipValues[0]) {
            newTable();
        }
    }
    scene->cleanup();

    RecordProperty("rounds", static_cast<int>(tally.rounds));
    std::cout << "frames " << frames << ", rounds " << tally.rounds << ", naturals "
              << tally.naturals << ", doubles " << tally.doubles << ", splits " << tally.splits
              << ", deck refills " << tally.refills << ", new tables " << tally.newTables
              << std::endl;
    if (frames >= 200000) {
        EXPECT_GE(tally.rounds, 2000);
        EXPECT_GE(tally.refills, 100);
        EXPECT_GE(tally.splits, 20);
        EXPECT_GE(tally.doubles, 50);
        EXPECT_GE(tally.naturals, 50);
    }
}

}  // namespace

#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "rules/CardSheet.h"
#include "rules/Game.h"
#include "rules/TableLayout.h"
#include "ui/SdlHandle.h"

// The table in motion, when the player turns it on (A): each card dealt slides from the shoe above
// the table's top right to its place, in the order the engine dealt them; the hole card turns over;
// a chip slides from the rack to the bet and back, and at the settlement from the bet to the wallet
// or to the dealer; then the result line fades in. Nothing waits for it: the engine has already
// done what the motion shows, and a click or key during a motion finishes it at once (finish()).
// Off, it draws the hands exactly as the engine does and nothing more.
class TableMotion {
public:
    // How fast the motion goes; Instant is motion off. [ and ] step through them.
    enum class Speed { Slow, Normal, Fast, Instant };
    // Seconds on a clock that only goes forward.
    using Clock = std::function<double()>;

    TableMotion();

    bool isOn() const { return speed_ != Speed::Instant; }
    // The motion's beat at the speed now, for the sound to keep time with: a card leaves the shoe
    // every `cardGap` seconds, the hole card turns in `turnSeconds`, a chip lands after
    // `chipSeconds`, and the result starts to show `resultGap` after the last card left.
    struct Beat {
        double cardGap;
        double turnSeconds;
        double chipSeconds;
        double resultGap;
    };
    Beat beat() const;
    Speed speed() const { return speed_; }
    // A turns motion on at the last speed it had (Normal at first), or off.
    void toggle();
    // One step slower or faster; slower than Slow stays Slow, faster than Fast is Instant.
    void slower();
    void faster();
    void setSpeed(Speed speed);
    // As remembered from an earlier run, with no name shown: `last` is the speed A turns it on at
    // (not Instant), and `on` whether it is on now.
    void restore(Speed last, bool on);
    // The speed A turns motion on at, whether it is on or not.
    Speed lastSpeed() const { return lastSpeed_; }
    // The speed's name as shown for a second in a corner when it changes: "MOTION: NORMAL".
    static std::string speedName(Speed speed);

    // What the table does, told as it does it. A deal starts the hands afresh: told once the
    // stake is off the wallet, with the wallet left.
    void dealing(int wallet);
    void chipToBet(int kind);
    void chipFromBet(int kind);

    // After the frame's input: the cards the engine dealt since the last update set off, in the
    // order it dealt them, then the hole card's turn, the dealer's draws, and at the settlement
    // the stake's chip to the wallet, when the settlement paid anything back, or to the dealer.
    void follow(const Game& game);
    // Whether something is still moving or fading.
    bool busy() const;
    // That, or the speed's name still showing: frames must still be drawn.
    bool needsFrames() const;
    // Every motion in progress or waiting ends at once, as if its time had come.
    void finish();
    // How far the result line has faded in, 0 to 255.
    Uint8 resultAlpha() const;

    // The hands, the cards on their way and the chips in flight, for this frame. `drawChip`
    // draws a chip of a kind into a rectangle.
    void renderHands(Game& game) const;
    void renderChips(const std::function<void(int kind, const SDL_Rect& dest)>& drawChip) const;
    // The speed's name, for a second after it changed, in the top-right corner of the table.
    void renderSpeed(SDL_Renderer* renderer, TTF_Font* font, int density);
    void cleanup();

    // For tests: the clock the motion runs on (the processor's by default).
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Where cards come from: the shoe, above the table's top right, out of sight.
    static constexpr SDL_Point kShoe{kTableWidth - kCardWidth - 40, -kCardHeight};
    // Where the speed's name shows: the table's bottom-left corner.
    static constexpr SDL_Point kSpeedAt{20, kTableHeight - 36};

private:
    enum class Kind { Card, Turn, Chip };
    struct Flight {
        Kind kind = Kind::Card;
        double start = 0;
        double duration = 0;
        SDL_Point from{};
        SDL_Point to{};
        // A card's hand and place in it; a chip's kind.
        Game::HandOnTable hand = Game::HandOnTable::Player;
        int index = 0;
        int chip = 0;
        const Card* card = nullptr;
        bool faceDown = false;
    };
    // How long a card takes to reach its place, in seconds, at the speed now.
    double cardSeconds() const;
    // The next flight's start: a card after the one before it is well on its way.
    double nextStart(double now) const;
    void addCard(const Game& game, Game::HandOnTable hand, int index, double& start,
                 SDL_Point from);
    // Drops what has landed and has no more to show.
    void prune(double now);
    // 0 to 1: how far `flight` has gone, eased so it slows as it lands.
    static double progress(const Flight& flight, double now);

    Speed speed_ = Speed::Instant;
    Speed lastSpeed_ = Speed::Normal;
    Clock clock_;
    std::vector<Flight> flights_;
    // What the hands held when last followed, and whether the hole card was shown and the round
    // settled.
    std::array<int, 3> held_{};
    bool holeShown_ = false;
    bool settled_ = false;
    int wallet_ = 0;
    // When the result line starts to fade in; none (a negative time) while no result waits.
    double fadeStart_ = -1;
    // The speed's name and until when it shows.
    TextureHandle speedLabel_;
    Speed labelled_ = Speed::Instant;
    int labelledDensity_ = 0;
    double speedShownUntil_ = -1;
};

#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "rules/Game.h"
#include "sound/Cue.h"
#include "sound/SoundBank.h"
#include "sound/SoundDevice.h"

// The table's sound: the cards as the engine deals them, the hole card turned over, the chips on
// the bet and how each round ended. Off, as the game starts, it never touches SDL's audio. Turned
// on, it opens the default output device (and, the first time, makes its sounds); turned off, it
// closes the device and SDL's audio again. Without a device the game plays on silent, and says so
// once on standard error. The volume goes in steps of 10, from 0 to 100, and is kept while off.
class TableSound {
public:
    static constexpr int kVolumeStep = 10;
    static constexpr int kDefaultVolume = 80;
    static constexpr int kMaxVolume = 100;
    // How far apart the cards of one play are heard, and how long after the last the result.
    static constexpr double kCardGap = 0.18;
    static constexpr double kResultGap = 0.3;

    // When the sounds of a play are heard after it, in seconds: without motion, one card after
    // another kCardGap apart and the result kResultGap after the last; with it, each card as it
    // leaves the shoe, the hole card as it turns, a chip as it lands and the result as it
    // shows (ui/TableMotion.h's beat).
    struct Timing {
        double cardGap = kCardGap;
        double turnGap = kCardGap;
        double resultGap = kResultGap;
        double chipDelay = 0.0;
    };

    bool isOn() const { return on_; }
    void turn(bool on);
    int volume() const { return volume_; }
    // Held within 0 to 100 and taken to the nearest step of 10.
    void setVolume(int volume);

    // A chip put on the bet or taken off it.
    void chip(const Timing& timing);
    void chip();
    // Called just before the deal: the round's hands start empty.
    void dealing();
    // Called after each deal and play: cues, one after another, each card the engine dealt since
    // the last call in the order it dealt them, the hole card turned over, the dealer's draws and,
    // once settled, the round's result. Off, it only keeps count.
    void played(const Game& game, const Timing& timing);
    void played(const Game& game);

    // Turns the sound off, the device closed, as the table lets go of everything; the volume stays.
    void cleanup();

    // For tests and tools: what was cued while on, oldest first (the last kCuedKept), whether a
    // device is open and the sounds it plays.
    struct Cued {
        Cue cue;
        double delay;
    };
    static constexpr std::size_t kCuedKept = 64;
    const std::vector<Cued>& cued() const { return cued_; }
    bool hasDevice() const { return device_.isOpen(); }
    const SoundBank* bank() const { return bank_.get(); }

private:
    // The hands' card counts and the hole card, as the last play left them.
    struct Seen {
        std::size_t player = 0;
        std::size_t split = 0;
        std::size_t dealer = 0;
        bool revealed = false;
        bool settled = false;
    };
    void start();
    void cue(Cue cue, double delay);
    // The result's cue from the engine's settled hands; of a split's two, the better.
    static Cue resultOf(const Game& game);

    bool on_ = false;
    int volume_ = kDefaultVolume;
    bool warned_ = false;
    Seen seen_;
    std::array<int, kCueCount> nextVariant_{};
    std::vector<Cued> cued_;
    std::unique_ptr<SoundBank> bank_;
    SoundDevice device_;
};

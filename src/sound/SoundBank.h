#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "sound/Cue.h"

// Every sound of the table, made here from noise and sine partials at one sample rate: mono float
// samples, each faded in and out so that it starts and stops without a click, its peak well under
// full scale. The card and chip sounds come in several variants (other noise, filter and pitch),
// so a run of them never repeats one exactly; the chords of the results come once each.
class SoundBank {
public:
    using Samples = std::vector<float>;

    // The highest peak of any sound, against a full scale of 1.
    static constexpr float kPeak = 0.35F;
    // How many variants each card and chip sound has.
    static constexpr int kVariants = 4;

    // Makes the whole bank at `rate` samples a second (a few milliseconds' work).
    explicit SoundBank(int rate);

    int rate() const { return rate_; }
    // 1 for the chords, kVariants for the card and chip sounds.
    int variants(Cue cue) const { return static_cast<int>(sounds_[indexOf(cue)].size()); }
    // Variant `variant` of `cue`, taken modulo variants(cue).
    const Samples& sound(Cue cue, int variant) const;

private:
    int rate_;
    std::array<std::vector<Samples>, kCueCount> sounds_;
};

#include "sound/SoundBank.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Every sound starts and stops on a short raised-cosine ramp, so its ends make no click.
constexpr double kFadeIn = 0.0015;
constexpr double kFadeOut = 0.004;
// The softer sounds stay further under full scale than the loudest.
constexpr float kCardPeak = 0.30F;
constexpr float kChordPeak = 0.28F;
constexpr float kLossPeak = 0.22F;
constexpr float kTickPeak = 0.16F;

using Samples = SoundBank::Samples;

// A small, seedable white-noise source in [-1, 1): the same seed makes the same sound.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9U : seed) {}
    float next() {
        state_ ^= state_ << 13U;
        state_ ^= state_ >> 17U;
        state_ ^= state_ << 5U;
        return static_cast<float>(state_ >> 8U) / 8388608.0F - 1.0F;
    }

private:
    std::uint32_t state_;
};

// A state-variable filter at `centre` Hz; each step gives its band-pass and high-pass outputs.
class Filter {
public:
    Filter(int rate, double centre, double damping)
        : f_(static_cast<float>(2.0 * std::sin(kPi * std::min(centre / rate, 0.24)))),
          q_(static_cast<float>(damping)) {}
    void step(float in) {
        low_ += f_ * band_;
        high_ = in - low_ - q_ * band_;
        band_ += f_ * high_;
    }
    float band() const { return band_; }
    float high() const { return high_; }

private:
    float f_;
    float q_;
    float low_ = 0.0F;
    float band_ = 0.0F;
    float high_ = 0.0F;
};

std::size_t framesOf(int rate, double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * rate));
}

// Fades the ends and scales the loudest sample to `peak`.
void finish(Samples& samples, int rate, float peak) {
    const std::size_t in = std::min(framesOf(rate, kFadeIn), samples.size() / 2);
    const std::size_t out = std::min(framesOf(rate, kFadeOut), samples.size() / 2);
    for (std::size_t i = 0; i < in; ++i) {
        samples[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / in));
    }
    for (std::size_t i = 0; i < out; ++i) {
        samples[samples.size() - 1 - i] *=
            static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / out));
    }
    float loudest = 0.0F;
    for (const float s : samples) {
        loudest = std::max(loudest, std::fabs(s));
    }
    if (loudest > 0.0F) {
        for (float& s : samples) {
            s *= peak / loudest;
        }
    }
}

// A card drawn across the felt: band-passed noise that swells in a few milliseconds and dies away
// over about a tenth of a second, its band sinking a little as it slows.
Samples cardSlide(int rate, int variant) {
    const double length = 0.085 + 0.011 * variant;
    Noise noise(0x5EED0001U + 7919U * static_cast<std::uint32_t>(variant));
    const double centre = 2300.0 + 650.0 * ((variant * 3) % 4);
    // Two band-passes in a row, so that the hiss above the band stays soft.
    Filter upper(rate, centre, 0.9);
    Filter upperAgain(rate, centre, 0.9);
    Filter lower(rate, centre * 0.45, 1.2);
    Samples out(framesOf(rate, length));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const float n = noise.next();
        upper.step(n);
        upperAgain.step(upper.band());
        lower.step(n);
        const double fall = t / length;
        const double swell = (1.0 - std::exp(-t / 0.007)) * std::exp(-3.2 * fall);
        out[i] = static_cast<float>(
            swell * ((1.0 - 0.6 * fall) * upperAgain.band() + 0.6 * fall * lower.band()));
    }
    finish(out, rate, kCardPeak);
    return out;
}

// The hole card turned over: a short, bright snap of high-passed noise.
Samples holeFlip(int rate, int variant) {
    const double length = 0.032 + 0.005 * variant;
    Noise noise(0xF11B0000U + 104729U * static_cast<std::uint32_t>(variant));
    Filter snap(rate, 5200.0 + 700.0 * variant, 0.7);
    Samples out(framesOf(rate, length));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        snap.step(noise.next());
        const double envelope =
            (1.0 - std::exp(-t / 0.0015)) * std::exp(-t / (0.006 + 0.001 * variant));
        out[i] = static_cast<float>(envelope * (0.6 * snap.band() + 0.4 * snap.high()));
    }
    finish(out, rate, kCardPeak);
    return out;
}

// A clay chip on the felt: a few inharmonic partials that die away at their own speeds, on a
// tick of noise.
Samples chipClick(int rate, int variant) {
    const double length = 0.045 + 0.004 * variant;
    const double base = 2750.0 + 230.0 * ((variant * 5) % 4);
    const struct {
        double ratio;
        double amplitude;
        double decay;
    } partials[] = {{1.0, 1.0, 0.011},
                    {1.53 + 0.02 * variant, 0.7, 0.008},
                    {2.21, 0.5, 0.006},
                    {2.93 - 0.03 * variant, 0.35, 0.004},
                    {3.67, 0.2, 0.003}};
    Noise noise(0xC41B0000U + 15485863U * static_cast<std::uint32_t>(variant));
    Samples out(framesOf(rate, length));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double s = 0.0;
        for (const auto& p : partials) {
            s += p.amplitude * std::exp(-t / p.decay) * std::sin(2.0 * kPi * base * p.ratio * t);
        }
        s += 0.5 * std::exp(-t / 0.0012) * noise.next();
        out[i] = static_cast<float>(s);
    }
    finish(out, rate, kCardPeak);
    return out;
}

// One note of a chord: `harmonics` partials falling off by `rolloff`, struck and dying away.
void addNote(Samples& out, int rate, double frequency, double start, double decay, int harmonics,
             double rolloff) {
    const std::size_t from = std::min(framesOf(rate, start), out.size());
    for (std::size_t i = from; i < out.size(); ++i) {
        const double t = static_cast<double>(i - from) / rate;
        const double envelope = (1.0 - std::exp(-t / 0.004)) * std::exp(-t / decay);
        double s = 0.0;
        double amplitude = 1.0;
        for (int h = 1; h <= harmonics; ++h) {
            s += amplitude * std::sin(2.0 * kPi * frequency * h * t);
            amplitude *= rolloff;
        }
        out[i] += static_cast<float>(envelope * s);
    }
}

// A chord of `notes` (Hz), struck one after another `spread` seconds apart.
Samples chord(int rate, std::initializer_list<double> notes, double spread, double length,
              double decay, int harmonics, double rolloff, float peak) {
    Samples out(framesOf(rate, length));
    double start = 0.0;
    for (const double note : notes) {
        addNote(out, rate, note, start, decay, harmonics, rolloff);
        start += spread;
    }
    finish(out, rate, peak);
    return out;
}

// Notes of the middle of the keyboard, in Hz.
constexpr double kA2 = 110.0;
constexpr double kC3 = 130.81;
constexpr double kE3 = 164.81;
constexpr double kC5 = 523.25;
constexpr double kE5 = 659.26;
constexpr double kG5 = 783.99;
constexpr double kC6 = 1046.50;
constexpr double kE6 = 1318.51;

}  // namespace

SoundBank::SoundBank(int rate) : rate_(rate) {
    for (int v = 0; v < kVariants; ++v) {
        sounds_[indexOf(Cue::CardSlide)].push_back(cardSlide(rate, v));
        sounds_[indexOf(Cue::HoleFlip)].push_back(holeFlip(rate, v));
        sounds_[indexOf(Cue::ChipClick)].push_back(chipClick(rate, v));
    }
    // A major triad rising; for a blackjack the same climbing on to the octave, brighter and
    // quicker; a loss low in the minor, its partials soft.
    sounds_[indexOf(Cue::Win)].push_back(
        chord(rate, {kC5, kE5, kG5}, 0.07, 0.6, 0.16, 3, 0.35, kChordPeak));
    sounds_[indexOf(Cue::Blackjack)].push_back(
        chord(rate, {kC5, kE5, kG5, kC6, kE6}, 0.055, 0.8, 0.2, 5, 0.55, kChordPeak));
    sounds_[indexOf(Cue::Loss)].push_back(
        chord(rate, {kE3, kC3, kA2}, 0.09, 0.55, 0.14, 2, 0.25, kLossPeak));
    // A push gives back the stake: a soft, short tick.
    sounds_[indexOf(Cue::Push)].push_back(
        chord(rate, {1200.0}, 0.0, 0.03, 0.008, 2, 0.3, kTickPeak));
}

const SoundBank::Samples& SoundBank::sound(Cue cue, int variant) const {
    const std::vector<Samples>& kinds = sounds_[indexOf(cue)];
    return kinds[static_cast<std::size_t>(variant) % kinds.size()];
}

// The bank's sounds: heard, short, within full scale, silent at both ends, and no two variants of
// a card or chip sound alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sound/SoundBank.h"

namespace {

struct Level {
    float peak = 0.0F;
    double rms = 0.0;
};

Level levelOf(const SoundBank::Samples& samples) {
    Level level;
    double squares = 0.0;
    for (const float s : samples) {
        level.peak = std::max(level.peak, std::fabs(s));
        squares += static_cast<double>(s) * s;
    }
    level.rms = std::sqrt(squares / static_cast<double>(samples.size()));
    return level;
}

// How long each sound lasts, in milliseconds, and how many variants it has.
const struct {
    Cue cue;
    double shortest;
    double longest;
    int variants;
} kSounds[] = {
    {Cue::CardSlide, 80, 120, SoundBank::kVariants},
    {Cue::HoleFlip, 25, 50, SoundBank::kVariants},
    {Cue::ChipClick, 40, 60, SoundBank::kVariants},
    {Cue::Win, 300, 900, 1},
    {Cue::Blackjack, 300, 900, 1},
    {Cue::Loss, 300, 900, 1},
    {Cue::Push, 10, 60, 1},
};

TEST(SoundBankTest, EverySoundIsHeardWithinFullScaleAndStartsAndEndsSilent) {
    for (const int rate : {48000, 44100}) {
        const SoundBank bank(rate);
        EXPECT_EQ(bank.rate(), rate);
        for (const auto& expected : kSounds) {
            ASSERT_EQ(bank.variants(expected.cue), expected.variants);
            for (int v = 0; v < expected.variants; ++v) {
                const SoundBank::Samples& sound = bank.sound(expected.cue, v);
                const std::string what = "cue " + std::to_string(indexOf(expected.cue)) +
                                         " variant " + std::to_string(v) + " at " +
                                         std::to_string(rate);
                const double ms = 1000.0 * static_cast<double>(sound.size()) / rate;
                EXPECT_GE(ms, expected.shortest) << what;
                EXPECT_LE(ms, expected.longest) << what;
                const Level level = levelOf(sound);
                EXPECT_GT(level.peak, 0.1F) << what;
                EXPECT_LE(level.peak, SoundBank::kPeak) << what;
                EXPECT_GT(level.rms, 0.01) << what;
                EXPECT_LT(std::fabs(sound.front()), 1e-3F) << what << ": a click at the start";
                EXPECT_LT(std::fabs(sound.back()), 1e-3F) << what << ": a click at the end";
            }
        }
    }
}

TEST(SoundBankTest, VariantsDifferAndTheSameRateMakesTheSameBank) {
    const SoundBank bank(48000);
    const SoundBank again(48000);
    for (const Cue cue : {Cue::CardSlide, Cue::HoleFlip, Cue::ChipClick}) {
        for (int a = 0; a < SoundBank::kVariants; ++a) {
            EXPECT_EQ(bank.sound(cue, a), again.sound(cue, a));
            for (int b = a + 1; b < SoundBank::kVariants; ++b) {
                EXPECT_NE(bank.sound(cue, a), bank.sound(cue, b))
                    << "cue " << indexOf(cue) << ": variants " << a << " and " << b;
            }
        }
        EXPECT_EQ(&bank.sound(cue, SoundBank::kVariants), &bank.sound(cue, 0)) << "wraps round";
    }
    // The flip is the card's short, bright sound: more of it changes from sample to sample.
    const auto brightness = [](const SoundBank::Samples& s) {
        double steps = 0.0, level = 0.0;
        for (std::size_t i = 1; i < s.size(); ++i) {
            steps += std::fabs(s[i] - s[i - 1]);
            level += std::fabs(s[i]);
        }
        return steps / level;
    };
    EXPECT_GT(brightness(bank.sound(Cue::HoleFlip, 0)), brightness(bank.sound(Cue::CardSlide, 0)));
    EXPECT_GT(brightness(bank.sound(Cue::Blackjack, 0)), brightness(bank.sound(Cue::Win, 0)));
    EXPECT_LT(brightness(bank.sound(Cue::Loss, 0)), brightness(bank.sound(Cue::Win, 0)));
}

}  // namespace

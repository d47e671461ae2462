// The mixer: voices add up after their delays, the gain scales the whole, full scale holds, and a
// voice that finished or was made room for sounds no more.
#include <gtest/gtest.h>

#include <vector>

#include "sound/Mixer.h"

namespace {

std::vector<float> mixed(Mixer& mixer, std::size_t frames) {
    std::vector<float> out(frames, 99.0F);
    mixer.mix(out.data(), frames);
    return out;
}

TEST(SoundMixerTest, VoicesAddUpAfterTheirDelaysAcrossBuffers) {
    const std::vector<float> a{0.1F, 0.2F, 0.3F};
    const std::vector<float> b{0.5F, 0.5F};
    Mixer mixer;
    EXPECT_EQ(mixed(mixer, 2), (std::vector<float>{0.0F, 0.0F})) << "silence without voices";
    mixer.play(a.data(), a.size(), 0);
    mixer.play(b.data(), b.size(), 2);
    EXPECT_EQ(mixer.busy(), 2U);
    // The second voice starts in the next buffer, two frames in.
    const std::vector<float> first = mixed(mixer, 1);
    const std::vector<float> rest = mixed(mixer, 4);
    EXPECT_FLOAT_EQ(first[0], 0.1F);
    EXPECT_FLOAT_EQ(rest[0], 0.2F);
    EXPECT_FLOAT_EQ(rest[1], 0.3F + 0.5F);
    EXPECT_FLOAT_EQ(rest[2], 0.5F);
    EXPECT_FLOAT_EQ(rest[3], 0.0F);
    EXPECT_EQ(mixer.busy(), 0U) << "both sounded to their ends";

    mixer.setGain(0.5F);
    mixer.play(b.data(), b.size(), 0);
    mixer.play(b.data(), b.size(), 0);
    mixer.play(b.data(), b.size(), 0);
    EXPECT_FLOAT_EQ(mixed(mixer, 1)[0], 0.75F);
    mixer.setGain(1.0F);
    EXPECT_FLOAT_EQ(mixed(mixer, 1)[0], 1.0F) << "held at full scale";
    mixer.play(nullptr, 4, 0);
    EXPECT_EQ(mixer.busy(), 0U);
}

TEST(SoundMixerTest, WithEveryVoiceBusyTheFurthestAlongMakesRoom) {
    const std::vector<float> longSound(100, 0.01F);
    const std::vector<float> marked{0.5F, 0.5F};
    Mixer mixer;
    mixer.play(longSound.data(), longSound.size(), 0);
    mixed(mixer, 50);
    for (std::size_t i = 1; i < Mixer::kVoices; ++i) {
        mixer.play(longSound.data(), longSound.size(), 0);
    }
    ASSERT_EQ(mixer.busy(), Mixer::kVoices);
    mixer.play(marked.data(), marked.size(), 0);
    EXPECT_EQ(mixer.busy(), Mixer::kVoices);
    // The half-played voice gave way: fifteen fresh ones and the new sound.
    EXPECT_FLOAT_EQ(mixed(mixer, 1)[0], 15 * 0.01F + 0.5F);
    mixer.stopAll();
    EXPECT_EQ(mixer.busy(), 0U);
}

}  // namespace

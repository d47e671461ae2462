#pragma once

#include <array>
#include <cstddef>

// Mixes up to kVoices sounds at once into mono float samples, each voice starting after a delay of
// its own, the whole scaled by one gain and held within full scale. It owns no samples: the
// sounds it plays must outlive their voices. Not thread-safe: its owner locks around it.
class Mixer {
public:
    static constexpr std::size_t kVoices = 16;

    // Starts `count` samples from `samples` after `delayFrames` frames. With every voice busy, the
    // one furthest into its sound makes room.
    void play(const float* samples, std::size_t count, std::size_t delayFrames);
    // 0 is silence, 1 the sounds as made.
    void setGain(float gain) { gain_ = gain; }
    float gain() const { return gain_; }
    // Writes the next `frames` samples into `out`, silence where no voice sounds.
    void mix(float* out, std::size_t frames);
    // The voices still waiting or sounding.
    std::size_t busy() const;
    void stopAll();

private:
    struct Voice {
        const float* samples = nullptr;
        std::size_t count = 0;
        std::size_t position = 0;
        std::size_t delay = 0;
        bool live() const { return samples != nullptr; }
    };
    std::array<Voice, kVoices> voices_{};
    float gain_ = 1.0F;
};

#include "sound/Mixer.h"

#include <algorithm>

void Mixer::play(const float* samples, std::size_t count, std::size_t delayFrames) {
    if (samples == nullptr || count == 0) {
        return;
    }
    Voice* slot = nullptr;
    for (Voice& voice : voices_) {
        if (!voice.live()) {
            slot = &voice;
            break;
        }
    }
    if (slot == nullptr) {
        slot =
            &*std::max_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) {
                return a.position * b.count < b.position * a.count;
            });
    }
    *slot = Voice{samples, count, 0, delayFrames};
}

void Mixer::mix(float* out, std::size_t frames) {
    std::fill(out, out + frames, 0.0F);
    for (Voice& voice : voices_) {
        if (!voice.live()) {
            continue;
        }
        std::size_t at = std::min(voice.delay, frames);
        voice.delay -= at;
        for (; at < frames && voice.position < voice.count; ++at) {
            out[at] += voice.samples[voice.position++];
        }
        if (voice.position == voice.count) {
            voice = Voice{};
        }
    }
    for (std::size_t i = 0; i < frames; ++i) {
        out[i] = std::clamp(out[i] * gain_, -1.0F, 1.0F);
    }
}

std::size_t Mixer::busy() const {
    return static_cast<std::size_t>(
        std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.live(); }));
}

void Mixer::stopAll() {
    voices_.fill(Voice{});
}

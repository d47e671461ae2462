#include "sound/SoundDevice.h"

#include <algorithm>
#include <cmath>

namespace {

// About 21 ms at 48000 Hz: short enough that a card is heard with its click, long enough for
// the page's Web Audio.
constexpr Uint16 kBufferFrames = 1024;

}  // namespace

SoundDevice::~SoundDevice() {
    close();
}

bool SoundDevice::open(std::string& why) {
    if (device_ != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        why = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = kBufferFrames;
    wanted.callback = &SoundDevice::fill;
    wanted.userdata = this;
    SDL_AudioSpec got{};
    // SDL converts the format and channels for the device; the sounds are made at its rate.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device_ == 0) {
        why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    rate_ = got.freq;
    mixer_.stopAll();
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SoundDevice::close() {
    if (device_ == 0) {
        return;
    }
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    rate_ = 0;
    mixer_.stopAll();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundDevice::play(const std::vector<float>& samples, double delaySeconds) {
    if (device_ == 0) {
        return;
    }
    const auto delay = static_cast<std::size_t>(std::lround(std::max(0.0, delaySeconds) * rate_));
    SDL_LockAudioDevice(device_);
    mixer_.play(samples.data(), samples.size(), delay);
    SDL_UnlockAudioDevice(device_);
}

void SoundDevice::setGain(float gain) {
    if (device_ == 0) {
        mixer_.setGain(gain);
        return;
    }
    SDL_LockAudioDevice(device_);
    mixer_.setGain(gain);
    SDL_UnlockAudioDevice(device_);
}

void SDLCALL SoundDevice::fill(void* self, Uint8* stream, int bytes) {
    auto* device = static_cast<SoundDevice*>(self);
    device->mixer_.mix(reinterpret_cast<float*>(stream),
                       static_cast<std::size_t>(bytes) / sizeof(float));
}

#pragma once

#include <string>
#include <vector>

#include <SDL.h>

#include "sound/Mixer.h"

// SDL's audio subsystem and one output device, fed by a Mixer from SDL's audio callback: mono
// float samples at 48000 Hz, or at the rate the device offers (rate() says which, and the sounds
// are made at it). The game's calls and the callback take turns on the mixer under SDL's device
// lock. Closed, the audio subsystem is shut down again.
class SoundDevice {
public:
    static constexpr int kWantedRate = 48000;

    SoundDevice() = default;
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Initialises SDL's audio and opens the default output device. False when there is none, with
    // SDL's reason in `why`; the audio subsystem is then shut down again.
    bool open(std::string& why);
    // Stops the sounds, closes the device and quits SDL's audio subsystem; nothing when closed.
    void close();
    bool isOpen() const { return device_ != 0; }
    // The device's sample rate; 0 while closed.
    int rate() const { return rate_; }

    // Plays `samples` (kept alive by the caller until close) `delaySeconds` from now.
    void play(const std::vector<float>& samples, double delaySeconds);
    void setGain(float gain);

private:
    static void SDLCALL fill(void* self, Uint8* stream, int bytes);

    SDL_AudioDeviceID device_ = 0;
    int rate_ = 0;
    Mixer mixer_;
};

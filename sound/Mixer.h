#pragma once

// Mixes the sounds that play into stereo samples for an output that asks for
// them from its own thread. At most MaxVoices sounds play at once: a further
// one takes the place of the oldest, which fades out first, so the mix never
// goes above MixCeiling and nothing stops with a click.

#include <cstdint>
#include <mutex>
#include <vector>

#include "sound/Synth.h"

class Mixer {
  public:
    void Play(const std::vector<float>& sound);
    void Stop(); // every sound fades out at once; none waits to start
    // Fills frames stereo frames, left and right interleaved.
    void Mix(float* stereo, int frames);
    bool Quiet(); // nothing plays

    static constexpr int FadeFrames = 220; // 5 ms

  private:
    struct Voice {
        const std::vector<float>* sound = nullptr;
        std::size_t position = 0;
        int fade = 0; // frames left of its fade-out, 0: not fading
        const std::vector<float>* next = nullptr;
        std::uint64_t started = 0;
    };
    std::mutex lock;
    Voice voices[MaxVoices];
    std::uint64_t serial = 0;
};

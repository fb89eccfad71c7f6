#pragma once

// The game's own sounds, made when it starts: short tones and noises with
// envelopes, mono floats. No files: nothing to load, nothing to go missing.

#include <vector>

#include "game/SoundEvents.h"

constexpr int SoundRate = 44100;        // samples a second
constexpr double MaxSoundSeconds = 1.5; // no sound is longer
// At most MaxVoices sounds play at once, each with its peak at most
// SoundPeak: their sum stays below the mix's ceiling, about -3.2 dBFS.
constexpr int MaxVoices = 4;
constexpr float SoundPeak = 0.17f;
constexpr float MixCeiling = 0.7f;
static_assert(MaxVoices * SoundPeak <= MixCeiling, "overlapping sounds can't clip");

// The notes a chain climbs and the rows a sweep falls through.
constexpr int ChainSteps = 8;
constexpr int SweepRows = 15;

class SoundBank {
  public:
    explicit SoundBank(int rate = SoundRate); // makes every sound
    // The samples of a sound; its detail picks the chain step or the sweep's
    // row, held to the range there are notes for.
    const std::vector<float>& Samples(Sound sound, int detail = 0) const;
    int Count() const { return static_cast<int>(sounds.size()); }
    const std::vector<float>& At(int index) const { return sounds[index]; }
    static int Index(Sound sound, int detail);

  private:
    std::vector<std::vector<float>> sounds;
};

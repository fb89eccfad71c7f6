// The synthesizer: every sound is a few notes and noise bursts, each shaped
// by an envelope that rises from zero and falls back to it, added into one
// buffer and scaled to its loudness.

#include "sound/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A note n semitones above middle C.
double Note(double semitones) {
    return 261.6255653 * std::pow(2.0, semitones / 12.0);
}

// The major scale a chain climbs, from the E above middle C.
constexpr int Scale[ChainSteps] = {0, 2, 4, 5, 7, 9, 11, 12};

enum Wave { Sine, Bell, Soft, Bright };

// A quick linear rise, then a fall that is steep at first and reaches zero
// at the end: exp(-4 t) (1 - t) over the rest of the sound.
class Envelope {
  public:
    Envelope(int count, double rise)
        : rise(std::max(1.0, rise)), fall(std::max(1.0, count - this->rise)),
          decay(std::exp(-4.0 / fall)) {}
    double Next() {
        const double i = index++;
        if (i < rise)
            return i / rise;
        const double value = level * (1.0 - (i - rise) / fall);
        level *= decay;
        return value > 0.0 ? value : 0.0;
    }

  private:
    double rise, fall, decay, level = 1.0;
    int index = 0;
};

class Sketch {
  public:
    Sketch(int rate, double seconds) : rate(rate), samples(Frames(seconds), 0.0f) {}

    // A note from start for seconds, its pitch gliding from one frequency to
    // another, rising in attack seconds and decaying to zero at its end.
    void Tone(double start, double seconds, double from, double to, Wave wave, double level,
              double attack = 0.005) {
        double phase = 0.0, frequency = from;
        const int first = Frames(start), count = Frames(seconds);
        const double glide = std::pow(to / from, 1.0 / count); // per sample
        Envelope envelope(count, attack * rate);
        for (int i = 0; i < count && first + i < static_cast<int>(samples.size()); ++i) {
            double value = std::sin(phase);
            if (wave == Bell) // a struck bar: an inharmonic partial that fades first
                value += 0.4 * std::sin(2.76 * phase) * (1.0 - static_cast<double>(i) / count);
            else if (wave == Soft)
                value += 0.2 * std::sin(2.0 * phase);
            else if (wave == Bright)
                value += 0.35 * std::sin(3.0 * phase) + 0.2 * std::sin(5.0 * phase);
            samples[first + i] += static_cast<float>(level * value * envelope.Next());
            phase += 2.0 * Pi * frequency / rate;
            frequency *= glide;
        }
    }

    // Noise through a low-pass filter whose cut-off glides from one
    // frequency to another.
    void Noise(double start, double seconds, double from, double to, double level,
               double attack = 0.002) {
        const int first = Frames(start), count = Frames(seconds);
        const double glide = std::pow(to / from, 1.0 / count);
        Envelope envelope(count, attack * rate);
        double low = 0.0, lower = 0.0, cutoff = from, a = 0.0;
        for (int i = 0; i < count && first + i < static_cast<int>(samples.size()); ++i) {
            if (i % 16 == 0) // the filter follows its cut-off closely enough
                a = 1.0 - std::exp(-2.0 * Pi * cutoff / rate);
            cutoff *= glide;
            seed = seed * 1664525u + 1013904223u; // the game's rand is left alone
            const double white = static_cast<double>(seed >> 8) / (1u << 24) * 2.0 - 1.0;
            low += a * (white - low);
            lower += a * (low - lower);
            samples[first + i] += static_cast<float>(level * lower * envelope.Next());
        }
    }

    // Scaled so that its peak is loudness times SoundPeak; the first and the
    // last sample are zero.
    std::vector<float> Done(double loudness) {
        float peak = 0.0f;
        for (float s : samples)
            peak = std::max(peak, std::fabs(s));
        const float scale = peak > 0.0f ? static_cast<float>(loudness) * SoundPeak / peak : 0.0f;
        for (float& s : samples)
            s *= scale;
        samples.front() = samples.back() = 0.0f;
        return samples;
    }

  private:
    int Frames(double seconds) const { return static_cast<int>(seconds * rate + 0.5); }
    int rate;
    std::vector<float> samples;
    std::uint32_t seed = 12345u;
};

// Where each sound's notes begin in the bank.
int Variants(Sound sound) {
    switch (sound) {
    case Sound::Word:
    case Sound::BonusWord:
        return ChainSteps;
    case Sound::SweepRow:
        return SweepRows;
    default:
        return 1;
    }
}

std::vector<float> Make(Sound sound, int variant, int rate) {
    switch (sound) {
    case Sound::MenuMove: {
        Sketch s(rate, 0.03);
        s.Tone(0, 0.03, 1800, 1700, Sine, 1.0);
        return s.Done(0.35);
    }
    case Sound::MenuChange:
    case Sound::Switch: {
        Sketch s(rate, 0.05);
        s.Noise(0, 0.012, 6000, 2000, 1.0);
        s.Tone(0, 0.05, 1200, 1000, Soft, 0.6);
        return s.Done(0.5);
    }
    case Sound::MenuBegin: {
        Sketch s(rate, 0.45);
        s.Tone(0, 0.45, Note(0), Note(12), Soft, 1.0, 0.02);
        s.Tone(0.12, 0.33, Note(7), Note(19), Sine, 0.6, 0.02);
        return s.Done(0.8);
    }
    case Sound::Step: {
        Sketch s(rate, 0.03);
        s.Tone(0, 0.03, 1000, 900, Soft, 1.0, 0.002);
        return s.Done(0.35);
    }
    case Sound::StepRefused: {
        Sketch s(rate, 0.05);
        s.Tone(0, 0.05, 260, 200, Soft, 1.0, 0.002);
        s.Noise(0, 0.03, 900, 300, 0.6);
        return s.Done(0.35);
    }
    case Sound::FastDrop: {
        Sketch s(rate, 0.3);
        s.Noise(0, 0.3, 700, 4000, 1.0, 0.12);
        return s.Done(0.4);
    }
    case Sound::LandAir: {
        Sketch s(rate, 0.22);
        s.Tone(0, 0.22, 110, 55, Sine, 1.0, 0.003);
        s.Noise(0, 0.06, 1500, 200, 0.8);
        return s.Done(1.0);
    }
    case Sound::LandWater: {
        Sketch s(rate, 0.5);
        s.Noise(0, 0.5, 5000, 600, 1.0, 0.006);
        s.Tone(0.03, 0.08, 500, 1100, Sine, 0.5);
        s.Tone(0.12, 0.07, 650, 1300, Sine, 0.3);
        return s.Done(1.0);
    }
    case Sound::Wildcard: {
        Sketch s(rate, 0.22);
        s.Tone(0, 0.1, Note(7), Note(9), Sine, 1.0);
        s.Tone(0.09, 0.13, Note(14), Note(17), Sine, 1.0);
        return s.Done(0.6);
    }
    case Sound::WildcardNamed: {
        Sketch s(rate, 0.25);
        s.Tone(0, 0.25, Note(19), Note(19), Bell, 1.0);
        return s.Done(0.6);
    }
    case Sound::Word:
    case Sound::BonusWord: {
        const double seconds = sound == Sound::Word ? 0.45 : 0.6;
        Sketch s(rate, seconds);
        const double note = Note(16 + Scale[variant]);
        s.Tone(0, 0.45, note, note, Bell, 1.0, 0.003);
        if (sound == Sound::BonusWord) // a sparkle of high quick notes above it
            for (int i = 0; i < 5; ++i)
                s.Tone(0.06 + 0.07 * i, 0.12, Note(40 + 3 * i), Note(40 + 3 * i), Sine, 0.35);
        return s.Done(0.9);
    }
    case Sound::Target: {
        Sketch s(rate, 1.1);
        const int notes[] = {12, 16, 19, 24};
        for (int i = 0; i < 4; ++i)
            s.Tone(0.12 * i, i == 3 ? 0.74 : 0.2, Note(notes[i]), Note(notes[i]), Bright, 1.0);
        s.Tone(0.36, 0.74, Note(16), Note(16), Soft, 0.5, 0.02);
        return s.Done(1.0);
    }
    case Sound::SweepRow: { // a semitone lower for each row up
        Sketch s(rate, 0.14);
        s.Tone(0, 0.14, Note(31 - variant), Note(31 - variant), Soft, 1.0);
        return s.Done(0.5);
    }
    case Sound::LevelUp: {
        Sketch s(rate, 0.65);
        const int notes[] = {19, 24, 28, 31};
        for (int i = 0; i < 4; ++i)
            s.Tone(0.09 * i, 0.38, Note(notes[i]), Note(notes[i]), Bell, 1.0);
        return s.Done(0.9);
    }
    case Sound::Pause:
    case Sound::Resume: {
        Sketch s(rate, 0.34);
        const double low = Note(12), high = Note(16);
        const bool falling = sound == Sound::Pause;
        s.Tone(0, 0.17, falling ? high : low, falling ? high : low, Sine, 1.0, 0.01);
        s.Tone(0.15, 0.19, falling ? low : high, falling ? low : high, Sine, 1.0, 0.01);
        return s.Done(0.5);
    }
    case Sound::GameOver: {
        Sketch s(rate, 1.4);
        const int notes[] = {7, 4, 0, -5};
        for (int i = 0; i < 4; ++i)
            s.Tone(0.25 * i, i == 3 ? 0.65 : 0.3, Note(notes[i]), Note(notes[i]), Soft, 1.0, 0.01);
        return s.Done(0.9);
    }
    case Sound::GameOverHighScore: {
        Sketch s(rate, 1.3);
        const int notes[] = {12, 16, 19, 24, 28};
        for (int i = 0; i < 5; ++i)
            s.Tone(0.14 * i, i == 4 ? 0.7 : 0.3, Note(notes[i]), Note(notes[i]), Bell, 1.0);
        return s.Done(1.0);
    }
    case Sound::NameKey:
    case Sound::NameBackspace: {
        const bool key = sound == Sound::NameKey;
        Sketch s(rate, 0.025);
        s.Noise(0, 0.025, key ? 7000 : 3500, key ? 2500 : 1200, 1.0);
        return s.Done(key ? 0.45 : 0.3);
    }
    }
    return std::vector<float>(2, 0.0f);
}

} // namespace

int SoundBank::Index(Sound sound, int detail) {
    int index = 0;
    for (int s = 0; s < static_cast<int>(sound); ++s)
        index += Variants(static_cast<Sound>(s));
    return index + std::clamp(detail, 0, Variants(sound) - 1);
}

SoundBank::SoundBank(int rate) {
    for (int s = 0; s < SoundCount; ++s)
        for (int variant = 0; variant < Variants(static_cast<Sound>(s)); ++variant)
            sounds.push_back(Make(static_cast<Sound>(s), variant, rate));
}

const std::vector<float>& SoundBank::Samples(Sound sound, int detail) const {
    return sounds[Index(sound, detail)];
}

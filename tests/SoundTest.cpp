// Every sound the game makes, and the mix of sounds that overlap.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "sound/Mixer.h"
#include "sound/Synth.h"

namespace {

float Peak(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

} // namespace

TEST(SoundTest, EverySoundIsHeardShortBelowItsPeakFromZeroToZeroAndUnlikeTheOthers) {
    const SoundBank bank;
    std::set<std::vector<float>> distinct;
    for (int i = 0; i < bank.Count(); ++i) {
        SCOPED_TRACE("sound " + std::to_string(i));
        const std::vector<float>& s = bank.At(i);
        EXPECT_GT(Peak(s), SoundPeak * 0.25f) << "too quiet to hear";
        EXPECT_LE(Peak(s), SoundPeak);
        EXPECT_LE(s.size(), MaxSoundSeconds * SoundRate);
        ASSERT_GE(s.size(), 2u);
        // Within a millisecond of either end it is close to zero, and the
        // ends are zero: nothing clicks.
        EXPECT_EQ(s.front(), 0.0f);
        EXPECT_EQ(s.back(), 0.0f);
        EXPECT_LT(std::max(std::fabs(s[1]), std::fabs(s[s.size() - 2])), SoundPeak * 0.05f);
        distinct.insert(s);
    }
    // The chain climbs: each step is a different note; the Switch shares the
    // setting's click, and only that.
    EXPECT_EQ(static_cast<int>(distinct.size()), bank.Count() - 1);
    EXPECT_EQ(&bank.Samples(Sound::Word, 99), &bank.Samples(Sound::Word, ChainSteps - 1));
    EXPECT_NE(bank.Samples(Sound::Word, 0), bank.Samples(Sound::Word, 1));
}

TEST(SoundTest, OverlappingSoundsNeverClipAndStopFadesOutEverySound) {
    const SoundBank bank;
    Mixer mixer;
    std::vector<float> mix(2 * SoundRate); // a second: every sound starts within it
    float peak = 0.0f;
    for (int block = 0; block < bank.Count(); ++block) {
        for (int again = 0; again < 3; ++again) // more at once than there are voices
            mixer.Play(bank.At(block));
        mixer.Mix(mix.data(), 400);
        peak = std::max(peak, Peak(std::vector<float>(mix.begin(), mix.begin() + 800)));
    }
    EXPECT_LE(peak, std::pow(10.0f, -3.0f / 20.0f)); // -3 dBFS
    EXPECT_GT(peak, SoundPeak);                      // they did overlap
    mixer.Stop();
    mixer.Mix(mix.data(), Mixer::FadeFrames);
    // Fading, each step small: no click; then silence.
    for (int i = 2; i < 2 * Mixer::FadeFrames; ++i)
        EXPECT_LT(std::fabs(mix[i] - mix[i - 2]), 0.1f) << i;
    EXPECT_TRUE(mixer.Quiet());
    mixer.Mix(mix.data(), 100);
    EXPECT_EQ(Peak(std::vector<float>(mix.begin(), mix.begin() + 200)), 0.0f);
}

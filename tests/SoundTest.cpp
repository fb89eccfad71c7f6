// Every sound the game makes, and the mix of sounds that overlap.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "sound/Mixer.h"
#include "sound/Synth.h"

static float Peak(const float* from, const float* to) {
    float peak = 0.0f;
    for (; from < to; ++from)
        peak = std::max(peak, std::fabs(*from));
    return peak;
}

TEST(SoundTest, EverySoundIsHeardShortBelowItsPeakFromZeroToZeroAndUnlikeTheOthers) {
    const SoundBank bank;
    std::set<std::vector<float>> distinct;
    for (int i = 0; i < bank.Count(); ++i) {
        const std::vector<float>& s = bank.At(i);
        ASSERT_GE(s.size(), 2u);
        const float peak = Peak(s.data(), s.data() + s.size());
        EXPECT_TRUE(peak > SoundPeak / 4 && peak <= SoundPeak) << i << ": " << peak;
        EXPECT_LE(s.size(), MaxSoundSeconds * SoundRate) << i;
        // Zero at both ends, and close to it a sample in: nothing clicks.
        EXPECT_EQ(std::fabs(s.front()) + std::fabs(s.back()), 0.0f) << i;
        EXPECT_LT(std::max(std::fabs(s[1]), std::fabs(s[s.size() - 2])), SoundPeak / 20) << i;
        distinct.insert(s);
    }
    // Each chain step and sweep row its own note; only F2's click is a setting's.
    EXPECT_EQ(static_cast<int>(distinct.size()), bank.Count() - 1);
    EXPECT_EQ(&bank.Samples(Sound::Word, 99), &bank.Samples(Sound::Word, ChainSteps - 1));
}

TEST(SoundTest, OverlappingSoundsNeverClipAndStopFadesEveryOneOut) {
    const SoundBank bank;
    Mixer mixer;
    std::vector<float> mix(2 * 400);
    float peak = 0.0f;
    for (int i = 0; i < bank.Count(); ++i) { // more at once than there are voices
        for (int again = 0; again < 3; ++again)
            mixer.Play(bank.At(i));
        mixer.Mix(mix.data(), 400);
        peak = std::max(peak, Peak(mix.data(), mix.data() + mix.size()));
    }
    EXPECT_TRUE(peak > SoundPeak && peak <= std::pow(10.0f, -3.0f / 20)) << peak; // -3 dBFS
    mixer.Stop();
    mixer.Mix(mix.data(), Mixer::FadeFrames);
    for (int i = 2; i < 2 * Mixer::FadeFrames; ++i) // small steps down: no click
        EXPECT_LT(std::fabs(mix[i] - mix[i - 2]), 0.1f) << i;
    mixer.Mix(mix.data(), 100);
    EXPECT_TRUE(mixer.Quiet() && Peak(mix.data(), mix.data() + 200) == 0.0f);
}

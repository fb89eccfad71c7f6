// The real game heard through OpenAL Soft's wave writer, which records the
// mix in real time, and the real game with no sound device at all.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

#include "tests/support/GameProcess.h"

namespace {

constexpr double Rate = 44100;
constexpr size_t FrameBytes = 8; // 32-bit float, stereo

// The left channel of a capture; "" in why when its header is not the
// writer's WAVE_FORMAT_EXTENSIBLE, 32-bit float stereo.
std::vector<float> ReadCapture(const std::string& bytes, std::string& why) {
    const auto u16 = [&](size_t at) { return (bytes[at] & 0xff) | (bytes[at + 1] & 0xff) << 8; };
    std::vector<float> left;
    if (bytes.size() < 68 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 8, "WAVEfmt "))
        return why = "not a RIFF WAVE file", left;
    if (u16(20) != 0xfffe || u16(22) != 2 || u16(34) != 32 || u16(44) != 3)
        return why = "not extensible 32-bit float stereo", left;
    const size_t data = 20 + u16(16); // the chunk after "fmt "
    if (bytes.compare(data, 4, "data"))
        return why = "no data chunk", left;
    for (size_t at = data + 8; at + FrameBytes <= bytes.size(); at += FrameBytes) {
        float sample;
        std::memcpy(&sample, &bytes[at], 4);
        left.push_back(sample);
    }
    return left;
}

// Seconds into the capture where a loud sound begins out of near silence:
// a 5 ms stretch above 0.1, most of a sound's peak, shortly after 40 ms below
// 0.02. Ticks and clicks are too soft; the notes inside a sound don't count.
std::vector<double> Onsets(const std::vector<float>& samples) {
    const size_t window = 220;
    std::vector<float> peaks;
    for (size_t at = 0; at + window <= samples.size(); at += window) {
        float peak = 0;
        for (size_t i = at; i < at + window; ++i)
            peak = std::max(peak, std::fabs(samples[i]));
        peaks.push_back(peak);
    }
    std::vector<double> onsets;
    for (size_t i = 10; i < peaks.size(); ++i)
        if ((onsets.empty() || i * window / Rate > onsets.back() + 0.1) && peaks[i] > 0.1f &&
            *std::max_element(&peaks[i - 10], &peaks[i - 2]) < 0.02f)
            onsets.push_back(i * window / Rate);
    return onsets;
}

// How far the writer has got, in seconds.
double Written(const std::string& file) {
    struct stat s {};
    return stat(file.c_str(), &s) == 0 && s.st_size > 68 ? (s.st_size - 68) / FrameBytes / Rate : 0;
}

} // namespace

TEST(SoundOutputTest, EachLandingAndTheWordAreHeardAndF2SilencesAtOnce) {
    TempDir base;
    const std::string run = MakeRunFolder(base), calls = base.File("rand"),
                      capture = base.File("capture.wav");
    const std::string config =
        base.Write("alsoft.conf", "[general]\ndrivers = wave\n[wave]\nfile = " + capture + "\n");
    // rand in the order drawn: the target word at start, C for block 1, the
    // target of the game; then each spawn the next letter and the bonus draw
    // (1: no bonus): A, T, X. Bag indexes: A 0, C 11, T 80, X 94.
    GameProcess game(run, {"-w", "640", "-h", "480"},
                     {"GLYPHTUMBLE_RAND=1,1,11,1,1,0,1,80,1,94,1,94,1",
                      "GLYPHTUMBLE_RAND_LOG=" + calls, "ALSOFT_CONF=" + config});
    const auto Spawned = [&](size_t spawn) { // where the capture was when block spawn came
        EXPECT_TRUE(WaitFor(60, [&] { return TempDir::Read(calls).size() >= 5 + 2 * spawn; }))
            << "block " << spawn << " never came";
        return Written(capture);
    };
    ASSERT_NE(game.Window(20), "") << game.Err();
    ASSERT_TRUE(WaitFor(20, [&] { return Written(capture) > 0.5; })) << "nothing was written";
    game.Keys("Return");
    Xdo("keydown --window " + game.Window() + " Down"); // every block drops fast
    const double first = Spawned(1);
    game.Keys("Left");
    const double second = Spawned(2), third = Spawned(3);
    game.Keys("Right"); // C, A, T across the water: CAT
    const double fourth = Spawned(4);
    game.Keys("F2");
    const double off = Written(capture);
    Xdo("keyup --window " + game.Window() + " Down");
    Pause(1.5);                        // block 5 lands unheard
    game.Keys("Escape Escape x", 0.5); // game over, the Hall of Fame, the menu: unheard
    game.Keys("Escape");
    EXPECT_EQ(game.Wait(10), 0);
    EXPECT_EQ(game.Err(), "");

    std::string why;
    const std::vector<float> left = ReadCapture(TempDir::Read(capture), why);
    ASSERT_EQ(why, "");
    // Between the spawns the landing of C, of A, of T, and the word half a
    // second after the last landing. Frames may be slow on a busy machine,
    // so the spawns only bound where each is heard.
    const std::vector<double> onsets = Onsets(left);
    std::string heard;
    double landed = -1;
    for (double at : onsets) {
        if (at <= first || at > off)
            continue;
        const char* name = at < second ? " C" : at < third ? " A" : landed < 0 ? " T" : " CAT";
        if (landed < 0 && at > third)
            landed = at;
        else if (at > third && (at < landed + 0.35 || at > fourth + 0.05))
            name = " out of time";
        heard += name;
    }
    EXPECT_EQ(heard, " C A T CAT") << ::testing::PrintToString(onsets);
    float after = 0;
    for (size_t i = static_cast<size_t>((off + 0.08) * Rate); i < left.size(); ++i)
        after = std::max(after, std::fabs(left[i]));
    EXPECT_EQ(after, 0.0f) << "heard after F2";
    EXPECT_GT(left.size(), (off + 1.5) * Rate) << "the capture ended early";
}

TEST(SoundOutputTest, WithoutASoundDeviceTheGamePlaysAndSaysNothing) {
    // These machines have no sound card: ALSA and OpenAL Soft find none.
    TempDir base;
    GameProcess game(MakeRunFolder(base), {"-w", "320", "-h", "240"});
    ASSERT_NE(game.Window(20), "") << game.Err();
    game.Keys("Return Left Right Tab Tab F2 F2 Escape Escape x Escape");
    EXPECT_EQ(game.Wait(10), 0);
    EXPECT_EQ(game.Err(), "");
}

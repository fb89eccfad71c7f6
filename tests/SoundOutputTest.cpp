// The real game heard through OpenAL Soft's wave writer, which records the
// mix in real time as WAVE_FORMAT_EXTENSIBLE, 32-bit float stereo. (With no
// sound device at all, EndToEndTest's game must print nothing.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tests/support/GameProcess.h"

namespace {

constexpr double Rate = 44100;
constexpr size_t Header = 68, FrameBytes = 8; // RIFF, "fmt " of 40 bytes, "data"

// How loud the capture's left channel is at each sample, nothing when its
// header isn't the writer's.
std::vector<float> Loudness(const std::string& b) {
    const auto u16 = [&](size_t at) { return (b[at] & 0xff) | (b[at + 1] & 0xff) << 8; };
    std::vector<float> left;
    if (b.size() < Header || b.compare(0, 4, "RIFF") || b.compare(8, 8, "WAVEfmt ") ||
        u16(16) != 40 || u16(20) != 0xfffe || u16(22) != 2 || u16(34) != 32 || u16(44) != 3 ||
        b.compare(60, 4, "data")) // extensible; stereo; 32 bits; IEEE float
        return left;
    for (size_t at = Header; at + FrameBytes <= b.size(); at += FrameBytes)
        std::memcpy(&left.emplace_back(), &b[at], 4), left.back() = std::fabs(left.back());
    return left;
}

// Seconds into the capture where a loud sound begins out of near silence: a
// 5 ms stretch above 0.1 (most of a sound's peak) just after 40 ms below
// 0.02. Ticks and clicks are too soft; the notes inside a sound don't count.
std::vector<double> Onsets(const std::vector<float>& loudness) {
    const size_t window = 220;
    std::vector<float> peaks;
    for (size_t at = 0; at + window <= loudness.size(); at += window)
        peaks.push_back(*std::max_element(&loudness[at], &loudness[at] + window));
    std::vector<double> onsets;
    for (size_t i = 10; i < peaks.size(); ++i)
        if ((onsets.empty() || i * window / Rate > onsets.back() + 0.1) && peaks[i] > 0.1f &&
            *std::max_element(&peaks[i - 10], &peaks[i - 2]) < 0.02f)
            onsets.push_back(i * window / Rate);
    return onsets;
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
    const auto Written = [&] { // seconds the writer has got to
        return std::max(0.0, (TempDir::Read(capture).size() - 68.0) / FrameBytes / Rate);
    };
    const auto Spawned = [&](size_t spawn) { // where the capture was when block spawn came
        EXPECT_TRUE(WaitFor(60, [&] { return TempDir::Read(calls).size() >= 5 + 2 * spawn; }))
            << "block " << spawn << " never came";
        return Written();
    };
    ASSERT_NE(game.Window(20), "") << game.Err();
    ASSERT_TRUE(WaitFor(20, [&] { return Written() > 0.5; })) << "nothing was written";
    game.Keys("Return");
    Xdo("keydown --window " + game.Window() + " Down"); // every block drops fast
    const double first = Spawned(1);
    game.Keys("Left");
    const double second = Spawned(2), third = Spawned(3);
    game.Keys("Right"); // C, A, T across the water: CAT
    const double fourth = Spawned(4);
    game.Keys("F2");
    const double off = Written();
    Xdo("keyup --window " + game.Window() + " Down");
    Pause(1.5);                        // block 5 lands unheard
    game.Keys("Escape Escape x", 0.5); // game over, the Hall of Fame, the menu: unheard
    game.Keys("Escape");
    EXPECT_EQ(game.Wait(10), 0);
    EXPECT_EQ(game.Err(), "");

    const std::vector<float> left = Loudness(TempDir::Read(capture));
    ASSERT_GT(left.size(), (off + 1.5) * Rate) << "not the writer's format, or ended early";
    // Between the spawns the landings of C, of A and of T, and the word half
    // a second after the last landing. Frames may be slow on a busy machine,
    // so the spawns only bound where each is heard.
    std::string heard;
    double landed = -1;
    for (double at : Onsets(left)) {
        if (at <= first || at > off)
            continue;
        const bool late = landed >= 0 && (at < landed + 0.35 || at > fourth + 0.05);
        heard += at < second ? " C" : at < third ? " A" : landed < 0 ? " T" : late ? " ?" : " CAT";
        if (landed < 0 && at > third)
            landed = at;
    }
    EXPECT_EQ(heard, " C A T CAT");
    const float after =
        *std::max_element(left.begin() + static_cast<long>((off + 0.08) * Rate), left.end());
    EXPECT_EQ(after, 0.0f) << "heard after F2";
}

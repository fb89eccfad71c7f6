// Sound on Windows through WinMM's waveOut, which every Windows has: the
// mixer's stereo stream in a few short blocks, written by a thread of its own
// as each one is played. No device, or one that fails to open: silence.

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

#include "sound/Mixer.h"
#include "sound/SoundPlayer.h"

namespace {

constexpr int BlockFrames = 512; // about 12 ms a block
constexpr int Blocks = 4;

} // namespace

struct SoundPlayer::Output {
    std::unique_ptr<SoundBank> bank;
    Mixer mixer;
    HWAVEOUT device = nullptr;
    HANDLE played = nullptr; // signalled as each block is done
    WAVEHDR headers[Blocks] = {};
    short blocks[Blocks][2 * BlockFrames] = {};
    std::atomic<bool> running{true};
    std::atomic<bool> ready{false};
    std::thread feeder;
    static Output* live;

    void Fill(WAVEHDR& header, short* pcm) {
        float mixed[2 * BlockFrames];
        mixer.Mix(mixed, BlockFrames);
        for (int i = 0; i < 2 * BlockFrames; ++i)
            pcm[i] = static_cast<short>(mixed[i] * 32767.0f);
        waveOutWrite(device, &header, sizeof header);
    }

    bool Start() {
        bank = std::make_unique<SoundBank>();
        played = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        WAVEFORMATEX format = {};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 2;
        format.nSamplesPerSec = SoundRate;
        format.wBitsPerSample = 16;
        format.nBlockAlign = 4;
        format.nAvgBytesPerSec = SoundRate * 4;
        if (played == nullptr ||
            waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(played), 0,
                        CALLBACK_EVENT) != MMSYSERR_NOERROR) {
            device = nullptr;
            return false;
        }
        for (int i = 0; i < Blocks; ++i) {
            headers[i].lpData = reinterpret_cast<LPSTR>(blocks[i]);
            headers[i].dwBufferLength = sizeof blocks[i];
            waveOutPrepareHeader(device, &headers[i], sizeof headers[i]);
            Fill(headers[i], blocks[i]);
        }
        return true;
    }

    void Feed() {
        if (!Start())
            return;
        ready = true;
        while (running) {
            WaitForSingleObject(played, 20);
            for (int i = 0; i < Blocks; ++i)
                if (headers[i].dwFlags & WHDR_DONE)
                    Fill(headers[i], blocks[i]);
        }
    }

    void StopFeeding() {
        running = false;
        if (feeder.joinable())
            feeder.join();
    }

    ~Output() {
        live = nullptr;
        StopFeeding();
        if (device != nullptr) {
            waveOutReset(device);
            for (WAVEHDR& header : headers)
                waveOutUnprepareHeader(device, &header, sizeof header);
            waveOutClose(device);
        }
        if (played != nullptr)
            CloseHandle(played);
    }
};

SoundPlayer::Output* SoundPlayer::Output::live = nullptr;

SoundPlayer::SoundPlayer() : output(std::make_unique<Output>()) {
    output->feeder = std::thread([this] { output->Feed(); });
    // The game ends with exit(), which runs no destructor of main's locals.
    static bool registered = false;
    Output::live = output.get();
    if (!registered)
        registered = std::atexit([] {
            if (Output::live != nullptr)
                Output::live->StopFeeding();
        }) == 0;
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::Open() const { return output->ready; }

void SoundPlayer::SetOn(bool switchedOn) {
    on = switchedOn;
    if (!on)
        output->mixer.Stop();
}

void SoundPlayer::Play(Sound sound, int detail) {
    output->mixer.Play(output->bank->Samples(sound, detail));
}

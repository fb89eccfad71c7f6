// Sound through OpenAL (OpenAL Soft on Linux): the mixer's stereo stream is
// queued on one source by a thread of its own, so a slow frame of the game
// never starves it. No device, or one that fails to open: silence.

#include <AL/al.h>
#include <AL/alc.h>
#include <dlfcn.h>
#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "sound/Mixer.h"
#include "sound/SoundPlayer.h"

namespace {

// About 6 ms a buffer, 23 ms queued: a sound starts within 50 ms of its
// event, and the feeder may be kept from running for that long on a busy
// machine before the stream runs dry and a sound breaks up.
constexpr int BlockFrames = 256;
constexpr int Buffers = 4;

// The game's messages are exact: neither OpenAL Soft nor the ALSA library it
// loads may add lines to standard error, even when there is no sound card.
void SilentAlsa(const char*, int, const char*, int, const char*, ...) {}

void QuietLibraries() {
    setenv("ALSOFT_LOGLEVEL", "0", 0); // a player's own setting wins
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL))
        if (auto set = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(SilentAlsa); // the library stays loaded, with the handler, for OpenAL Soft
}

} // namespace

struct SoundPlayer::Output {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint source = 0;
    ALuint buffers[Buffers] = {};
    std::unique_ptr<SoundBank> bank;
    Mixer mixer;
    std::atomic<bool> running{true};
    std::atomic<bool> ready{false};
    std::thread feeder;

    void Fill(ALuint buffer) {
        float mixed[2 * BlockFrames];
        short pcm[2 * BlockFrames];
        mixer.Mix(mixed, BlockFrames);
        for (int i = 0; i < 2 * BlockFrames; ++i)
            pcm[i] = static_cast<short>(mixed[i] * 32767.0f);
        alBufferData(buffer, AL_FORMAT_STEREO16, pcm, sizeof pcm, SoundRate);
        alSourceQueueBuffers(source, 1, &buffer);
    }

    void Feed() {
        // Ahead of the game's own work where the system allows it (as root,
        // or with a real-time limit); otherwise at the game's own priority.
        sched_param priority = {};
        priority.sched_priority = sched_get_priority_min(SCHED_RR);
        pthread_setschedparam(pthread_self(), SCHED_RR, &priority);
        if (!Start())
            return;
        ready = true;
        while (running) {
            ALint done = 0, playing = 0;
            alGetSourcei(source, AL_BUFFERS_PROCESSED, &done);
            for (; done > 0; --done) {
                ALuint buffer = 0;
                alSourceUnqueueBuffers(source, 1, &buffer);
                Fill(buffer);
            }
            alGetSourcei(source, AL_SOURCE_STATE, &playing);
            if (playing != AL_PLAYING) // starved, or just started
                alSourcePlay(source);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    bool Start() {
        bank = std::make_unique<SoundBank>();
        device = alcOpenDevice(nullptr);
        if (device == nullptr)
            return false;
        // A short device period keeps a sound within 50 ms of its event.
        const ALCint attributes[] = {ALC_FREQUENCY, SoundRate, ALC_REFRESH, 100, 0};
        context = alcCreateContext(device, attributes);
        if (context == nullptr || !alcMakeContextCurrent(context))
            return false;
        alGenSources(1, &source);
        alGenBuffers(Buffers, buffers);
        if (alGetError() != AL_NO_ERROR)
            return false;
        for (ALuint buffer : buffers)
            Fill(buffer);
        alSourcePlay(source);
        return true;
    }

    void Begin() {
        QuietLibraries(); // before the thread: setenv is not for two threads at once
        feeder = std::thread([this] { Feed(); });
        // The game ends with exit(), which runs no destructor of main's locals:
        // the feeder must stop before OpenAL Soft is torn down.
        static bool registered = false;
        live = this;
        if (!registered)
            registered = std::atexit([] {
                             if (live != nullptr)
                                 live->StopFeeding();
                         }) == 0;
    }

    void StopFeeding() {
        running = false;
        if (feeder.joinable())
            feeder.join();
    }

    static Output* live;

    ~Output() {
        live = nullptr;
        StopFeeding();
        if (context != nullptr) {
            alDeleteSources(1, &source);
            alDeleteBuffers(Buffers, buffers);
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device != nullptr)
            alcCloseDevice(device);
    }
};

SoundPlayer::Output* SoundPlayer::Output::live = nullptr;

SoundPlayer::SoundPlayer() : output(std::make_unique<Output>()) {
    output->Begin();
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::Open() const {
    return output->ready;
}

void SoundPlayer::SetOn(bool switchedOn) {
    on = switchedOn;
    if (!on)
        output->mixer.Stop();
}

void SoundPlayer::Play(Sound sound, int detail) {
    output->mixer.Play(output->bank->Samples(sound, detail));
}

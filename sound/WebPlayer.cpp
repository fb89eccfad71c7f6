// Sound in the page, through Emscripten's OpenAL over Web Audio: each sound
// is a buffer made at start, played on one of MaxVoices sources, so the
// browser mixes them off the frame loop and never more than MaxVoices at once.
// The page (web/sound.js) resumes audio on the player's gestures, pauses it
// while hidden, and offers a button that does what F2 does; the choice is
// kept in the page's storage.

#include <AL/al.h>
#include <AL/alc.h>
#include <emscripten.h>

#include <memory>
#include <vector>

#include "sound/SoundPlayer.h"

namespace {
SoundPlayer* current = nullptr; // the one player, for the page's calls
} // namespace

struct SoundPlayer::Output {
    std::unique_ptr<SoundBank> bank;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::vector<ALuint> buffers;
    ALuint sources[MaxVoices] = {};
    unsigned started[MaxVoices] = {};
    unsigned serial = 0;
    bool ready = false;
    using DeviceCall = void (*)(ALCdevice*);
    DeviceCall pause = nullptr, resume = nullptr; // ALC_SOFT_pause_device

    void Start() {
        bank = std::make_unique<SoundBank>();
        device = alcOpenDevice(nullptr);
        // Emscripten's OpenAL takes no attributes but frequency, source counts and HRTF.
        context = device ? alcCreateContext(device, nullptr) : nullptr;
        if (context == nullptr || !alcMakeContextCurrent(context))
            return;
        buffers.resize(bank->Count());
        alGenBuffers(bank->Count(), buffers.data());
        for (int i = 0; i < bank->Count(); ++i) {
            const std::vector<float>& s = bank->At(i);
            alBufferData(buffers[i], 0x10010 /* AL_FORMAT_MONO_FLOAT32 */, s.data(),
                         static_cast<ALsizei>(s.size() * sizeof(float)), SoundRate);
        }
        alGenSources(MaxVoices, sources);
        pause = reinterpret_cast<DeviceCall>(alcGetProcAddress(device, "alcDevicePauseSOFT"));
        resume = reinterpret_cast<DeviceCall>(alcGetProcAddress(device, "alcDeviceResumeSOFT"));
        ready = alGetError() == AL_NO_ERROR && pause && resume;
    }

    void Play(int index) {
        // A free source, else the one that started longest ago.
        int chosen = 0;
        for (int i = 0; i < MaxVoices; ++i) {
            ALint state = 0;
            alGetSourcei(sources[i], AL_SOURCE_STATE, &state);
            if (state != AL_PLAYING) {
                chosen = i;
                break;
            }
            if (started[i] < started[chosen])
                chosen = i;
        }
        alSourceStop(sources[chosen]);
        alSourcei(sources[chosen], AL_BUFFER, static_cast<ALint>(buffers[index]));
        alSourcePlay(sources[chosen]);
        started[chosen] = ++serial;
    }

    void StopAll() {
        for (ALuint source : sources)
            alSourceStop(source);
    }
};

SoundPlayer::SoundPlayer() : output(std::make_unique<Output>()) {
    // The page has no threads to make the sounds on: they are made just after
    // the first frames instead, so the game shows at once; until then it is
    // silent.
    emscripten_async_call([](void* made) { static_cast<Output*>(made)->Start(); }, output.get(), 0);
    current = this;
    on = EM_ASM_INT({
        try {
            return localStorage.getItem('glyphtumble-sound') != 'off';
        } catch (e) {
            return 1; // no storage: sound on, as on the desktop
        }
    });
}

SoundPlayer::~SoundPlayer() {
    current = nullptr;
    if (output->context != nullptr) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(output->context);
    }
    if (output->device != nullptr)
        alcCloseDevice(output->device);
}

bool SoundPlayer::Open() const { return output->ready; }

void SoundPlayer::SetOn(bool switchedOn) {
    on = switchedOn;
    if (!on && output->ready)
        output->StopAll();
    EM_ASM({
        try {
            localStorage.setItem('glyphtumble-sound', $0 ? 'on' : 'off');
        } catch (e) {
        }
        if (Module.onSoundSwitch)
            Module.onSoundSwitch($0);
    }, on);
}

void SoundPlayer::Play(Sound sound, int detail) {
    output->Play(SoundBank::Index(sound, detail));
}

extern "C" {

// Sound off or on, as F2 does; 1 when it is now on, -1 before the game runs.
EMSCRIPTEN_KEEPALIVE int glyphtumble_sound_switch() {
    if (current == nullptr)
        return -1;
    current->Announce(Sound::Switch, 0);
    return current->On();
}

EMSCRIPTEN_KEEPALIVE int glyphtumble_sound_on() { return current ? current->On() : -1; }

EMSCRIPTEN_KEEPALIVE void glyphtumble_sound_resume() {
    if (current != nullptr)
        current->Resume();
}

EMSCRIPTEN_KEEPALIVE void glyphtumble_sound_pause() {
    if (current != nullptr)
        current->Suspend();
}

} // extern "C"

// From a gesture: a browser starts audio only then. Emscripten resumes only a
// device it paused itself, so a device the browser holds suspended is paused
// first.
void SoundPlayer::Resume() {
    if (!output->ready)
        return;
    if (EM_ASM_INT({ return AL.currentCtx && AL.currentCtx.audioCtx.state == 'running' ? 1 : 0; }))
        return;
    output->pause(output->device);
    output->resume(output->device);
}

// A hidden page is silent until it is shown again.
void SoundPlayer::Suspend() {
    if (output->ready)
        output->pause(output->device);
}

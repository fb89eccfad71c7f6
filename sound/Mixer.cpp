#include "sound/Mixer.h"

#include <algorithm>
#include <cmath>

#include "sound/Synth.h"

void Mixer::Play(const std::vector<float>& sound) {
    std::lock_guard<std::mutex> hold(lock);
    Voice* oldest = &voices[0];
    for (Voice& voice : voices) {
        if (voice.sound == nullptr) {
            voice = Voice{&sound, 0, 0, nullptr, ++serial};
            return;
        }
        if (voice.started < oldest->started)
            oldest = &voice;
    }
    oldest->next = &sound;
    if (oldest->fade == 0)
        oldest->fade = FadeFrames;
    oldest->started = ++serial;
}

void Mixer::Stop() {
    std::lock_guard<std::mutex> hold(lock);
    for (Voice& voice : voices) {
        voice.next = nullptr;
        if (voice.sound != nullptr && voice.fade == 0)
            voice.fade = FadeFrames;
    }
}

bool Mixer::Quiet() {
    std::lock_guard<std::mutex> hold(lock);
    return std::all_of(std::begin(voices), std::end(voices),
                       [](const Voice& v) { return v.sound == nullptr; });
}

void Mixer::Mix(float* stereo, int frames) {
    std::fill(stereo, stereo + 2 * frames, 0.0f);
    std::lock_guard<std::mutex> hold(lock);
    for (Voice& voice : voices) {
        for (int i = 0; i < frames && voice.sound != nullptr; ++i) {
            float sample = (*voice.sound)[voice.position++];
            const bool fading = voice.fade > 0;
            if (fading)
                sample *= static_cast<float>(voice.fade--) / FadeFrames;
            stereo[2 * i] += sample;
            stereo[2 * i + 1] += sample;
            if ((fading && voice.fade == 0) || voice.position >= voice.sound->size()) {
                // Ended or faded out: the sound waiting for this voice starts.
                voice.sound = voice.next;
                voice.next = nullptr;
                voice.position = 0;
                voice.fade = 0;
            }
        }
    }
    // Each sound peaks at SoundPeak, so the sum stays below the ceiling; the
    // clamp only guards that promise.
    for (int i = 0; i < 2 * frames; ++i)
        stereo[i] = std::clamp(stereo[i], -MixCeiling, MixCeiling);
}

#include "sound/SoundPlayer.h"

// F2's switch is heard only when it turns sound back on; until the sounds
// are made and an output plays them, and without a device, all is silent.
void SoundPlayer::Announce(Sound sound, int detail) {
    if (sound == Sound::Switch) {
        SetOn(!on);
        if (!on)
            return;
    }
    if (on && Open())
        Play(sound, detail);
}

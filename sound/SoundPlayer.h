#pragma once

// The game's sounds played on this platform's output: the rules announce, the
// player makes it heard. Without a sound device it stays silent and says
// nothing; F2 (the Switch event) or the page's button turns it off and on.

#include <memory>

#include "game/SoundEvents.h"
#include "sound/Synth.h"

class SoundPlayer : public SoundEvents {
  public:
    // Makes the sounds and opens the output, on a thread of its own where
    // there are threads, so the game's first frame does not wait for them.
    SoundPlayer();
    ~SoundPlayer(); // closes it
    void Announce(Sound sound, int detail) override;
    bool On() const { return on; }
    void SetOn(bool on); // off silences what plays at once
    bool Open() const;   // the sounds are made and an output plays them
    // The page's: audio resumed from a gesture, suspended while it is hidden.
    void Resume();
    void Suspend();

    struct Output; // the platform's own

  private:
    // The platform's own: makes one sound heard, while on and open.
    void Play(Sound sound, int detail);

    bool on = true;
    std::unique_ptr<Output> output;
};

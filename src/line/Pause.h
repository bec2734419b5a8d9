// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace linvox {

// Lets time pass while the window keeps handling its events.
class Pause {
public:
    virtual ~Pause() = default;

    // Returns when the wall clock, read at one-second resolution, has moved on by at least
    // seconds from its reading at the call: between just over seconds - 1 and seconds.
    virtual void LetSecondsPass(int seconds) = 0;
};

}  // namespace linvox

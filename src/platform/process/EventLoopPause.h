// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/Pause.h"

namespace linvox {

// Waits in the event loop, asleep until the wall clock reaches the second it waits for rather than
// polling, so the window stays responsive and the CPU idle; ends at once when the program is
// ending.
class EventLoopPause : public Pause {
public:
    void LetSecondsPass(int seconds) override;
};

}  // namespace linvox

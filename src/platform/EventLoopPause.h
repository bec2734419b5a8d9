// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/Pause.h"

namespace linvox {

// Waits in the event loop, asleep between the wall clock's second boundaries rather than
// polling, so the window stays responsive and the CPU idle.
class EventLoopPause : public Pause {
public:
    void LetSecondsPass(int seconds) override;
};

}  // namespace linvox

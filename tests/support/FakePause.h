// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/Pause.h"

#include <functional>

#include <QList>

namespace linvox::testing {

// Returns at once, remembering how long it was asked to wait; duringPause runs inside the wait,
// where the real pause would let the window's events run.
class FakePause : public Pause {
public:
    void LetSecondsPass(int seconds) override {
        requests.append(seconds);
        if (duringPause) {
            duringPause();
        }
    }

    QList<int> requests;
    std::function<void()> duringPause;
};

}  // namespace linvox::testing

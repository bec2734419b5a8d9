// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/Dialer.h"

namespace linvox {

// How the process ends, for the programs that start Linvox with a link.
enum ExitStatus : int {
    kExitDialed = 0,         // the dial command was sent
    kExitWindowClosed = 0,   // the user closed the window
    kExitDialFailed = 1,     // the line or the settings failed on both attempts, or the program
                             // was asked to end before the dial went out
    kExitNumberRefused = 2,  // the number's form was refused
    kExitNoDisplay = 3,      // started without a link and without a display to show the window
};

inline ExitStatus ExitStatusOf(DialResult dialResult) {
    switch (dialResult) {
        case DialResult::Sent:
            return kExitDialed;
        case DialResult::Failed:
        case DialResult::Interrupted:
            return kExitDialFailed;
        case DialResult::Refused:
            break;
    }
    return kExitNumberRefused;
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/TerminationSignals.h"

namespace linvox {

// Windows keeps no lock file and no flag on a port: it lets the port go with the program.
void CatchTerminationSignals() {}

bool TerminationRequested() {
    return false;
}

void QuitOnTerminationSignals() {}

}  // namespace linvox

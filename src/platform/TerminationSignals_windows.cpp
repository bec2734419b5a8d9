// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TerminationSignals.h"

namespace linvox {

// Windows keeps no lock file and no flag on a port: it lets the port go with the program.
void QuitOnTerminationSignals() {}

}  // namespace linvox

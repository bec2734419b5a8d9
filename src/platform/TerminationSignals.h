// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace linvox {

// Has SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, kill) end the program as its user
// would, rather than at once: the windows close as if the user closed them, and the waits under
// way (a call's, a probe's, a message box's) end. So the serial port is let go, its exclusive-open
// flag cleared and its lock file removed, and the program ends with its usual status. A signal
// that was ignored when the program started (as under nohup) stays ignored. Call with the
// application object made, and again for one that replaces it; a second call for the same one
// does nothing. On Windows, which lets a port go with the program that held it, it does nothing.
void QuitOnTerminationSignals();

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace linvox {

// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, kill, Ctrl-C) end the program as its
// user would, rather than at once: the serial port is let go, its exclusive-open flag cleared and
// its lock file removed, nothing is left half saved, and the program ends with its usual status.
// A signal that was ignored when the program started (as under nohup) stays ignored. On Windows,
// which lets a port go with the program that held it, none of this is needed, and nothing is done.

// Catches the signals from now on. Call first thing in main: one that comes before must not let
// a dial go out. A second one, while the program still winds up after the first, ends it at once,
// as if Linvox did not catch them: the user insists.
void CatchTerminationSignals();

// Whether one of the signals has come. The operations that would reach a device or wait on
// another program (opening a port, writing to it, waiting for the settings' lock) look at it and
// refuse or stop with Interrupted.
bool TerminationRequested();

// Has a caught signal end the running application: its windows close as if the user closed
// them, and the waits under way (a call's, a probe's, a message box's) end. Call with the
// application object made, and again for one that replaces it; a second call for the same one
// does nothing.
void QuitOnTerminationSignals();

}  // namespace linvox

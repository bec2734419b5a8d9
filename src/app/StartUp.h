// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace linvox {

// The program: with a link or number on the command line it dials and ends without showing a
// window; without one it shows the window until the user closes it. Returns the exit status.
int RunLinvox(int argc, char* argv[]);

}  // namespace linvox

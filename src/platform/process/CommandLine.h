// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// The call request: everything on the command line after the program's own path, as one text,
// neither split, unquoted nor decoded. Empty for a bare start. On Linux the arguments joined by
// single blanks; on Windows the raw command line after the path and the blanks that follow it.
QString CommandLineArgumentText(int argc, char* argv[]);

}  // namespace linvox

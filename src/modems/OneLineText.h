// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// What a device or the system said, made fit to be shown as one line of the window: every control
// character (C0 such as form feed and ESC, DEL, C1 such as NEL) and the line and paragraph
// separators U+2028 and U+2029 become U+FFFD, the replacement character. A device could otherwise
// start a line of its own in the results, or drive a terminal. The answer's cleaning removes
// some of them before; what it leaves, and names that were never cleaned, end here.
QString OneLineText(const QString& text);

}  // namespace linvox

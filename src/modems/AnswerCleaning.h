// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace linvox {

// The bare answer in what a device sent back to command, in this order: every "OK" removed
// (inside words too), then every CR, LF, tab, vertical tab, backspace and NUL, then the echo of
// command, then the blanks at both ends. An "OK" that only forms once control characters are gone
// ("O", LF, "K") stays. The bytes are read as UTF-8.
QString CleanAnswer(const QByteArray& received, const QString& command);

}  // namespace linvox

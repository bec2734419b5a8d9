// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace linvox {

// Whether what a device sent holds unsolicited result codes (IsUnsolicitedCode) and nothing else
// but line breaks and blanks: a device that said nothing in answer. The bytes are read as UTF-8.
bool HoldsOnlyUnsolicitedCodes(const QByteArray& received);

// The bare answer in what a device sent back to command. First, line by line (a line ends at a CR
// or an LF), the unsolicited result codes go, and a line that names the command before the model
// ("+GMM: X", "+CGMM: \"X\"") is reduced to the model, without the double quotes that enclose it,
// or to the model that a list of quoted texts names as "MODEL=X".
// Then, in this order: every "OK" removed (inside words too), then every CR, LF, tab, vertical tab,
// backspace and NUL, then the echo of command, then the blanks at both ends. An "OK" that only
// forms once control characters are gone ("O", LF, "K") stays. The bytes are read as UTF-8.
QString CleanAnswer(const QByteArray& received, const QString& command);

}  // namespace linvox

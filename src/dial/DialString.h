// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// "ATD" + number + ";": the modem command that dials a voice call.
QString MakeDialString(const QString& number);

// Whether the number inside a dial string is an optional leading "+" and ASCII digits only.
// Anything else would reach the phone as commands of its own: "ATD0501;+CFUN=0;" dials and then
// switches the radio off, and a CR or backspace can append or rewrite commands.
bool HoldsPlainNumber(const QString& dialString);

// The number inside a dial string: without "ATD" and ";".
QString NumberOf(const QString& dialString);

}  // namespace linvox

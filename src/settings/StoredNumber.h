// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QStringView>
#include <QtGlobal>

namespace linvox {

// The number that a text begins with. Blanks, tabs and line feeds are skipped anywhere in the
// text; then come an optional sign, digits, an optional point and fraction digits and an optional
// exponent ("E" or "D"), or "&H" / "&O" and hexadecimal / octal digits. Reading stops at the first
// character that cannot continue the number; a text that does not begin with one gives 0.
// Hexadecimal and octal literals of up to 16 bits are signed 16-bit values (&HFFFF is -1), up to
// 32 bits signed 32-bit values, as stored settings of earlier tools of this kind were read.
double ReadLeadingNumber(QStringView text);

// The nearest 16-bit signed integer, a value exactly halfway going to the even neighbour;
// nothing when the value lies outside -32768..32767 (an overflow).
std::optional<qint16> RoundToInteger16(double value);

// ReadLeadingNumber followed by RoundToInteger16.
std::optional<qint16> ReadInteger16(QStringView text);

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace linvox {

// The lenient test whether a whole text reads as a number: blanks around it, one leading sign,
// ASCII digits with at most one decimal point or comma, and an exponent may appear. Only ASCII
// digits count as digits: other scripts' digits would reach a phone as "?".
bool ReadsAsNumber(QStringView text);

}  // namespace linvox

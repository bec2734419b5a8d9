// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

#include <optional>

#include <QString>

namespace linvox {

// Cleans a number typed in the window: removes "-", ")", "(", "+", ".", "," and blanks, then
// refuses a result shorter than 10 characters ("Недостаточное количество цифр!") or one that does
// not read as a number ("Телефон содержит буквы!" and the text as typed). Returns the cleaned
// text, or nothing (the routine's "error") once the user has been told why.
std::optional<QString> NormalizeNumber(const QString& typed, MessageSink& messages);

}  // namespace linvox

#pragma once

#include "messages/MessageSink.h"

#include <QString>

namespace linvox {

// What NormalizeNumber returns when the typed text is no phone number.
inline const QString kNotANumber = QStringLiteral("error");

// Cleans a number typed in the window: removes "-", ")", "(", "+", ".", "," and blanks, then
// refuses a result shorter than 10 characters ("Недостаточное количество цифр!") or one that does
// not read as a number ("Телефон содержит буквы!" and the text as typed). Returns the cleaned
// text, or kNotANumber once the user has been told why.
QString NormalizeNumber(const QString& typed, MessageSink& messages);

}  // namespace linvox

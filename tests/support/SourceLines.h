// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Phrases.h"

#include <initializer_list>

#include <QStringList>

namespace linvox::testing {

// A message made of phrases, one a line, in the system's own Russian words, as its reader gets
// it: the program breaks the lines with "\r\n", which its standard error and the copy of a
// Windows message box both give as "\n".
inline QString SourceLines(std::initializer_list<Phrase> phrases) {
    QStringList lines;
    for (const Phrase phrase : phrases) {
        lines.append(SourceText(phrase));
    }
    return lines.join(u'\n');
}

}  // namespace linvox::testing

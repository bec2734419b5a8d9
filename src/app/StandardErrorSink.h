// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

#include <QString>

namespace linvox {

// Without a display, each message that would have been a box goes to standard error: its title,
// then its text.
class StandardErrorSink : public MessageSink {
public:
    void Show(const Message& message) override;
};

// Prints a line of the program's own, "linvox: " and the text, on standard error.
void PrintProgramLine(const QString& text);

}  // namespace linvox

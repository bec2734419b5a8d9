// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"
#include "messages/MessageSink.h"
#include "messages/Translation.h"

#include <QList>
#include <QString>

namespace linvox {

// What needs a window toolkit: the window of a bare start, and the boxes of a call's messages.
// On Linux it is a module of its own, loaded only when one of them is wanted, so that a call that
// has nothing to show never loads Qt Widgets, Qt Gui and the display's libraries; where Qt is
// linked statically it is linked in.
struct WindowPart {
    // Shows the window until the user closes it; without a display, says why on standard error.
    // Returns the exit status.
    int (*runWindow)(char* program, Language language);
    // Shows the messages as boxes, one after another, each until the user closes it. False when
    // no display can show them, and nothing was shown.
    bool (*showMessages)(char* program, Language language, const QList<Message>& messages);
};

// The window part, or why it cannot be loaded (WindowPartMissing).
Outcome<const WindowPart*> LoadWindowPart();

// The name the module exports its part under.
inline constexpr char kWindowPartSymbol[] = "LinvoxWindowPart";

}  // namespace linvox

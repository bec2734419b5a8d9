// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

#include <QString>

namespace linvox {

class Dialer;

// Calls the number typed in the window: an empty field is refused with "Не введён номер!", the
// text is cleaned and checked (NormalizeNumber), then dialed once silently and once more showing
// the failure if the first attempt failed.
void PlaceManualCall(const QString& typed, Dialer& dialer, MessageSink& messages);

}  // namespace linvox

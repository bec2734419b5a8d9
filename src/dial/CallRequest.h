// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/Dialer.h"

#include <QString>

namespace linvox {

// Places the call that a start with a link or number asks for: the link is cleaned into a number
// and dialed once silently, then once more showing the failure if the first attempt failed.
// Returns the result of the last attempt.
DialResult PlaceCallRequest(Dialer& dialer, const QString& argumentText);

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/CallRequest.h"

#include "dial/DialString.h"
#include "dial/Dialer.h"
#include "dial/LinkCleaning.h"

namespace linvox {

DialResult PlaceCallRequest(Dialer& dialer, const QString& argumentText) {
    return DialWithOneRetry(dialer, MakeDialString(CleanLink(argumentText)));
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/ManualCall.h"

#include "dial/DialString.h"
#include "dial/Dialer.h"
#include "dial/NormalizeNumber.h"
#include "messages/Phrases.h"

namespace linvox {

void PlaceManualCall(const QString& typed, Dialer& dialer, MessageSink& messages) {
    if (typed.isEmpty()) {
        messages.Show(
            {Say(Phrase::NoNumberTyped), Say(Phrase::NumberCheckTitle), MessageIcon::Critical});
        return;
    }
    const std::optional<QString> number = NormalizeNumber(typed, messages);
    if (!number) {
        return;
    }
    DialWithOneRetry(dialer, MakeDialString(*number));
}

}  // namespace linvox

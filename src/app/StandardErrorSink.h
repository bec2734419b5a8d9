// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

namespace linvox {

// Without a display, each message that would have been a box goes to standard error: its title,
// then its text.
class StandardErrorSink : public MessageSink {
public:
    void Show(const Message& message) override;
};

}  // namespace linvox

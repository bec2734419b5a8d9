// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

#include <functional>

#include <QList>

namespace linvox::testing {

// Keeps every message instead of showing it; onShow runs while the "box" would be open.
class RecordingMessageSink : public MessageSink {
public:
    void Show(const Message& message) override {
        messages.append(message);
        if (onShow) {
            onShow(message);
        }
    }

    QList<Message> messages;
    std::function<void(const Message&)> onShow;
};

}  // namespace linvox::testing

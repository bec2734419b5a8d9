// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/desktop/Shell.h"

#include <functional>

#include <QStringList>

namespace linvox::testing {

// A shell that remembers each address it was asked to open and answers with outcome; onOpen
// runs while the shell "works".
class FakeShell : public Shell {
public:
    Outcome OpenAddress(const QString& address) override {
        opened.append(address);
        if (onOpen) {
            onOpen();
        }
        return outcome;
    }

    QStringList opened;
    Outcome outcome{true, 0};
    std::function<void()> onOpen;
};

}  // namespace linvox::testing

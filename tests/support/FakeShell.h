#pragma once

#include "platform/Shell.h"

#include <QStringList>

namespace linvox::testing {

// A shell that remembers each address it was asked to open and answers with outcome.
class FakeShell : public Shell {
public:
    Outcome OpenAddress(const QString& address) override {
        opened.append(address);
        return outcome;
    }

    QStringList opened;
    Outcome outcome{true, 0};
};

}  // namespace linvox::testing

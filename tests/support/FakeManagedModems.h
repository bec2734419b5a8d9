// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"

#include <map>

#include <QStringList>

namespace linvox::testing {

// The modems a test says another program manages, by port, and what a call through one comes
// to; logs each call as "<modem> <number>". A port not in the table has none.
class FakeManagedModems : public ManagedModems {
public:
    Outcome<std::optional<ManagedModem>> ModemOn(qint16 port) override {
        const auto found = modems.find(port);
        return found == modems.end() ? Outcome(std::optional<ManagedModem>()) : found->second;
    }
    Status Dial(const ManagedModem& modem, const QString& number) override {
        dialed.append(modem.path + u' ' + number);
        return dialing;
    }
    Outcome<QList<ManagedPort>> AtPorts() override { return atPorts; }

    std::map<qint16, Outcome<std::optional<ManagedModem>>> modems;
    Status dialing = Done{};
    QStringList dialed;
    Outcome<QList<ManagedPort>> atPorts = QList<ManagedPort>();
};

}  // namespace linvox::testing

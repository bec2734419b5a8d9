// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"

#include <map>

#include <QStringList>

namespace linvox::testing {

// The modems a test says another program manages, by port, and what a call through one comes
// to; logs each call through one as "<modem> <number>". A port not in the table has none.
class FakeManagedModems : public ManagedModems {
public:
    Outcome<std::optional<ManagedModem>> ModemOn(qint16 port) override {
        const auto found = modems.find(port);
        return found == modems.end() ? Outcome(std::optional<ManagedModem>()) : found->second;
    }
    Outcome<ManagedCall> Dial(qint16 port, const QString& number) override {
        const Outcome<std::optional<ManagedModem>> modem = ModemOn(port);
        if (!modem.ok()) {
            return modem.failure();
        }
        if (!modem.value()) {
            return ManagedCall::NotManaged;
        }
        dialed.append(modem.value()->path + u' ' + number);
        return dialing;
    }
    Outcome<QList<ManagedPort>> AtPorts() override { return atPorts; }

    std::map<qint16, Outcome<std::optional<ManagedModem>>> modems;
    Outcome<ManagedCall> dialing = ManagedCall::Placed;
    QStringList dialed;
    Outcome<QList<ManagedPort>> atPorts = QList<ManagedPort>();
};

}  // namespace linvox::testing

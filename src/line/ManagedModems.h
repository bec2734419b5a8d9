// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <optional>

#include <QList>
#include <QString>
#include <QtGlobal>

namespace linvox {

// A modem that another program manages, reached only through that program.
struct ManagedModem {
    // The manager's name for it.
    QString path;
    // Its model, as the manager reports it.
    QString model;
    // The device through which it was found, for the user to be told of.
    QString device;

    friend bool operator==(const ManagedModem&, const ManagedModem&) = default;
};

// A port of a managed modem that takes AT commands: its device and what the user knows the modem
// by.
struct ManagedPort {
    QString device;
    QString name;

    friend bool operator==(const ManagedPort&, const ManagedPort&) = default;
};

// What became of a call offered to the manager of a port's modem.
enum class ManagedCall { NotManaged, Placed };

// The modems that another program on the system manages, keeping their ports open for itself, as
// ModemManager does on Linux desktops: a port that belongs to one is reached through the manager,
// never through the serial line. Window thread only; every wait lets the window's events run, and
// is bounded.
class ManagedModems {
public:
    virtual ~ManagedModems() = default;

    // The managed modem that owns the device of port; nothing when none does or no manager runs.
    // Fails when the manager does not answer as it should: the port is then left alone.
    virtual Outcome<std::optional<ManagedModem>> ModemOn(qint16 port) = 0;

    // Places a voice call to number (ASCII digits after an optional "+") through the managed
    // modem that owns the device of port, enabling it first when it is disabled: Placed once the
    // modem dials, NotManaged without a call when no managed modem owns it. Fails as ModemOn
    // does, and with
    // DeviceNotOpen when the modem cannot call (failed, no SIM, not registered, the manager gone
    // or silent), PortAlreadyOpen when the manager refuses the user, ModemWithoutVoice when the
    // manager cannot make voice calls on it, Interrupted when the program is ending.
    virtual Outcome<ManagedCall> Dial(qint16 port, const QString& number) = 0;

    // The ports of the managed modems that take AT commands.
    virtual Outcome<QList<ManagedPort>> AtPorts() = 0;
};

// Where no program manages modems, as on Windows.
class NoManagedModems : public ManagedModems {
public:
    Outcome<std::optional<ManagedModem>> ModemOn(qint16) override {
        return std::optional<ManagedModem>();
    }
    Outcome<ManagedCall> Dial(qint16, const QString&) override { return ManagedCall::NotManaged; }
    Outcome<QList<ManagedPort>> AtPorts() override { return QList<ManagedPort>(); }
};

}  // namespace linvox

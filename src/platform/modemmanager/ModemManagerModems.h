// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"
#include "platform/modemmanager/SystemBus.h"
#include "platform/serial/PortMap.h"

#include <functional>
#include <memory>

namespace linvox {

// The modems that ModemManager manages, asked over the system bus. The bus is connected at the
// first question that finds ModemManager may run; until then, and where it cannot, there are
// none and no D-Bus library is loaded.
class ModemManagerModems : public ManagedModems {
public:
    // The system bus, or null where ModemManager cannot run; fails when it may run and cannot be
    // asked.
    using Connect = std::function<Outcome<std::unique_ptr<SystemBus>>()>;

    // portMap names the device of a COM number; connect is called until it gives a bus.
    ModemManagerModems(PortMap portMap, Connect connect);

    Outcome<std::optional<ManagedModem>> ModemOn(qint16 port) override;
    Outcome<ManagedCall> Dial(qint16 port, const QString& number) override;
    Outcome<QList<ManagedPort>> AtPorts() override;

    // One modem as ModemManager lists it.
    struct Listed {
        QString path;
        QString manufacturer;
        QString model;
        int state = 0;
        bool voice = false;
        // Its ports by their names, and which of them take AT commands.
        QStringList ports;
        QStringList atPorts;
    };

private:
    // A listed modem and the device of the port through which it was found.
    struct Found {
        Listed modem;
        QString device;
    };

    // Every modem ModemManager lists; none when it does not run.
    Outcome<QList<Listed>> List();
    // The modem that owns the device of port, asked once; failures as a call's.
    Outcome<std::optional<Found>> Find(qint16 port);
    // Waits until the modem is registered on its network; why not when it does not get there.
    Status AwaitRegistration(const QString& modem, const QString& device);
    Outcome<QVariantList> Call(const QString& path, const QString& interface, const QString& method,
                               const QVariantList& arguments, std::chrono::milliseconds timeout);

    PortMap m_portMap;
    Connect m_connect;
    std::unique_ptr<SystemBus> m_bus;
};

// Whether ModemManager's name of a port, the kernel's name of a device ("ttyUSB2") or the path it
// was given, names the device, given as configured and with its links resolved.
bool NamesDevice(const QString& portName, const QString& device, const QString& resolvedDevice);

}  // namespace linvox

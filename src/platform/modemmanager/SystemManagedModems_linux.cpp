// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modemmanager/ModemManagerModems.h"
#include "platform/modemmanager/SystemManagedModems.h"
#include "platform/process/ProgramModule.h"

#include <sys/stat.h>

#include <QFile>
#include <QtGlobal>

namespace linvox {
namespace {

// Where D-Bus puts the system bus's socket when DBUS_SYSTEM_BUS_ADDRESS names none.
constexpr char kSystemBusSocket[] = "/run/dbus/system_bus_socket";
// What a ModemManager package installs for the system bus to start it by.
constexpr char kModemManagerService[] =
    "/usr/share/dbus-1/system-services/org.freedesktop.ModemManager1.service";

bool Exists(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0;
}

// Whether the system bus may be there: a socket that DBUS_SYSTEM_BUS_ADDRESS names exists (one of
// its ways to the bus that is no file, as an abstract socket, cannot be looked at and counts).
bool SystemBusMayAnswer() {
    const QByteArray address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty()) {
        return Exists(kSystemBusSocket);
    }
    for (const QByteArray& way : address.split(';')) {
        const qsizetype path = way.indexOf("path=");
        if (!way.startsWith("unix:") || path < 0) {
            return true;
        }
        if (Exists(way.mid(path + 5).split(',').first())) {
            return true;
        }
    }
    return false;
}

// The system bus, loaded only where ModemManager is installed and a bus may answer: a call
// where it is not, the usual case on most machines, loads no D-Bus library at all, at the cost
// of two stats.
Outcome<std::unique_ptr<SystemBus>> ConnectToModemManager() {
    if (!Exists(kModemManagerService) || !SystemBusMayAnswer()) {
        return std::unique_ptr<SystemBus>();
    }
    const Outcome<QFunctionPointer> bus =
        ProgramModuleFunction(QStringLiteral(LINVOX_MODEM_MANAGER_PART_FROM_PROGRAM),
                              "LinvoxSystemBus", FailureCode::ForeignError);
    if (!bus.ok()) {
        return bus.failure();
    }
    using BusFunction = SystemBus* (*)();
    return std::unique_ptr<SystemBus>(reinterpret_cast<BusFunction>(bus.value())());
}

}  // namespace

std::unique_ptr<ManagedModems> SystemManagedModems(PortMap portMap) {
    return std::make_unique<ModemManagerModems>(std::move(portMap), ConnectToModemManager);
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <vector>

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace linvox::testing {

// A ModemManager of the test's own: a message bus of its own and ModemManager in its test mode on
// it, without udev or any system service, ended with the object whatever the outcome. A modem is
// its generic plugin's test profile on a Unix socket, which socat joins to a simulated phone.
// Programs run with environment() take its bus for the system's. Throws std::runtime_error when
// something does not come up.
class ModemManagerSession {
public:
    // Whether ModemManager, socat and the bus daemon are installed.
    static bool Installed();

    ModemManagerSession();
    ~ModemManagerSession();

    ModemManagerSession(const ModemManagerSession&) = delete;
    ModemManagerSession& operator=(const ModemManagerSession&) = delete;

    // Adds a modem on a phone's device, once ModemManager lists it; the socket that ModemManager
    // names its AT port by.
    QString addModem(const QString& phoneDevice);

    // The state of the modem on the socket (ModemManager's MMModemState).
    int stateOf(const QString& socket);

    // Ends ModemManager at once, as a crash would.
    void killModemManager();

    // The environment with this bus as the system bus.
    QProcessEnvironment environment(QProcessEnvironment base) const;
    const QString& address() const { return m_address; }

private:
    QTemporaryDir m_folder;
    QString m_address;
    QProcess m_bus;
    QProcess m_modemManager;
    std::vector<std::unique_ptr<QProcess>> m_bridges;
    QDBusConnection m_connection;
};

}  // namespace linvox::testing

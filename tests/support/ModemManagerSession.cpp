// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModemManagerSession.h"

#include "ChildLifetime.h"
#include "EventLoop.h"

#include <stdexcept>

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QFileInfo>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QString kModemManager = QStringLiteral("/usr/sbin/ModemManager");
const QString kService = QStringLiteral("org.freedesktop.ModemManager1");
const QString kManager = QStringLiteral("/org/freedesktop/ModemManager1");
// ModemManager starts in a fraction of a second, and sets a modem up in as long again; on a
// loaded machine, several times that.
constexpr auto kStartLimit = 30s;

void Require(bool holds, const char* what) {
    if (!holds) {
        throw std::runtime_error(what);
    }
}

QDBusMessage ManagerCall(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(kService, kManager, interface, method);
}

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

// The properties of the modem whose port is the socket; empty until ModemManager lists it.
QVariantMap ModemOn(QDBusConnection& connection, const QString& socket) {
    const QDBusMessage reply = connection.call(ManagerCall(
        QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects")));
    for (const Interfaces& interfaces : qdbus_cast<ManagedObjects>(reply.arguments().value(0))) {
        const QVariantMap modem =
            interfaces.value(QStringLiteral("org.freedesktop.ModemManager1.Modem"));
        if (modem.value(QStringLiteral("PrimaryPort")).toString() == socket) {
            return modem;
        }
    }
    return {};
}

}  // namespace

bool ModemManagerSession::Installed() {
    return QFileInfo::exists(kModemManager) &&
           QFileInfo::exists(QStringLiteral("/usr/bin/socat")) &&
           QFileInfo::exists(QStringLiteral("/usr/bin/dbus-daemon"));
}

ModemManagerSession::ModemManagerSession()
    : m_address(QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("bus"))),
      m_connection(QStringLiteral("none")) {
    Require(m_folder.isValid(), "no folder for the bus");
    qDBusRegisterMetaType<Interfaces>();
    qDBusRegisterMetaType<ManagedObjects>();
    EndWithTheTest(m_bus);
    m_bus.start(QStringLiteral("/usr/bin/dbus-daemon"),
                {QStringLiteral("--config-file=/usr/share/dbus-1/session.conf"),
                 QStringLiteral("--nofork"), QStringLiteral("--address=") + m_address});
    Require(
        RunEventsUntil([&] { return QFileInfo::exists(m_folder.filePath("bus")); }, kStartLimit),
        "the message bus did not start");
    m_connection = QDBusConnection::connectToBus(m_address, m_folder.path());
    Require(m_connection.isConnected(), "the message bus does not answer");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    m_modemManager.setProcessEnvironment(environment);
    // Its log is kept with the session, and read where a test fails.
    m_modemManager.setProcessChannelMode(QProcess::MergedChannels);
    m_modemManager.setStandardOutputFile(m_folder.filePath(QStringLiteral("ModemManager.log")));
    EndWithTheTest(m_modemManager);
    m_modemManager.start(kModemManager,
                         {QStringLiteral("--test-session"), QStringLiteral("--test-enable"),
                          QStringLiteral("--test-no-udev")});
    Require(RunEventsUntil(
                [&] { return m_connection.interface()->isServiceRegistered(kService).value(); },
                kStartLimit),
            "ModemManager did not come up on the bus");
}

ModemManagerSession::~ModemManagerSession() {
    for (const std::unique_ptr<QProcess>& bridge : m_bridges) {
        StopServer(*bridge);
    }
    if (m_modemManager.state() != QProcess::NotRunning) {
        StopServer(m_modemManager);
    }
    QDBusConnection::disconnectFromBus(m_folder.path());
    StopServer(m_bus);
}

QString ModemManagerSession::addModem(const QString& phoneDevice) {
    const QString socket = m_folder.filePath(QStringLiteral("modem%1").arg(m_bridges.size()));
    // Without a linger of its own, socat lets ModemManager's next opening of the port have every
    // answer, rather than the one that served the last.
    auto& bridge = *m_bridges.emplace_back(std::make_unique<QProcess>());
    bridge.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    EndWithTheTest(bridge);
    bridge.start(QStringLiteral("/usr/bin/socat"),
                 {QStringLiteral("-t"), QStringLiteral("0"),
                  QStringLiteral("UNIX-LISTEN:") + socket + QStringLiteral(",fork"),
                  QStringLiteral("FILE:") + phoneDevice + QStringLiteral(",raw,echo=0")});
    Require(RunEventsUntil([&] { return QFileInfo::exists(socket); }, kStartLimit),
            "socat did not listen");
    QDBusMessage profile = ManagerCall(QStringLiteral("org.freedesktop.ModemManager1.Test"),
                                       QStringLiteral("SetProfile"));
    profile << QFileInfo(socket).fileName() << QStringLiteral("generic") << QStringList{socket};
    Require(m_connection.call(profile).type() == QDBusMessage::ReplyMessage,
            "ModemManager refused the test profile");
    Require(RunEventsUntil([&] { return !ModemOn(m_connection, socket).isEmpty(); }, kStartLimit),
            "ModemManager did not list the modem");
    return socket;
}

int ModemManagerSession::stateOf(const QString& socket) {
    return ModemOn(m_connection, socket).value(QStringLiteral("State")).toInt();
}

void ModemManagerSession::killModemManager() {
    m_modemManager.kill();
    m_modemManager.waitForFinished();
}

QProcessEnvironment ModemManagerSession::environment(QProcessEnvironment base) const {
    base.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
    return base;
}

}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modemmanager/ModemManagerModems.h"

#include "platform/process/EventLoopWait.h"
#include "platform/process/TerminationSignals.h"

#include <algorithm>

#include <QFileInfo>

namespace linvox {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ModemManager1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/ModemManager1");
const QString kModemInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem");
const QString kVoiceInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem.Voice");
const QString kCallInterface = QStringLiteral("org.freedesktop.ModemManager1.Call");

// A question is answered in milliseconds; enabling a modem and its registration on the network
// take seconds.
constexpr std::chrono::seconds kQueryTimeout{5};
constexpr std::chrono::seconds kEnableTimeout{30};
constexpr std::chrono::seconds kRegistrationTimeout{30};
constexpr std::chrono::milliseconds kStateLookInterval{100};
constexpr std::chrono::seconds kCreateCallTimeout{10};
// ModemManager waits 90 s for the phone to take the dial command; Linvox gives up sooner and
// takes the call back, so that the user is not left waiting on a phone that never answers.
constexpr std::chrono::seconds kStartTimeout{30};

// ModemManager's MMModemState and MMModemPortType values that matter here.
constexpr int kStateFailed = -1;
constexpr int kStateEnabled = 6;
constexpr int kStateRegistered = 8;
constexpr uint kPortTypeAt = 3;

// The device a port of ModemManager's names: a kernel name is one in /dev.
QString DeviceOfPort(const QString& portName) {
    return portName.contains(u'/') ? portName : QStringLiteral("/dev/") + portName;
}

// What a failure of ModemManager's means for a call on device: a modem that makes no voice calls,
// a user whom its rules refuse, or, for anything else, a modem that cannot be reached.
Failure CallFailure(const Failure& failure, const QString& device) {
    if (failure.code() != FailureCode::BusError) {
        return failure;
    }
    const QString& error = failure.detail();
    if (error.startsWith(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) &&
        error.contains(kVoiceInterface)) {
        return Failure(FailureCode::ModemWithoutVoice, device, error);
    }
    if (error.contains(QStringLiteral("PolicyKit"))) {
        return Failure(FailureCode::PortAlreadyOpen, device, error);
    }
    return Failure(FailureCode::DeviceNotOpen, device, error);
}

ModemManagerModems::Listed ListedModem(const QString& path, const QVariantMap& interfaces) {
    const QVariantMap modem = interfaces.value(kModemInterface).toMap();
    ModemManagerModems::Listed listed{path,
                                      modem.value(QStringLiteral("Manufacturer")).toString(),
                                      modem.value(QStringLiteral("Model")).toString(),
                                      modem.value(QStringLiteral("State")).toInt(),
                                      interfaces.contains(kVoiceInterface),
                                      {},
                                      {}};
    // Ports of the type a(su): a name and a type each. One without a name names no device.
    for (const QVariant& port : modem.value(QStringLiteral("Ports")).toList()) {
        const QVariantList nameAndType = port.toList();
        const QString name = nameAndType.value(0).toString();
        if (name.isEmpty()) {
            continue;
        }
        listed.ports.append(name);
        if (nameAndType.value(1).toUInt() == kPortTypeAt) {
            listed.atPorts.append(name);
        }
    }
    return listed;
}

}  // namespace

bool NamesDevice(const QString& portName, const QString& device, const QString& resolvedDevice) {
    const QString named = DeviceOfPort(portName);
    return named == device || named == resolvedDevice;
}

ModemManagerModems::ModemManagerModems(PortMap portMap, Connect connect)
    : m_portMap(std::move(portMap)), m_connect(std::move(connect)) {}

Outcome<QVariantList> ModemManagerModems::Call(const QString& path, const QString& interface,
                                               const QString& method, const QVariantList& arguments,
                                               std::chrono::milliseconds timeout) {
    return m_bus->Call(kService, path, interface, method, arguments, timeout);
}

Outcome<QList<ModemManagerModems::Listed>> ModemManagerModems::List() {
    if (!m_bus) {
        Outcome<std::unique_ptr<SystemBus>> connected = m_connect();
        if (!connected.ok()) {
            return connected.failure();
        }
        if (!connected.value()) {
            return QList<Listed>();
        }
        m_bus = std::move(connected.value());
    }
    // Asked first, so that a ModemManager that is installed but stopped is not started by the
    // question.
    const Outcome<QVariantList> owned =
        m_bus->Call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"),
                    {kService}, kQueryTimeout);
    if (!owned.ok()) {
        return owned.failure();
    }
    if (!owned.value().value(0).toBool()) {
        return QList<Listed>();
    }
    const Outcome<QVariantList> objects =
        Call(kManagerPath, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
             QStringLiteral("GetManagedObjects"), {}, kQueryTimeout);
    if (!objects.ok()) {
        return objects.failure();
    }
    QList<Listed> modems;
    const QVariantMap byPath = objects.value().value(0).toMap();
    for (auto object = byPath.begin(); object != byPath.end(); ++object) {
        const QVariantMap interfaces = object.value().toMap();
        if (interfaces.contains(kModemInterface)) {
            modems.append(ListedModem(object.key(), interfaces));
        }
    }
    return modems;
}

Outcome<std::optional<ModemManagerModems::Found>> ModemManagerModems::Find(qint16 port) {
    const Outcome<QString> mapped = m_portMap.DevicePath(port);
    if (!mapped.ok()) {
        return mapped.failure();
    }
    const QString& device = mapped.value();
    const Outcome<QList<Listed>> modems = List();
    if (!modems.ok()) {
        return CallFailure(modems.failure(), device);
    }
    if (modems.value().isEmpty()) {
        return std::optional<Found>();
    }
    const QString resolved = QFileInfo(device).canonicalFilePath();
    for (const Listed& modem : modems.value()) {
        if (std::ranges::any_of(modem.ports, [&](const QString& name) {
                return NamesDevice(name, device, resolved);
            })) {
            return std::optional(Found{modem, device});
        }
    }
    return std::optional<Found>();
}

Outcome<std::optional<ManagedModem>> ModemManagerModems::ModemOn(qint16 port) {
    const Outcome<std::optional<Found>> found = Find(port);
    if (!found.ok()) {
        return found.failure();
    }
    if (!found.value()) {
        return std::optional<ManagedModem>();
    }
    const auto& [modem, device] = *found.value();
    return std::optional(ManagedModem{modem.path, modem.model, device});
}

Outcome<ManagedCall> ModemManagerModems::Dial(qint16 port, const QString& number) {
    const Outcome<std::optional<Found>> found = Find(port);
    if (!found.ok()) {
        return found.failure();
    }
    if (!found.value()) {
        return ManagedCall::NotManaged;
    }
    const auto& [modem, device] = *found.value();
    if (modem.state == kStateFailed) {
        return Failure(FailureCode::DeviceNotOpen, device);
    }
    if (!modem.voice) {
        return Failure(FailureCode::ModemWithoutVoice, device);
    }
    if (modem.state < kStateEnabled) {
        if (const Outcome<QVariantList> enabled =
                Call(modem.path, kModemInterface, QStringLiteral("Enable"), {true}, kEnableTimeout);
            !enabled.ok()) {
            return CallFailure(enabled.failure(), device);
        }
    }
    // Until it is registered, the modem makes emergency calls only.
    if (modem.state < kStateRegistered) {
        if (Status registered = AwaitRegistration(modem.path, device); !registered.ok()) {
            return registered.failure();
        }
    }
    const Outcome<QVariantList> created =
        Call(modem.path, kVoiceInterface, QStringLiteral("CreateCall"),
             {QVariantMap{{QStringLiteral("number"), number}}}, kCreateCallTimeout);
    if (!created.ok()) {
        return CallFailure(created.failure(), device);
    }
    const QString call = created.value().value(0).toString();
    const Outcome<QVariantList> started =
        Call(call, kCallInterface, QStringLiteral("Start"), {}, kStartTimeout);
    if (!started.ok()) {
        // Taken back, so that another attempt makes a call of its own rather than a second one.
        static_cast<void>(Call(modem.path, kVoiceInterface, QStringLiteral("DeleteCall"),
                               {QVariant::fromValue(BusObjectPath{call})}, kQueryTimeout));
        return CallFailure(started.failure(), device);
    }
    return ManagedCall::Placed;
}

Status ModemManagerModems::AwaitRegistration(const QString& modem, const QString& device) {
    const QDeadlineTimer deadline(kRegistrationTimeout);
    for (;;) {
        const Outcome<QVariantList> state =
            Call(modem, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {kModemInterface, QStringLiteral("State")}, kQueryTimeout);
        if (!state.ok()) {
            return CallFailure(state.failure(), device);
        }
        const int value = state.value().value(0).toInt();
        if (value >= kStateRegistered) {
            return Done{};
        }
        if (value == kStateFailed || deadline.hasExpired()) {
            return Failure(FailureCode::DeviceNotOpen, device);
        }
        // A look again a moment later, with the window's events running.
        EventLoopWait(QDeadlineTimer(kStateLookInterval)).Until(TerminationRequested);
        if (TerminationRequested()) {
            return Failure(FailureCode::Interrupted, device);
        }
    }
}

Outcome<QList<ManagedPort>> ModemManagerModems::AtPorts() {
    const Outcome<QList<Listed>> modems = List();
    if (!modems.ok()) {
        return modems.failure();
    }
    QList<ManagedPort> ports;
    for (const Listed& modem : modems.value()) {
        const QString name = (modem.manufacturer + u' ' + modem.model).trimmed();
        for (const QString& port : modem.atPorts) {
            ports.append({DeviceOfPort(port), name});
        }
    }
    return ports;
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modemmanager/QtSystemBus.h"

#include "platform/process/EventLoopWait.h"
#include "platform/process/TerminationSignals.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace linvox {
namespace {

QVariant Plain(const QVariant& value);

// The value at the argument's current place, read.
QVariant Demarshalled(const QDBusArgument& argument) {
    switch (argument.currentType()) {
        // An array's items and a structure's fields alike, in their order.
        case QDBusArgument::ArrayType:
        case QDBusArgument::StructureType: {
            const bool array = argument.currentType() == QDBusArgument::ArrayType;
            array ? argument.beginArray() : argument.beginStructure();
            QVariantList items;
            while (!argument.atEnd()) {
                items.append(Demarshalled(argument));
            }
            array ? argument.endArray() : argument.endStructure();
            return items;
        }
        case QDBusArgument::MapType: {
            QVariantMap entries;
            argument.beginMap();
            while (!argument.atEnd()) {
                argument.beginMapEntry();
                const QString key = Demarshalled(argument).toString();
                entries.insert(key, Demarshalled(argument));
                argument.endMapEntry();
            }
            argument.endMap();
            return entries;
        }
        default:
            return Plain(argument.asVariant());
    }
}

QVariant Plain(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        return Demarshalled(value.value<QDBusArgument>());
    }
    if (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        return Plain(value.value<QDBusVariant>().variant());
    }
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        return value.value<QDBusObjectPath>().path();
    }
    return value;
}

// An argument as Qt D-Bus sends it.
QVariant Marshalled(const QVariant& argument) {
    if (argument.metaType() == QMetaType::fromType<BusObjectPath>()) {
        return QVariant::fromValue(QDBusObjectPath(argument.value<BusObjectPath>().path));
    }
    return argument;
}

Failure BusFailure(const QString& path, const QString& name, const QString& message) {
    return Failure(FailureCode::BusError, path, name + QStringLiteral(": ") + message);
}

}  // namespace

QtSystemBus::QtSystemBus() : m_connection(QDBusConnection::systemBus()) {}

Outcome<QVariantList> QtSystemBus::Call(const QString& service, const QString& path,
                                        const QString& interface, const QString& method,
                                        const QVariantList& arguments,
                                        std::chrono::milliseconds timeout) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    QVariantList marshalled;
    for (const QVariant& argument : arguments) {
        marshalled.append(Marshalled(argument));
    }
    message.setArguments(marshalled);
    message.setAutoStartService(false);
    QDBusPendingCallWatcher watcher(
        m_connection.asyncCall(message, static_cast<int>(timeout.count())));
    // Qt D-Bus ends the call itself at its timeout; the wait's own deadline only backs it up.
    EventLoopWait wait(QDeadlineTimer(timeout + std::chrono::seconds(1)));
    wait.WakeOn(&watcher, &QDBusPendingCallWatcher::finished);
    if (!wait.Until([&] { return watcher.isFinished(); })) {
        if (TerminationRequested()) {
            return Failure(FailureCode::Interrupted, path);
        }
        return BusFailure(path, QStringLiteral("org.freedesktop.DBus.Error.NoReply"), method);
    }
    const QDBusMessage reply = watcher.reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        return BusFailure(path, reply.errorName(), reply.errorMessage());
    }
    QVariantList answer;
    for (const QVariant& argument : reply.arguments()) {
        answer.append(Plain(argument));
    }
    return answer;
}

}  // namespace linvox

// The module's one entry: a bus for the program, which owns it.
extern "C" Q_DECL_EXPORT linvox::SystemBus* LinvoxSystemBus() {
    return new linvox::QtSystemBus;
}

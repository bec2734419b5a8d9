// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <chrono>

#include <QMetaType>
#include <QString>
#include <QVariantList>

namespace linvox {

// An argument that names a D-Bus object, which goes as an object path rather than as a text.
struct BusObjectPath {
    QString path;
};

// The system's D-Bus, as ModemManager is reached over it. Window thread only.
class SystemBus {
public:
    virtual ~SystemBus() = default;

    // Calls method of interface on the object at path of service, never starting the service,
    // and waits for the answer with the window's events running, at most timeout; a program
    // asked to end stops waiting at once (Interrupted). The answer's arguments come as plain Qt
    // values: an object path as a QString, an array or a structure as a QVariantList, a
    // dictionary as a QVariantMap, a variant as its value. A D-Bus error, or no answer in time,
    // fails with BusError: its name, ": " and its message. arguments go as D-Bus's basic types,
    // a QVariantMap as a{sv}, a BusObjectPath as an object path.
    virtual Outcome<QVariantList> Call(const QString& service, const QString& path,
                                       const QString& interface, const QString& method,
                                       const QVariantList& arguments,
                                       std::chrono::milliseconds timeout) = 0;
};

}  // namespace linvox

Q_DECLARE_METATYPE(linvox::BusObjectPath)

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/modemmanager/SystemBus.h"

#include <QDBusConnection>

namespace linvox {

// The system bus through Qt D-Bus, which loads the D-Bus library and its dependencies: it lives in
// a module of its own, loaded only where ModemManager may run (see ConnectToModemManager).
class QtSystemBus : public SystemBus {
public:
    QtSystemBus();

    Outcome<QVariantList> Call(const QString& service, const QString& path,
                               const QString& interface, const QString& method,
                               const QVariantList& arguments,
                               std::chrono::milliseconds timeout) override;

private:
    QDBusConnection m_connection;
};

}  // namespace linvox

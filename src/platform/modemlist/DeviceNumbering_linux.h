// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/PortMap.h"
#include "settings/SettingsBackend.h"
#include "settings/StoreStatus.h"

#include <QList>
#include <QString>

namespace linvox {

// The COM numbers that Linux devices are known by, kept in the [ports] group of the settings:
// each device a user attaches gets one the first time it is listed, and keeps it.
class DeviceNumbering {
public:
    // settings outlives the numbering.
    explicit DeviceNumbering(SettingsBackend& settings) : m_settings(settings) {}

    struct Mapping {
        qint16 port;
        QString device;
    };

    // The entries of [ports] whose key is the name of a COM number, ComPortName(n) with n from 1
    // to 32767, by COM number. Other keys ("COM03", "COM+4", "com4") name no port, for listing as
    // for opening.
    QList<Mapping> Mappings() const;

    // A device that the system lists: its node (/dev/ttyACM0), and the path under which it is
    // remembered, the same whenever it comes back (/dev/serial/by-id/usb-…-if00).
    struct AttachedDevice {
        QString node;
        QString stablePath;
    };

    struct Numbering {
        // The COM number of each device, in the order given; 0 for a device left without one.
        QList<qint16> ports;
        // Whether the new numbers were stored. When refused, every device that had no number
        // is left without: a number that the settings do not hold would open another device in
        // every other process (a call from a link, the next start).
        StoreStatus stored = Stored{};
        // False when the COM numbers ran out before every device had one.
        bool numbersLeft = true;
    };

    // The COM number of each device: that of the entry naming the same device (links resolved),
    // or else the first number from 3 that no entry uses, remembered under its stable path so
    // that the device keeps it whenever it comes back, whatever node the system gives it then.
    // [ports] is read, the numbers chosen and the new entries written as one step under the
    // store's lock: programs numbering devices at the same moment never give one number twice,
    // and none loses an entry of another.
    Numbering NumberDevices(const QList<AttachedDevice>& devices);

private:
    SettingsBackend& m_settings;
};

}  // namespace linvox

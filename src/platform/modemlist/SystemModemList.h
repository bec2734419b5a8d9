// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/ModemListSource.h"
#include "settings/SettingsBackend.h"

namespace linvox {

// The modems that the operating system lists, with the COM port each is attached to.
//
// Windows: the Win32_POTSModem objects of the management service (WMI), in the service's order,
// with their AttachedTo and Name texts.
//
// Linux: the serial devices that a user attaches (USB modems, phones and data cables: ttyACM*,
// ttyUSB*; Bluetooth serial ports: rfcomm*) as udev lists them, and every device that the [ports]
// group of the settings names and that is present, by COM number. Devices listed for the first
// time are given the first free COM numbers from 3, remembered in [ports] so that each keeps its
// own. When the file refuses them, such devices are left out of the list and a notice names
// them: a number the file does not hold would open another device in every other process. The
// name is the USB maker and product, "Bluetooth <address>" for a Bluetooth port, or else the
// device path.
class SystemModemList : public ModemListSource {
public:
    // settings: the store whose [ports] group numbers the devices on Linux, outliving the list;
    // Windows, which numbers the ports itself, does not consult it.
    explicit SystemModemList(SettingsBackend& settings) : m_settings(settings) {}

    Outcome<ModemListing> Query() override;

private:
    SettingsBackend& m_settings;
};

}  // namespace linvox

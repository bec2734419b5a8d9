// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"
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
// device path. The ports of the modems that another program manages (ModemManager) and that take
// AT commands are listed as attached devices too, by the modem's name as that program knows it.
class SystemModemList : public ModemListSource {
public:
    // settings: the store whose [ports] group numbers the devices on Linux; managed: the modems
    // another program manages. Both outlive the list; Windows, which numbers the ports itself and
    // has no such program, consults neither.
    SystemModemList(SettingsBackend& settings, ManagedModems& managed)
        : m_settings(settings), m_managed(managed) {}

    Outcome<ModemListing> Query() override;

private:
    SettingsBackend& m_settings;
    ManagedModems& m_managed;
};

}  // namespace linvox

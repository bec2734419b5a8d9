// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Telephony.h"

#include "platform/modemmanager/SystemManagedModems.h"
#include "platform/process/TerminationSignals.h"
#include "platform/settingsfile/UserSettingsLocation.h"

namespace linvox {

Telephony::Telephony()
    : m_settingsFile(UserSettingsLocation()),
      m_settings(m_settingsFile),
      m_MSComm1(PortMap(m_settingsFile)),
      m_managedModems(SystemManagedModems(PortMap(m_settingsFile))) {
    QuitOnTerminationSignals();
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"
#include "platform/process/EventLoopPause.h"
#include "platform/serial/SystemSerialLine.h"
#include "platform/settingsfile/SettingsFile.h"
#include "settings/SettingsStore.h"

#include <memory>

namespace linvox {

// The user's settings and the one serial line, MSComm1, with the pause a dial waits in: built
// once per run, with the application, for a call as for the window. A logout or a kill ends the
// program the way its user would, so the line is let go whichever way it was started.
class Telephony {
public:
    Telephony();

    SettingsFile& settingsFile() { return m_settingsFile; }
    SettingsStore& settings() { return m_settings; }
    SerialLine& line() { return m_MSComm1; }
    ManagedModems& managedModems() { return *m_managedModems; }
    Pause& pause() { return m_pause; }

private:
    SettingsFile m_settingsFile;
    SettingsStore m_settings;
    SystemSerialLine m_MSComm1;
    std::unique_ptr<ManagedModems> m_managedModems;
    EventLoopPause m_pause;
};

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settingsfile/SettingsLocation.h"

namespace linvox {

// The current user's settings store of application "MyApp". On Linux the file
// $XDG_CONFIG_HOME/MyApp.conf (~/.config/MyApp.conf when unset); on Windows the registry key
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\MyApp, where the settings of earlier
// Windows tools of this kind already live.
SettingsLocation UserSettingsLocation();

}  // namespace linvox

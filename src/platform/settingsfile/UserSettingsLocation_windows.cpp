// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/UserSettingsLocation.h"

namespace linvox {

SettingsLocation UserSettingsLocation() {
    return {QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\MyApp"),
            QSettings::NativeFormat};
}

}  // namespace linvox

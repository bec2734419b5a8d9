// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/UserSettingsLocation.h"

#include <QStandardPaths>

namespace linvox {

SettingsLocation UserSettingsLocation() {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {configHome + QStringLiteral("/MyApp.conf"), QSettings::IniFormat};
}

}  // namespace linvox

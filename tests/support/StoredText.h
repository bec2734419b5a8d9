// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Settings.h"
#include "settings/SettingsBackend.h"

namespace linvox::testing {

// The text the store holds under key in the program's section, or "<absent>".
inline QString StoredText(const SettingsBackend& store, const QString& key) {
    return store.Read(kSettingsSection, key).value_or(QStringLiteral("<absent>"));
}

}  // namespace linvox::testing

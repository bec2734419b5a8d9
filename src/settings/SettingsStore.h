// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/Settings.h"
#include "settings/SettingsBackend.h"

#include <QString>

namespace linvox {

// The six settings of section "linvox", kept as texts in the per-user store. Nothing is cached:
// every read goes to the store, so a value another process wrote a moment earlier is seen, and
// every write is on disk before it returns. Window thread only.
class SettingsStore {
public:
    // backend outlives the store.
    explicit SettingsStore(SettingsBackend& backend) : m_backend(&backend) {}

    // Done when the store can be read, else why not.
    Status Usable() const { return m_backend->Usable(); }

    // The stored text of a setting, or its default when it is absent. Never writes.
    template <typename Value>
    QString ReadSetting(const Setting<Value>& setting) const {
        return m_backend->Read(kSettingsSection, ToQString(setting.key))
            .value_or(ToQString(setting.defaultText));
    }

    // The setting's value, read from its stored text as the setting reads it.
    template <typename Value>
    Value Read(const Setting<Value>& setting) const {
        return setting.parse(ReadSetting(setting));
    }

    // Creates or replaces the stored text of a setting and makes it durable. When the store
    // refuses the write (read-only home, full disk), the previous value stays and the failure
    // says why. A file that could not be read in full is first put aside, and the notice says
    // where.
    template <typename Value>
    StoreStatus WriteSetting(const Setting<Value>& setting, const QString& text) {
        return m_backend->Write(kSettingsSection, ToQString(setting.key), text);
    }

private:
    SettingsBackend* m_backend;
};

}  // namespace linvox

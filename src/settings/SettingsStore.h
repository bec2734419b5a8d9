// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingKeys.h"
#include "settings/SettingsBackend.h"

#include <optional>

#include <QString>

namespace linvox {

// The six settings of section "linvox", kept as texts in the per-user store. Nothing is cached:
// every read goes to the store, so a value another process wrote a moment earlier is seen, and
// every write is on disk before it returns. Window thread only.
class SettingsStore {
public:
    // backend outlives the store.
    explicit SettingsStore(SettingsBackend& backend);

    // Why the store cannot be read, naming it; empty when it can.
    QString UnusableReason() const { return m_backend->UnusableReason(); }

    // The stored text of key, or defaultValue when the key is absent. Never writes.
    QString ReadSetting(const QString& key, const QString& defaultValue) const;

    // Creates or replaces the value of key and makes it durable. When the store refuses the write
    // (read-only home, full disk), the previous value stays and the reason is returned. A file
    // that could not be read in full is first put aside, and the status's notice says where.
    StoreStatus WriteSetting(const QString& key, const QString& value);

    // The stored port of a port key read as a number and rounded to 16 bits; nothing when it
    // does not fit (an overflow).
    std::optional<qint16> ReadPortSetting(const SettingKey& key) const;

    // The stored phone mode text, unchanged.
    QString ReadModeSetting() const;

    // The phone mode that the stored text selects, and its storing as "True" or "False".
    PhoneMode ReadPhoneMode() const;
    StoreStatus WritePhoneMode(PhoneMode mode);

private:
    SettingsBackend* m_backend;
};

QString ToQString(std::string_view text);

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"

#include "settings/StoredNumber.h"

namespace linvox {
namespace {

const QString kSection = QStringLiteral("linvox");
const QString kSinglePhoneText = QStringLiteral("True");
const QString kMultiPhoneText = QStringLiteral("False");

}  // namespace

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

SettingsStore::SettingsStore(SettingsBackend& backend) : m_backend(&backend) {}

QString SettingsStore::ReadSetting(const QString& key, const QString& defaultValue) const {
    return m_backend->Read(kSection, key).value_or(defaultValue);
}

StoreStatus SettingsStore::WriteSetting(const QString& key, const QString& value) {
    return m_backend->Write(kSection, key, value);
}

std::optional<qint16> SettingsStore::ReadPortSetting(const SettingKey& key) const {
    return ReadInteger16(ReadSetting(ToQString(key.name), ToQString(key.defaultValue)));
}

QString SettingsStore::ReadModeSetting() const {
    return ReadSetting(ToQString(kPhoneModeKey.name), ToQString(kPhoneModeKey.defaultValue));
}

PhoneMode SettingsStore::ReadPhoneMode() const {
    // Only the exact text "True" selects one phone; "true", " True" and the default "false"
    // select several, as earlier tools of this kind read the same setting.
    return ReadModeSetting() == kSinglePhoneText ? PhoneMode::Single : PhoneMode::Multi;
}

StoreStatus SettingsStore::WritePhoneMode(PhoneMode mode) {
    return WriteSetting(ToQString(kPhoneModeKey.name),
                        mode == PhoneMode::Single ? kSinglePhoneText : kMultiPhoneText);
}

}  // namespace linvox

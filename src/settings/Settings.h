// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredNumber.h"

#include <optional>
#include <string_view>

#include <QString>

namespace linvox {

// The section of the per-user store that holds the six settings.
inline const QString kSettingsSection = QStringLiteral("linvox");

// One phone for all calls, or a phone per operator.
enum class PhoneMode { Single, Multi };

// Only the exact text "True" selects one phone; "true", " True" and the default "false" select
// several, as earlier tools of this kind read the same setting.
inline PhoneMode PhoneModeOf(QStringView stored) {
    return stored == u"True" ? PhoneMode::Single : PhoneMode::Multi;
}

// How the phone mode is stored.
inline QString PhoneModeText(PhoneMode mode) {
    return mode == PhoneMode::Single ? QStringLiteral("True") : QStringLiteral("False");
}

// A setting: its key in the section, the text read while it is absent, and how its stored text is
// read.
template <typename Value>
struct Setting {
    std::string_view key;
    std::string_view defaultText;
    Value (*parse)(QStringView stored);
};

// A port: the number its text begins with, rounded; nothing when it does not fit 16 bits.
using PortSetting = Setting<std::optional<qint16>>;

// The six settings, the only ones Linvox keeps. The operators' ports are named in their table.
inline constexpr PortSetting kPortForOthers{"port", "1", ReadInteger16};
inline constexpr PortSetting kPortMts{"port_mts", "1", ReadInteger16};
inline constexpr PortSetting kPortKyivstar{"port_ks", "1", ReadInteger16};
inline constexpr PortSetting kPortLife{"port_lf", "1", ReadInteger16};
inline constexpr PortSetting kPortBeeline{"port_be", "1", ReadInteger16};
inline constexpr Setting<PhoneMode> kPhoneMode{"1telefon", "false", PhoneModeOf};

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace linvox {

// A key of the settings section with the text that a reader gets while the key is absent.
struct SettingKey {
    std::string_view name;
    std::string_view defaultValue;
};

// The port of every number of no listed operator, and of every call with one phone; the
// operators' own port keys are in their table.
inline constexpr SettingKey kPortKey{"port", "1"};
inline constexpr SettingKey kPhoneModeKey{"1telefon", "false"};

// One phone for all calls, or a phone per operator.
enum class PhoneMode { Single, Multi };

}  // namespace linvox

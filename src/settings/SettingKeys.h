#pragma once

#include <string_view>

namespace linvox {

// A key of the settings section with the text that a reader gets while the key is absent.
struct SettingKey {
    std::string_view name;
    std::string_view defaultValue;
};

inline constexpr SettingKey kPortKey{"port", "1"};
inline constexpr SettingKey kPortMtsKey{"port_mts", "1"};
inline constexpr SettingKey kPortKyivstarKey{"port_ks", "1"};
inline constexpr SettingKey kPortLifeKey{"port_lf", "1"};
inline constexpr SettingKey kPortBeelineKey{"port_be", "1"};
inline constexpr SettingKey kPhoneModeKey{"1telefon", "false"};

// One phone for all calls, or a phone per operator.
enum class PhoneMode { Single, Multi };

}  // namespace linvox

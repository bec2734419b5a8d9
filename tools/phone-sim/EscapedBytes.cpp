// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapedBytes.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace linvox::phonesim {
namespace {

constexpr std::pair<char, char> kNamedEscapes[] = {
    {'r', '\r'}, {'n', '\n'}, {'t', '\t'}, {'\\', '\\'}};
constexpr char kHexEscape = 'x';
constexpr std::size_t kHexDigits = 2;
constexpr int kHexBase = 16;

std::optional<char> hexByte(std::string_view digits) {
    unsigned value = 0;
    const char* end = digits.data() + digits.size();
    const auto [position, error] = std::from_chars(digits.data(), end, value, kHexBase);
    if (digits.size() != kHexDigits || error != std::errc() || position != end)
        return std::nullopt;
    return static_cast<char>(value);
}

}  // namespace

std::optional<std::string> unescapeBytes(std::string_view text) {
    std::string bytes;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] != '\\') {
            bytes += text[index];
            continue;
        }
        if (++index == text.size())
            return std::nullopt;
        if (text[index] == kHexEscape) {
            const std::optional<char> byte = hexByte(text.substr(index + 1, kHexDigits));
            if (!byte)
                return std::nullopt;
            bytes += *byte;
            index += kHexDigits;
            continue;
        }
        const auto* named =
            std::ranges::find(kNamedEscapes, text[index], &std::pair<char, char>::first);
        if (named == std::end(kNamedEscapes))
            return std::nullopt;
        bytes += named->second;
    }
    return bytes;
}

}  // namespace linvox::phonesim

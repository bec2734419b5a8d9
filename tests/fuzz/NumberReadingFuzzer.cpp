// SPDX-License-Identifier: GPL-3.0-or-later
// The reading of stored numbers and the lenient number test, each against a slow reference
// written here from their contracts alone: both give the same 16-bit value or both overflow, and
// both tests agree on whether a text reads as a number.
#include "Property.h"
#include "settings/StoredNumber.h"
#include "settings/TypedNumber.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include <QRegularExpression>

using linvox::fuzzing::Require;

namespace {

constexpr std::uint64_t k16Bits = 1ULL << 16;
constexpr std::uint64_t k32Bits = 1ULL << 32;
// Above this a radix literal overflows whatever its digits; stops the sum from wrapping.
constexpr std::uint64_t kRadixCap = 1ULL << 40;

std::optional<qint16> InRange(double value) {
    if (!std::isfinite(value) || value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return static_cast<qint16>(value);
}

bool IsDigitOf(char c, int radix) {
    if (radix == 8) {
        return c >= '0' && c <= '7';
    }
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<qint16> ReadRadix(const std::string& digits, int radix) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!IsDigitOf(c, radix)) {
            break;
        }
        const int digit =
            std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10;
        value =
            std::min<std::uint64_t>(value * static_cast<std::uint64_t>(radix) + digit, kRadixCap);
    }
    // Literals of 16 and 32 bits are two's complement numbers of that width.
    const double wrapped =
        value < k16Bits   ? (value >= k16Bits / 2 ? double(value) - k16Bits : double(value))
        : value < k32Bits ? (value >= k32Bits / 2 ? double(value) - k32Bits : double(value))
                          : double(value);
    return InRange(wrapped);
}

// The decimal number the text begins with, to the nearest integer with ties to even.
std::optional<qint16> ReadDecimal(const std::string& text) {
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t at) {
        std::size_t end = at;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
        return end;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t end = digitsFrom(i);
    std::size_t mantissaDigits = end - i;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = digitsFrom(end + 1);
        mantissaDigits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    std::string number = text.substr(0, end);
    if (end < text.size() && std::string("eEdD").find(text[end]) != std::string::npos) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = digitsFrom(exponent);
        if (exponentEnd > exponent) {
            number += 'e' + text.substr(end + 1, exponentEnd - end - 1);
        }
    }
    // strtod rounds correctly and gives infinity past the largest double; the process keeps the
    // C locale, so the point is the decimal point.
    return InRange(std::nearbyint(std::strtod(number.c_str(), nullptr)));
}

std::optional<qint16> ReferenceReadInteger16(const QString& text) {
    std::string compact;
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n') {
            // Anything outside ASCII ends a number; a NUL does not occur in a number either.
            compact +=
                c.unicode() < 0x80 && c.unicode() != 0 ? static_cast<char>(c.unicode()) : '\x01';
        }
    }
    if (compact.size() >= 2 && compact[0] == '&') {
        if (compact[1] == 'H' || compact[1] == 'h') {
            return ReadRadix(compact.substr(2), 16);
        }
        if (compact[1] == 'O' || compact[1] == 'o') {
            return ReadRadix(compact.substr(2), 8);
        }
        return 0;
    }
    return ReadDecimal(compact);
}

bool ReferenceReadsAsNumber(const QString& text) {
    static const QRegularExpression kNumber(
        QStringLiteral(R"(\A[ \t]*[+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+)([eE][+-]?[0-9]+)?[ \t]*\z)"));
    return kNumber.match(text).hasMatch();
}

QString Shown(const std::optional<qint16>& value) {
    return value ? QString::number(*value) : QStringLiteral("overflow");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<qint16> read = linvox::ReadInteger16(text);
    const std::optional<qint16> expected = ReferenceReadInteger16(text);
    Require(read == expected, "the reader agrees with the reference",
            text + QStringLiteral(": read ") + Shown(read) + QStringLiteral(", expected ") +
                Shown(expected));
    Require(linvox::ReadsAsNumber(text) == ReferenceReadsAsNumber(text),
            "the lenient test agrees with the reference", text);
    return 0;
}

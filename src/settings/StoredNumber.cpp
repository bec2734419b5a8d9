// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoredNumber.h"

#include "settings/NumberCharacters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <QString>

namespace linvox {
namespace {

bool IsSkippedByReader(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

int DigitValue(QChar c) {
    if (IsAsciiDigit(c)) {
        return c.unicode() - u'0';
    }
    const char16_t lower = c.toLower().unicode();
    if (lower >= u'a' && lower <= u'f') {
        return lower - u'a' + 10;
    }
    return -1;
}

// A literal's bits as a signed value of the narrowest of 16 and 32 bits that holds them.
double AsSignedLiteral(double value) {
    constexpr double k16Bits = 65536.0;
    constexpr double k32Bits = 4294967296.0;
    if (value < k16Bits) {
        return value >= k16Bits / 2 ? value - k16Bits : value;
    }
    if (value < k32Bits) {
        return value >= k32Bits / 2 ? value - k32Bits : value;
    }
    return value;
}

double ReadRadixLiteral(QStringView digits, int radix) {
    double value = 0;
    for (const QChar c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    return AsSignedLiteral(value);
}

// The longest prefix of sign, digits, point, fraction and exponent, in ASCII for from_chars;
// empty when the text does not begin with a digit or a point followed by one.
std::string DecimalPrefix(QStringView text) {
    std::string prefix;
    qsizetype i = 0;
    const auto take = [&](QChar c) {
        prefix += static_cast<char>(c.unicode());
        ++i;
    };
    const auto takeDigits = [&] {
        int count = 0;
        while (i < text.size() && IsAsciiDigit(text[i])) {
            take(text[i]);
            ++count;
        }
        return count;
    };
    if (i < text.size() && IsSign(text[i])) {
        take(text[i]);
    }
    int mantissaDigits = takeDigits();
    if (i < text.size() && text[i] == u'.') {
        take(text[i]);
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0) {
        return {};
    }
    const qsizetype exponentStart = i;
    if (i < text.size() && QStringView(u"eEdD").contains(text[i])) {
        prefix += 'e';
        ++i;
        if (i < text.size() && IsSign(text[i])) {
            take(text[i]);
        }
        if (takeDigits() == 0) {
            prefix.resize(prefix.size() - static_cast<size_t>(i - exponentStart));
        }
    }
    return prefix;
}

// Whether a decimal prefix that no double can hold is too large rather than too small: told by
// the power of ten of its first significant digit, the exponent included, so that a long run of
// digits before a small negative exponent still counts as large.
bool IsHuge(const std::string& prefix) {
    constexpr long long kFarBeyondAnyDouble = 1'000'000;
    const size_t exponentStart = std::min(prefix.find('e'), prefix.size());
    const size_t point = std::min(prefix.find('.'), exponentStart);
    const size_t firstSignificant = prefix.find_first_of("123456789");
    if (firstSignificant >= exponentStart) {
        return false;
    }
    // Digits before the point count from 0 leftwards, those after it from -1 rightwards.
    long long power = static_cast<long long>(point) - static_cast<long long>(firstSignificant) -
                      (firstSignificant < point ? 1 : 0);
    long long exponent = 0;
    for (size_t i = exponentStart + 1; i < prefix.size(); ++i) {
        if (prefix[i] >= '0' && prefix[i] <= '9') {
            exponent = std::min(exponent * 10 + (prefix[i] - '0'), kFarBeyondAnyDouble);
        }
    }
    const bool negativeExponent =
        exponentStart + 1 < prefix.size() && prefix[exponentStart + 1] == '-';
    power += negativeExponent ? -exponent : exponent;
    return power >= 0;
}

double ParseDecimal(const std::string& prefix) {
    if (prefix.empty()) {
        return 0;
    }
    // from_chars takes no leading plus.
    const char* first = prefix.data() + (prefix.front() == '+' ? 1 : 0);
    const char* last = prefix.data() + prefix.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        if (!IsHuge(prefix)) {
            return 0;
        }
        return prefix.front() == '-' ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    }
    return value;
}

}  // namespace

double ReadLeadingNumber(QStringView text) {
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!IsSkippedByReader(c)) {
            compact += c;
        }
    }
    if (compact.size() >= 2 && compact[0] == u'&') {
        const char16_t radixLetter = compact[1].toUpper().unicode();
        if (radixLetter == u'H') {
            return ReadRadixLiteral(QStringView(compact).mid(2), 16);
        }
        if (radixLetter == u'O') {
            return ReadRadixLiteral(QStringView(compact).mid(2), 8);
        }
        return 0;
    }
    return ParseDecimal(DecimalPrefix(compact));
}

std::optional<qint16> RoundToInteger16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double whole = std::floor(value);
    const double fraction = value - whole;
    const bool wholeIsOdd = std::fmod(whole, 2.0) != 0.0;
    const double rounded = (fraction > 0.5 || (fraction == 0.5 && wholeIsOdd)) ? whole + 1 : whole;
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<qint16>(rounded);
}

std::optional<qint16> ReadInteger16(QStringView text) {
    return RoundToInteger16(ReadLeadingNumber(text));
}

}  // namespace linvox

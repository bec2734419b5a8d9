// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoredNumber.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox {
namespace {

struct ReadingCase {
    QString text;
    std::optional<qint16> expected;
};

void PrintTo(const ReadingCase& reading, std::ostream* out) {
    *out << reading.text;
}

class StoredNumberReading : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(StoredNumberReading, GivesTheRoundedLeadingNumberOrOverflow) {
    EXPECT_EQ(ReadInteger16(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredNumberReading,
    ::testing::Values(ReadingCase{"7", 7}, ReadingCase{" 7", 7}, ReadingCase{"\t7\n", 7},
                      ReadingCase{"1 2", 12}, ReadingCase{"+5", 5}, ReadingCase{"--1", 0},
                      // Halves go to the even neighbour.
                      ReadingCase{"2.5", 2}, ReadingCase{"3.5", 4}, ReadingCase{"1.5", 2},
                      ReadingCase{"0.5", 0}, ReadingCase{"-2.5", -2}, ReadingCase{"2.51", 3},
                      ReadingCase{".5", 0}, ReadingCase{"1.5.5", 2},
                      // Only the point separates decimals; anything else ends the number.
                      ReadingCase{"1,5", 1}, ReadingCase{"12abc", 12}, ReadingCase{"COM3", 0},
                      ReadingCase{"", 0}, ReadingCase{"\r7", 0},
                      // Exponents, in both letters, and an exponent letter with no digits after it.
                      ReadingCase{"1e3", 1000}, ReadingCase{"1D2", 100}, ReadingCase{"5e", 5},
                      ReadingCase{"5e+", 5}, ReadingCase{"25e-1", 2}, ReadingCase{"1e-400", 0},
                      // Radix literals: 16-bit ones are signed.
                      ReadingCase{"&H10", 16}, ReadingCase{"&h1f", 31}, ReadingCase{"&HFFFF", -1},
                      ReadingCase{"&H8000", -32768}, ReadingCase{"&HFFFFFFFF", -1},
                      ReadingCase{"&O17", 15}, ReadingCase{"&O8", 0}, ReadingCase{"&Hzz", 0},
                      ReadingCase{"&X1", 0},
                      // The 16-bit range.
                      ReadingCase{"32767", 32767}, ReadingCase{"-32768", -32768},
                      ReadingCase{"32767.5", std::nullopt}, ReadingCase{"40000", std::nullopt},
                      ReadingCase{"-32769", std::nullopt}, ReadingCase{"&H10000", std::nullopt},
                      ReadingCase{"1e400", std::nullopt}, ReadingCase{"1E5", std::nullopt},
                      // Beyond any double, however written: the place of the first significant
                      // digit tells huge from tiny.
                      ReadingCase{"1" + QString(400, '0') + "e-1", std::nullopt},
                      ReadingCase{"-1" + QString(400, '0'), std::nullopt},
                      ReadingCase{"1e99999999999999999999", std::nullopt},
                      ReadingCase{"0." + QString(400, '0') + "1", 0},
                      ReadingCase{"1e-99999999999999999999", 0},
                      // Digits of other scripts are not digits.
                      ReadingCase{QStringLiteral("٣"), 0}, ReadingCase{QStringLiteral("３"), 0}));

}  // namespace
}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TypedNumber.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox {
namespace {

struct NumericTextCase {
    QString text;
    bool readsAsNumber;
};

void PrintTo(const NumericTextCase& numeric, std::ostream* out) {
    *out << numeric.text;
}

class LenientNumberTest : public ::testing::TestWithParam<NumericTextCase> {};

TEST_P(LenientNumberTest, AcceptsNumberFormsAndRefusesLetters) {
    EXPECT_EQ(ReadsAsNumber(GetParam().text), GetParam().readsAsNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LenientNumberTest,
    ::testing::Values(
        NumericTextCase{"1", true}, NumericTextCase{"0501234567", true},
        NumericTextCase{"00000000000000000000", true}, NumericTextCase{" 7", true},
        NumericTextCase{"7\t ", true}, NumericTextCase{"+7", true}, NumericTextCase{"-7", true},
        NumericTextCase{"1.5", true}, NumericTextCase{"1,5", true}, NumericTextCase{"1e3", true},
        NumericTextCase{"1E-3", true}, NumericTextCase{".5", true}, NumericTextCase{"", false},
        NumericTextCase{" ", false}, NumericTextCase{"COM3", false}, NumericTextCase{"3a", false},
        NumericTextCase{"050ABC4567", false}, NumericTextCase{"1 2", false},
        NumericTextCase{"1.2.3", false}, NumericTextCase{"1,2.3", false},
        NumericTextCase{"+", false}, NumericTextCase{"-", false}, NumericTextCase{".", false},
        NumericTextCase{"1e", false}, NumericTextCase{"e3", false}, NumericTextCase{"+-1", false},
        NumericTextCase{"&H10", false}, NumericTextCase{"1\n", false},
        NumericTextCase{QStringLiteral("\u00a07"), false},
        NumericTextCase{QStringLiteral("٣٤"), false},
        NumericTextCase{QStringLiteral("１２"), false}));

}  // namespace
}  // namespace linvox

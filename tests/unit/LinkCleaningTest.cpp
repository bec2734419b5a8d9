// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/LinkCleaning.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox {
namespace {

struct LinkCase {
    QString argumentText;
    QString numberText;
};

void PrintTo(const LinkCase& link, std::ostream* out) {
    *out << link.argumentText;
}

class LinkCleaning : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkCleaning, TurnsTheArgumentIntoTheNumberText) {
    EXPECT_EQ(CleanLink(GetParam().argumentText), GetParam().numberText);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkCleaning,
    ::testing::Values(
        LinkCase{"callto:+380501234567", "+380501234567"},
        LinkCase{"tel:+3800501234567", "+380501234567"},
        LinkCase{"callto:8(050)123-45-67", "0501234567"},
        LinkCase{"skype:0501234567?call", "0501234567"},
        LinkCase{"sip:(050)123-45-67", "0501234567"}, LinkCase{"0501234567", "0501234567"},
        // "+3800" is replaced once; what the replacement leaves is not looked at again.
        LinkCase{"+38000501234567", "+3800501234567"},
        LinkCase{"CALLTO:+380501234567", "CALLTO:+380501234567"},
        LinkCase{"callto://+380501234567", "//+380501234567"},
        LinkCase{"tel:+380 50 123 45 67", "+380 50 123 45 67"},
        LinkCase{"\"tel:+380501234567\"", "\"+380501234567\""},
        // Each word goes in its turn: one exposed by a later removal stays.
        LinkCase{"tecallto:l:0501234567", "tel:0501234567"},
        LinkCase{"sky?callpe:0501234567", "skype:0501234567"},
        LinkCase{"callto:?call0501234567", "0501234567"},
        // Exactly 11 characters keep their last 10, whatever they are.
        LinkCase{"tel:80501234567", "0501234567"}, LinkCase{"abcdefghijk", "bcdefghijk"},
        LinkCase{"tel:050123456", "050123456"}, LinkCase{"", ""}));

}  // namespace
}  // namespace linvox

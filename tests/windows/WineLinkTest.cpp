// SPDX-License-Identifier: GPL-3.0-or-later
// linvox.exe under Wine, started by a link as Windows starts a link handler: the phone on the COM
// port that the registry names for the number's operator receives one dial line, and no other.
#include "WinePrefix.h"
#include "dial/Operators.h"
#include "settings/SettingsStore.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// A phone for each operator of the table, on COM3 and up: MTS, Kyivstar, Life, Beeline, and
// every other number (also every call with one phone).
constexpr int kFirstPort = 3;
constexpr int kOtherNumbersPhone = static_cast<int>(kAllCallsRow);

struct LinkCase {
    QString link;
    // The phone mode as stored: only "True" means one phone.
    QString mode;
    int phone;
    QByteArray received;
};

void PrintTo(const LinkCase& link, std::ostream* out) {
    *out << link.link << " with 1telefon " << link.mode;
}

class WineLinks : public ::testing::TestWithParam<LinkCase> {
protected:
    static void SetUpTestSuite() {
        s_prefix = std::make_unique<WinePrefix>();
        for (std::size_t i = 0; i < kOperators.size(); ++i) {
            s_prefix->setSetting(ToQString(kOperators[i].port.key),
                                 QString::number(kFirstPort + static_cast<int>(i)));
        }
    }
    static void TearDownTestSuite() { s_prefix.reset(); }

    static inline std::unique_ptr<WinePrefix> s_prefix;
};

TEST_P(WineLinks, ReachTheRoutedPhoneAsOneDialLine) {
    std::vector<std::unique_ptr<PhoneSimulator>> phones;
    for (int i = 0; i < static_cast<int>(kOperators.size()); ++i) {
        phones.push_back(std::make_unique<PhoneSimulator>());
        s_prefix->linkComPort(kFirstPort + i, phones.back()->devicePath());
    }
    s_prefix->setSetting("1telefon", GetParam().mode);

    const WinePrefix::Outcome run = s_prefix->run({LINVOX_WINDOWS_EXE, GetParam().link}, 60s);

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    for (int i = 0; i < static_cast<int>(phones.size()); ++i) {
        EXPECT_EQ(phones[i]->transcript(), i == GetParam().phone ? GetParam().received : "")
            << "COM" << kFirstPort + i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryRouteAndScheme, WineLinks,
    ::testing::Values(
        LinkCase{"tel:+380501234567", "False", 0, "ATD+380501234567;\r"},
        LinkCase{"callto:8(067)123-45-67", "False", 1, "ATD0671234567;\r"},
        LinkCase{"sip:(063)123-45-67", "False", 2, "ATD0631234567;\r"},
        LinkCase{"skype:0681234567?call", "False", 3, "ATD0681234567;\r"},
        LinkCase{"0441234567", "False", kOtherNumbersPhone, "ATD0441234567;\r"},
        LinkCase{"tel:+380501234567", "True", kOtherNumbersPhone, "ATD+380501234567;\r"},
        LinkCase{"callto:+3800671234567", "True", kOtherNumbersPhone, "ATD+380671234567;\r"},
        LinkCase{"tel:+380501234567", "true", 0, "ATD+380501234567;\r"}));

}  // namespace
}  // namespace linvox::testing

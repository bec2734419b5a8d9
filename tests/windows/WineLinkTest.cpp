// linvox.exe under Wine, started by a link as Windows starts a link handler: the phone on the COM
// port that the registry names for the number's operator receives one dial line, and no other.
#include "WinePrefix.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// A phone on COM3 to COM7 for each route, in this order: MTS, Kyivstar, Life, Beeline, and
// every other number (also every call with one phone).
const QStringList kPortKeys{"port_mts", "port_ks", "port_lf", "port_be", "port"};
constexpr int kFirstPort = 3;
constexpr int kOtherNumbersPhone = 4;

struct LinkCase {
    QString link;
    bool singlePhone;
    int phone;
    QByteArray received;
};

void PrintTo(const LinkCase& link, std::ostream* out) {
    *out << link.link << (link.singlePhone ? " with one phone" : "");
}

class WineLinks : public ::testing::TestWithParam<LinkCase> {
protected:
    static void SetUpTestSuite() {
        s_prefix = std::make_unique<WinePrefix>();
        for (int i = 0; i < kPortKeys.size(); ++i) {
            s_prefix->setSetting(kPortKeys[i], QString::number(kFirstPort + i));
        }
    }
    static void TearDownTestSuite() { s_prefix.reset(); }

    static inline std::unique_ptr<WinePrefix> s_prefix;
};

TEST_P(WineLinks, ReachTheRoutedPhoneAsOneDialLine) {
    std::vector<std::unique_ptr<PhoneSimulator>> phones;
    for (int i = 0; i < kPortKeys.size(); ++i) {
        phones.push_back(std::make_unique<PhoneSimulator>());
        s_prefix->linkComPort(kFirstPort + i, phones.back()->devicePath());
    }
    s_prefix->setSetting("1telefon", GetParam().singlePhone ? "True" : "False");

    const WinePrefix::Outcome run = s_prefix->run({LINVOX_WINDOWS_EXE, GetParam().link}, 60s);

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    for (int i = 0; i < kPortKeys.size(); ++i) {
        EXPECT_EQ(phones[i]->transcript(), i == GetParam().phone ? GetParam().received : "")
            << "COM" << kFirstPort + i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryRouteAndScheme, WineLinks,
    ::testing::Values(
        LinkCase{"tel:+380501234567", false, 0, "ATD+380501234567;\r"},
        LinkCase{"callto:8(067)123-45-67", false, 1, "ATD0671234567;\r"},
        LinkCase{"sip:(063)123-45-67", false, 2, "ATD0631234567;\r"},
        LinkCase{"skype:0681234567?call", false, 3, "ATD0681234567;\r"},
        LinkCase{"0441234567", false, kOtherNumbersPhone, "ATD0441234567;\r"},
        LinkCase{"tel:+380501234567", true, kOtherNumbersPhone, "ATD+380501234567;\r"},
        LinkCase{"callto:+3800671234567", true, kOtherNumbersPhone, "ATD+380671234567;\r"}));

}  // namespace
}  // namespace linvox::testing

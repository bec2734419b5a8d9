// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/OperatorRouting.h"
#include "support/InMemorySettings.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

struct RoutingCase {
    QString dialString;
    OperatorCode expected;
};

void PrintTo(const RoutingCase& routing, std::ostream* out) {
    *out << routing.dialString;
}

class Routing : public ::testing::TestWithParam<RoutingCase> {};

TEST_P(Routing, GivesTheOperatorOfThePrefixOrRefusesTheForm) {
    RecordingMessageSink messages;
    QString text = GetParam().dialString;

    EXPECT_EQ(GetOperator(text, messages), GetParam().expected);

    if (GetParam().expected == OperatorCode::Refused) {
        EXPECT_EQ(messages.messages, QList<Message>{WrongNumberFormMessage()});
    } else {
        EXPECT_TRUE(messages.messages.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPrefixInBothForms, Routing,
    ::testing::Values(
        RoutingCase{"ATD0501234567;", OperatorCode::Mts},
        RoutingCase{"ATD0661234567;", OperatorCode::Mts},
        RoutingCase{"ATD0951234567;", OperatorCode::Mts},
        RoutingCase{"ATD0991234567;", OperatorCode::Mts},
        RoutingCase{"ATD0671234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD0961234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD0971234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD0981234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD0631234567;", OperatorCode::Life},
        RoutingCase{"ATD0931234567;", OperatorCode::Life},
        RoutingCase{"ATD0681234567;", OperatorCode::Beeline},
        // The prefixes issued since: 075 to Vodafone (MTS), 077 and 039 to Kyivstar, 073 to
        // lifecell (Life); 091, 092 and 094 are no mobile operator's of the table.
        RoutingCase{"ATD0751234567;", OperatorCode::Mts},
        RoutingCase{"ATD0771234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD0391234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD0731234567;", OperatorCode::Life},
        RoutingCase{"ATD+380731234567;", OperatorCode::Life},
        RoutingCase{"ATD0911234567;", OperatorCode::Other},
        RoutingCase{"ATD0941234567;", OperatorCode::Other},
        RoutingCase{"ATD0441234567;", OperatorCode::Other},
        RoutingCase{"ATD0511234567;", OperatorCode::Other},
        RoutingCase{"ATD+380501234567;", OperatorCode::Mts},
        RoutingCase{"ATD380501234567;", OperatorCode::Mts},
        RoutingCase{"ATD+380661234567;", OperatorCode::Mts},
        RoutingCase{"ATD+380951234567;", OperatorCode::Mts},
        RoutingCase{"ATD+380991234567;", OperatorCode::Mts},
        RoutingCase{"ATD+380671234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD380671234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD+380961234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD+380971234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD+380981234567;", OperatorCode::Kyivstar},
        RoutingCase{"ATD+380631234567;", OperatorCode::Life},
        RoutingCase{"ATD+380931234567;", OperatorCode::Life},
        RoutingCase{"ATD+380681234567;", OperatorCode::Beeline},
        RoutingCase{"ATD+380441234567;", OperatorCode::Other},
        // Only the length and the prefix characters count: a foreign number is "other".
        RoutingCase{"ATD+441231234567;", OperatorCode::Other},
        RoutingCase{"ATD+000501234567;", OperatorCode::Mts},
        // Lengths other than 10 and 12 after stripping.
        RoutingCase{"ATD501234567;", OperatorCode::Refused},
        RoutingCase{"ATD80501234567;", OperatorCode::Refused},
        RoutingCase{"ATD3800501234567;", OperatorCode::Refused},
        RoutingCase{"ATD050 123 45 67;", OperatorCode::Refused},
        RoutingCase{"ATD050-12-34-567;", OperatorCode::Refused},
        RoutingCase{"ATD;", OperatorCode::Refused}, RoutingCase{"", OperatorCode::Refused},
        // Stripping is case-sensitive: a lower-case "atd" stays and spoils the length.
        RoutingCase{"atd0501234567;", OperatorCode::Refused}));

TEST(Routing, StripsPlusThenAtdThenSemicolonFromTheTextItIsGiven) {
    const std::pair<QString, QString> cases[] = {{"AT+D0501234567;", "0501234567"},
                                                 {"A;TD0501234567", "ATD0501234567"},
                                                 {"ATD+38;050+1234567;", "380501234567"}};
    for (const auto& [given, stripped] : cases) {
        RecordingMessageSink messages;
        QString text = given;
        GetOperator(text, messages);
        EXPECT_EQ(text, stripped);
    }
}

struct PortSelectionCase {
    QString mode;  // empty: the key is absent
    OperatorCode code;
    qint16 expectedPort;
};

void PrintTo(const PortSelectionCase& selection, std::ostream* out) {
    *out << "mode \"" << selection.mode << "\", operator " << static_cast<int>(selection.code);
}

class PortSelection : public ::testing::TestWithParam<PortSelectionCase> {};

TEST_P(PortSelection, FollowsTheModeAndTheOperatorsKey) {
    InMemorySettings memory;
    memory.preset(
        {{"port", "9"}, {"port_mts", "2"}, {"port_ks", "3"}, {"port_lf", "4"}, {"port_be", "5"}});
    if (!GetParam().mode.isEmpty()) {
        memory.preset({{"1telefon", GetParam().mode}});
    }
    EXPECT_EQ(SelectDialPort(GetParam().code, memory.store()), GetParam().expectedPort);
}

INSTANTIATE_TEST_SUITE_P(ModesAndOperators, PortSelection,
                         ::testing::Values(PortSelectionCase{"True", OperatorCode::Mts, 9},
                                           PortSelectionCase{"True", OperatorCode::Beeline, 9},
                                           PortSelectionCase{"True", OperatorCode::Other, 9},
                                           PortSelectionCase{"true", OperatorCode::Mts, 2},
                                           PortSelectionCase{"TRUE", OperatorCode::Kyivstar, 3},
                                           PortSelectionCase{"False", OperatorCode::Life, 4},
                                           PortSelectionCase{"", OperatorCode::Beeline, 5},
                                           PortSelectionCase{"", OperatorCode::Other, 9},
                                           PortSelectionCase{"false", OperatorCode::Mts, 2}));

TEST(PortSelection, OverflowingStoredPortGivesNoPort) {
    InMemorySettings memory;
    memory.preset({{"port_mts", "40000"}, {"port", "70000"}});
    EXPECT_EQ(SelectDialPort(OperatorCode::Mts, memory.store()), std::nullopt);
    EXPECT_EQ(SelectDialPort(OperatorCode::Kyivstar, memory.store()), 1);
    memory.preset({{"1telefon", "True"}});
    EXPECT_EQ(SelectDialPort(OperatorCode::Kyivstar, memory.store()), std::nullopt);
}

}  // namespace
}  // namespace linvox::testing

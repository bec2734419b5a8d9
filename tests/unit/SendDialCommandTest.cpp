// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/DialString.h"
#include "dial/Dialer.h"
#include "support/DialerRig.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

class DialFixture : public ::testing::Test, protected DialerRig {
protected:
    DialFixture() {
        memory.preset({{"port", "9"},
                       {"port_mts", "2"},
                       {"port_ks", "3"},
                       {"port_lf", "4"},
                       {"port_be", "5"}});
    }

    DialResult Dial(const QString& dialString, ShowErrors showErrors = ShowErrors::No) {
        return dialer.SendDialCommand(dialString, showErrors);
    }
};

const QStringList kFreshDialOnPort2{"CommPort=2", "PortOpen=true", "Output=ATD0501234567;\r",
                                    "InBufferCount=0"};

TEST_F(DialFixture, WritesTheDialStringToTheOperatorsPortAndWaitsThreeSeconds) {
    EXPECT_EQ(Dial("ATD0501234567;"), DialResult::Sent);
    EXPECT_EQ(line.log, kFreshDialOnPort2);
    EXPECT_EQ(pause.requests, QList<int>{3});
    EXPECT_TRUE(line.PortOpen());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DialFixture, ReopensTheSamePortForEveryCall) {
    ASSERT_EQ(Dial("ATD0501234567;"), DialResult::Sent);
    line.log.clear();
    ASSERT_EQ(Dial("ATD+380661234567;"), DialResult::Sent);
    EXPECT_EQ(line.log, (QStringList{"PortOpen=false", "PortOpen=true",
                                     "Output=ATD+380661234567;\r", "InBufferCount=0"}));
}

TEST_F(DialFixture, ClosesAndSwitchesWhenTheOperatorChanges) {
    ASSERT_EQ(Dial("ATD0501234567;"), DialResult::Sent);
    line.log.clear();
    ASSERT_EQ(Dial("ATD0671234567;"), DialResult::Sent);
    EXPECT_EQ(line.log, (QStringList{"PortOpen=false", "CommPort=3", "PortOpen=true",
                                     "Output=ATD0671234567;\r", "InBufferCount=0"}));
}

TEST_F(DialFixture, SinglePhoneModeUsesThePortForAllCalls) {
    memory.preset({{"1telefon", "True"}});
    ASSERT_EQ(Dial("ATD0671234567;"), DialResult::Sent);
    EXPECT_EQ(line.log.first(), "CommPort=9");
    memory.preset({{"1telefon", "true"}});
    line.log.clear();
    ASSERT_EQ(Dial("ATD0671234567;"), DialResult::Sent);
    EXPECT_TRUE(line.log.contains("CommPort=3")) << line.log.join(' ');
}

TEST_F(DialFixture, APortChangedMeanwhileIsUsedByTheNextCall) {
    ASSERT_EQ(Dial("ATD0501234567;"), DialResult::Sent);
    memory.preset({{"port_mts", "7"}});
    line.log.clear();
    ASSERT_EQ(Dial("ATD0501234567;"), DialResult::Sent);
    EXPECT_TRUE(line.log.contains("CommPort=7")) << line.log.join(' ');
}

struct RefusedCase {
    QString dialString;
    QString singlePhoneMode;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    *out << refused.dialString;
}

class RefusedNumber : public DialFixture, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedNumber, IsReportedOnceAndNeverReachesTheLine) {
    memory.preset({{"1telefon", GetParam().singlePhoneMode}});
    for (const ShowErrors flag : {ShowErrors::No, ShowErrors::Yes}) {
        messages.messages.clear();
        EXPECT_EQ(Dial(GetParam().dialString, flag), DialResult::Refused);
        EXPECT_EQ(messages.messages, QList<Message>{WrongNumberFormMessage()});
    }
    EXPECT_TRUE(line.log.isEmpty()) << line.log.join(' ');
    EXPECT_TRUE(pause.requests.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    WrongFormsAndCraftedNumbers, RefusedNumber,
    ::testing::Values(
        RefusedCase{"ATD050123456;", "False"}, RefusedCase{"ATD80501234567;", "False"},
        RefusedCase{"ATD3800501234567;", "False"}, RefusedCase{"ATD80501234567;", "True"},
        RefusedCase{"ATD+380 50 123 45 67;", "False"},
        // Ten or twelve characters once stripped, yet not a plain number: these would make the
        // phone run commands of their own.
        RefusedCase{"ATD0501;+CFUN=0;", "False"}, RefusedCase{"ATD0501;+CFUN=0;", "True"},
        RefusedCase{"ATD050123456\r;", "False"}, RefusedCase{"ATD05012345\nA;", "False"},
        RefusedCase{"ATD05012345678\b;", "False"}, RefusedCase{"ATD0501234567\x7f;", "False"},
        RefusedCase{"ATD050123456\x01;", "False"}, RefusedCase{"ATD*#06#050123;", "False"},
        RefusedCase{"ATD05012%4567;", "False"}, RefusedCase{"ATD\"050123456\";", "False"},
        RefusedCase{"ATD0501234567;;", "False"}, RefusedCase{"ATD05O1234567;", "False"},
        RefusedCase{"ATD+0501234567+;", "False"}, RefusedCase{"atd0501234567;", "False"},
        RefusedCase{QStringLiteral("ATD050123456٧;"), "False"},
        RefusedCase{QStringLiteral("ATD050123456７;"), "False"},
        RefusedCase{QStringLiteral("ATD05012345é;"), "False"}));

struct FailureCase {
    Failure failure;
    QStringList shownLines;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << Say(failure.failure);
}

class LineFailure : public DialFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LineFailure, IsShownOnlyWhenAskedWithItsWording) {
    line.openFailures = {GetParam().failure};
    EXPECT_EQ(Dial("ATD0501234567;"), DialResult::Failed);
    EXPECT_TRUE(messages.messages.isEmpty());

    line.openFailures = {GetParam().failure};
    EXPECT_EQ(Dial("ATD0501234567;", ShowErrors::Yes), DialResult::Failed);
    const Message expected{
        JoinLines(QStringList{Say(Phrase::ModemConnectionFailed)} + GetParam().shownLines),
        Say(Phrase::ModemTitle), MessageIcon::Critical};
    EXPECT_EQ(messages.messages, QList<Message>{expected});
    EXPECT_TRUE(pause.requests.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LineFailure,
    ::testing::Values(
        FailureCase{Failure(FailureCode::InvalidPortNumber),
                    {Say(Phrase::WrongPortForOperator), Say(Phrase::ChangeTheSettings)}},
        FailureCase{Failure(FailureCode::DeviceNotOpen),
                    {Say(Phrase::CannotReachModem), Say(Phrase::PhoneMayBeSwitchedOff)}},
        FailureCase{Failure(FailureCode::PortAlreadyOpen),
                    {Say(Phrase::CannotReachModem), Say(Phrase::ModemPortHeldSentence)}},
        // Any other failure is shown in its own words, whatever the words of the usual three.
        FailureCase{Failure(FailureCode::ForeignError, "COM3", "Port already open"),
                    {"Port already open"}},
        FailureCase{Failure(FailureCode::SystemError, "/dev/ttyS2", {}, EIO),
                    {Say(Phrase::SystemError).arg("EIO")}}));

TEST_F(DialFixture, PortOfAManagedModemIsDialedThroughItsManagerNeverThroughTheLine) {
    managed.modems.insert({2, std::optional(ManagedModem{"/modem/0", "E1752", "/dev/ttyUSB2"})});
    EXPECT_EQ(Dial("ATD+380501234567;"), DialResult::Sent);
    EXPECT_EQ(managed.dialed, QStringList{"/modem/0 +380501234567"});
    managed.dialing = Failure(FailureCode::ModemWithoutVoice, "/dev/ttyUSB2");
    EXPECT_EQ(Dial("ATD0501234567;", ShowErrors::Yes), DialResult::Failed);
    // A manager that cannot tell which modem owns the port keeps the line away from it too.
    managed.modems.insert_or_assign(2, Failure(FailureCode::DeviceNotOpen));
    EXPECT_EQ(Dial("ATD0501234567;"), DialResult::Failed);
    EXPECT_TRUE(line.log.isEmpty()) << line.log.join(' ');
    EXPECT_TRUE(pause.requests.isEmpty());
    EXPECT_EQ(messages.messages.value(0).text,
              JoinLines({Say(Phrase::ModemConnectionFailed), Say(Phrase::ModemWithoutVoice)}));
}

TEST_F(DialFixture, PortNumberBelowOneIsAnInvalidPort) {
    memory.preset({{"port_mts", "0"}});
    EXPECT_EQ(Dial("ATD0501234567;", ShowErrors::Yes), DialResult::Failed);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages.first().text.endsWith(Say(Phrase::ChangeTheSettings)));
}

TEST_F(DialFixture, FailedWriteIsAFailedDialAndAnInterruptedOneIsNeitherToldNorRetried) {
    line.outputFailure = Failure(FailureCode::DeviceNotOpen);
    EXPECT_EQ(Dial("ATD0501234567;"), DialResult::Failed);
    EXPECT_TRUE(pause.requests.isEmpty());
    line.outputFailure = Failure(FailureCode::Interrupted);
    line.log.clear();
    EXPECT_EQ(DialWithOneRetry(dialer, "ATD0501234567;"), DialResult::Interrupted);
    EXPECT_EQ(line.log.count("PortOpen=true"), 1);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DialFixture, OverflowingStoredPortOrUnreadableSettingsFailWithoutTouchingTheLine) {
    memory.preset({{"port_mts", "40000"}});
    EXPECT_EQ(Dial("ATD0501234567;", ShowErrors::Yes), DialResult::Failed);
    memory.unusable = Failure(FailureCode::SettingsFileIsFolder, "MyApp.conf");
    EXPECT_EQ(Dial("ATD0501234567;", ShowErrors::Yes), DialResult::Failed);
    const auto shown = [](const Failure& failure) {
        return Message{JoinLines({Say(Phrase::ModemConnectionFailed), Say(failure)}),
                       Say(Phrase::ModemTitle), MessageIcon::Critical};
    };
    EXPECT_EQ(
        messages.messages,
        (QList<Message>{shown(Failure(FailureCode::StoredNumberOverflow)),
                        shown(Failure(FailureCode::SettingsNotRead).Because(*memory.unusable))}));
    EXPECT_TRUE(line.log.isEmpty());
}

struct RetryCase {
    const char* name;
    QString dialString;
    QList<Failure> openFailures;
    DialResult finalResult;
    int opens;
    int messages;
};

void PrintTo(const RetryCase& retry, std::ostream* out) {
    *out << retry.name;
}

class OneRetry : public DialFixture, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(OneRetry, RetriesOnlyAFailureAndReportsItOnlyTheSecondTime) {
    line.openFailures = GetParam().openFailures;
    EXPECT_EQ(DialWithOneRetry(dialer, GetParam().dialString), GetParam().finalResult);
    EXPECT_EQ(line.log.count("PortOpen=true"), GetParam().opens);
    EXPECT_EQ(messages.messages.size(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Attempts, OneRetry,
    ::testing::Values(RetryCase{"first succeeds", "ATD0501234567;", {}, DialResult::Sent, 1, 0},
                      RetryCase{"second succeeds",
                                "ATD0501234567;",
                                {Failure(FailureCode::PortAlreadyOpen)},
                                DialResult::Sent,
                                2,
                                0},
                      RetryCase{"both fail",
                                "ATD0501234567;",
                                {Failure(FailureCode::PortAlreadyOpen),
                                 Failure(FailureCode::PortAlreadyOpen)},
                                DialResult::Failed,
                                2,
                                1},
                      RetryCase{"refused", "ATD050123456;", {}, DialResult::Refused, 0, 1}));

TEST(DialString, IsTheNumberBetweenAtdAndSemicolon) {
    EXPECT_EQ(MakeDialString("0501234567"), "ATD0501234567;");
    EXPECT_EQ(MakeDialString("+380501234567"), "ATD+380501234567;");
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/ManualCall.h"
#include "dial/NormalizeNumber.h"
#include "dial/OperatorRouting.h"
#include "support/DialerRig.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

const Message kTooFewDigits{Say(Phrase::TooFewDigits), kProgramTitle};

// The message for a number with letters, as typed.
Message HasLetters(const QString& typed) {
    return {JoinLines({Say(Phrase::NumberHasLetters), typed}), kProgramTitle};
}

struct NormalizeCase {
    QString typed;
    std::optional<QString> result;
    QList<Message> messages;
};

void PrintTo(const NormalizeCase& normalize, std::ostream* out) {
    *out << normalize.typed;
}

class Normalize : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(Normalize, CleansTheTypedTextOrSaysWhyNot) {
    RecordingMessageSink messages;
    EXPECT_EQ(NormalizeNumber(GetParam().typed, messages), GetParam().result);
    EXPECT_EQ(messages.messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, Normalize,
    ::testing::Values(
        NormalizeCase{"+38 (050) 123-45-67", "380501234567", {}},
        NormalizeCase{"050.123.45.67", "0501234567", {}},
        NormalizeCase{"050,123,45,67", "0501234567", {}},
        NormalizeCase{"8 050 123 45 67", "80501234567", {}},
        NormalizeCase{"0501234567", "0501234567", {}},
        NormalizeCase{"12345678901234567890", "12345678901234567890", {}},
        NormalizeCase{"050123456", std::nullopt, {kTooFewDigits}},
        NormalizeCase{"050 123 45", std::nullopt, {kTooFewDigits}},
        NormalizeCase{"   ", std::nullopt, {kTooFewDigits}},
        // Counted before letters are looked for.
        NormalizeCase{"abc", std::nullopt, {kTooFewDigits}},
        NormalizeCase{"050-ABC-4567", std::nullopt, {HasLetters("050-ABC-4567")}},
        // Only the listed punctuation goes: a tab or a no-break space stays and is no digit.
        NormalizeCase{"050\t1234567", std::nullopt, {HasLetters("050\t1234567")}},
        NormalizeCase{QStringLiteral("050\u00a01234567"),
                      std::nullopt,
                      {HasLetters(QStringLiteral("050\u00a01234567"))}},
        NormalizeCase{QStringLiteral("٠٥٠١٢٣٤٥٦٧"),
                      std::nullopt,
                      {HasLetters(QStringLiteral("٠٥٠١٢٣٤٥٦٧"))}}));

class ManualCallFixture : public ::testing::Test, protected DialerRig {
protected:
    ManualCallFixture() { memory.preset({{"port_mts", "2"}, {"port", "9"}}); }
};

struct ManualCallCase {
    QString typed;
    QStringList written;
    QList<Message> messages;
};

void PrintTo(const ManualCallCase& call, std::ostream* out) {
    *out << call.typed;
}

class ManualCalls : public ManualCallFixture,
                    public ::testing::WithParamInterface<ManualCallCase> {};

TEST_P(ManualCalls, DialTheCleanedNumberOrTellWhy) {
    PlaceManualCall(GetParam().typed, dialer, messages);
    EXPECT_EQ(line.log.filter("Output="), GetParam().written);
    EXPECT_EQ(messages.messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    FieldTexts, ManualCalls,
    ::testing::Values(
        ManualCallCase{
            "",
            {},
            {{Say(Phrase::NoNumberTyped), Say(Phrase::NumberCheckTitle), MessageIcon::Critical}}},
        ManualCallCase{"   ", {}, {kTooFewDigits}},
        ManualCallCase{"+38 (050) 123-45-67", {"Output=ATD380501234567;\r"}, {}},
        ManualCallCase{"050-123-45-67", {"Output=ATD0501234567;\r"}, {}},
        ManualCallCase{"8 050 123 45 67", {}, {WrongNumberFormMessage()}},
        ManualCallCase{"+3800501234567", {}, {WrongNumberFormMessage()}},
        // A letter test that lets an exponent through still cannot get it to the phone.
        ManualCallCase{"05012345e7", {}, {WrongNumberFormMessage()}}));

TEST_F(ManualCallFixture, FailureThatClearsOnTheRetryShowsNothing) {
    line.openFailures = {Failure(FailureCode::DeviceNotOpen)};
    PlaceManualCall("0501234567", dialer, messages);
    EXPECT_EQ(line.log.filter("Output="), QStringList{"Output=ATD0501234567;\r"});
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(ManualCallFixture, LastingFailureShowsOneConnectionMessage) {
    line.openFailures = {Failure(FailureCode::DeviceNotOpen), Failure(FailureCode::DeviceNotOpen)};
    PlaceManualCall("0501234567", dialer, messages);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages.first().title, Say(Phrase::ModemTitle));
}

}  // namespace
}  // namespace linvox::testing

// The installed program as a link handler: started with a link, without a window, against
// simulated phones.
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kDialTimeout = 10s;

const QString kRefusal = "Проверка номера: Неверный формат номера!\n";

class LinkHandler : public ::testing::Test {
protected:
    LinkHandler() {
        scratch.mapPort(2, mtsPhone.devicePath());
        scratch.mapPort(9, allCallsPhone.devicePath());
        scratch.preset({{"port_mts", "2"}, {"port", "9"}});
    }

    // Runs linvox with one argument and waits for it to end.
    int Run(const QString& argument) {
        LinvoxProcess linvox({argument}, scratch.directory());
        EXPECT_TRUE(linvox.waitForExit(kDialTimeout)) << argument;
        standardError = linvox.standardError();
        return linvox.exitStatus();
    }

    ScratchSettings scratch;
    PhoneSimulator mtsPhone;
    PhoneSimulator allCallsPhone;
    QString standardError;
};

struct LinkCase {
    QString link;
    QByteArray dialed;
};

void PrintTo(const LinkCase& link, std::ostream* out) {
    *out << link.link;
}

struct ModeCase {
    const char* mode;
    bool singlePhone;
};

class Links : public LinkHandler,
              public ::testing::WithParamInterface<std::tuple<LinkCase, ModeCase>> {};

TEST_P(Links, ReachTheRoutedPhoneAsDialStrings) {
    const auto& [link, mode] = GetParam();
    scratch.preset({{"1telefon", mode.mode}});
    PhoneSimulator& routed = mode.singlePhone ? allCallsPhone : mtsPhone;
    PhoneSimulator& other = mode.singlePhone ? mtsPhone : allCallsPhone;

    EXPECT_EQ(Run(link.link), 0) << standardError;

    EXPECT_TRUE(routed.waitForCommands(1, kDialTimeout));
    EXPECT_EQ(routed.transcript(), link.dialed + '\r');
    EXPECT_EQ(other.transcript(), "");
    EXPECT_EQ(standardError, "");
}

INSTANTIATE_TEST_SUITE_P(
    LinksInBothModes, Links,
    ::testing::Combine(::testing::Values(LinkCase{"callto:+380501234567", "ATD+380501234567;"},
                                         LinkCase{"tel:+3800501234567", "ATD+380501234567;"},
                                         LinkCase{"callto:8(050)123-45-67", "ATD0501234567;"},
                                         LinkCase{"skype:0501234567?call", "ATD0501234567;"},
                                         LinkCase{"sip:(050)123-45-67", "ATD0501234567;"}),
                       ::testing::Values(ModeCase{"False", false}, ModeCase{"True", true})));

class RefusedLinks : public LinkHandler, public ::testing::WithParamInterface<QString> {};

TEST_P(RefusedLinks, AreReportedOnceAndNothingReachesAPhone) {
    EXPECT_EQ(Run(GetParam()), 2);
    EXPECT_EQ(standardError, kRefusal);
    EXPECT_EQ(mtsPhone.transcript(), "");
    EXPECT_EQ(allCallsPhone.transcript(), "");
}

INSTANTIATE_TEST_SUITE_P(
    WrongFormsAndCraftedLinks, RefusedLinks,
    ::testing::Values("+38000501234567", "CALLTO:+380501234567", "callto://+380501234567",
                      "tel:+380 50 123 45 67", "\"tel:+380501234567\"",
                      // Links that would make a phone run commands after dialing.
                      "tel:0501;+CFUN=0", "tel:05012;+CFUN=0", "tel:050123456\r7",
                      "tel:05012345\r\nA", "tel:0501234567\b", "tel:050123456\x7f", "tel:*#06#050",
                      "tel:0501234567;", "tel:05012%4567", QStringLiteral("tel:050123456٧"),
                      QStringLiteral("tel:05012345６7")));

TEST_F(LinkHandler, FailedFirstAttemptIsRetriedWithoutAMessage) {
    // Takes nothing until the first attempt gives up writing and closes the port.
    PhoneSimulator stalledPhone({"--stall-until-closed"});
    scratch.mapPort(2, stalledPhone.devicePath());
    EXPECT_EQ(Run("tel:0501234567"), 0);
    EXPECT_EQ(standardError, "");
    EXPECT_TRUE(stalledPhone.waitForCommands(1, kDialTimeout));
    EXPECT_EQ(stalledPhone.transcript(), "ATD0501234567;\r");
}

class PhoneAnswers : public LinkHandler, public ::testing::WithParamInterface<QStringList> {};

TEST_P(PhoneAnswers, AreNotReadSoAnyPhoneThatTakesTheCommandIsADial) {
    PhoneSimulator phone(GetParam());
    scratch.mapPort(2, phone.devicePath());
    EXPECT_EQ(Run("tel:0501234567"), 0);
    EXPECT_EQ(standardError, "");
    EXPECT_EQ(phone.transcript(), "ATD0501234567;\r");
}

INSTANTIATE_TEST_SUITE_P(ErrorSilenceAndFlood, PhoneAnswers,
                         ::testing::Values(QStringList{"--error"}, QStringList{"--silent"},
                                           QStringList{"--flood"}));

TEST_F(LinkHandler, FailureOnBothAttemptsIsReportedOnce) {
    scratch.mapPort(2, scratch.directory() + "/no-such-phone");
    EXPECT_EQ(Run("tel:0501234567"), 1);
    EXPECT_EQ(standardError,
              "Модем: Ошибка соединения с модемом:\n"
              "Неправильно указан порт модема для этого оператора!\n"
              "Измените настройки!\n");
}

TEST_F(LinkHandler, PortHeldByAnotherProgramOnBothAttemptsIsReportedOnce) {
    PhoneSimulator busyPhone({"--busy"});
    scratch.mapPort(2, busyPhone.devicePath());
    EXPECT_EQ(Run("tel:0501234567"), 1);
    EXPECT_EQ(standardError,
              "Модем: Ошибка соединения с модемом:\n"
              "Не удаётся подключиться к модему!\n"
              "Порт модема используется другой программой.\n");
    EXPECT_EQ(busyPhone.transcript(), "");
}

TEST_F(LinkHandler, StoredPortOutOfRangeIsReportedWithItsOwnDescription) {
    scratch.preset({{"port_mts", "40000"}});
    EXPECT_EQ(Run("tel:0501234567"), 1);
    EXPECT_EQ(standardError, "Модем: Ошибка соединения с модемом:\nOverflow\n");
}

TEST_F(LinkHandler, PortsChangedBetweenCallsAreUsedByTheNextCall) {
    PhoneSimulator secondMtsPhone;
    ASSERT_EQ(Run("tel:0501234567"), 0);
    scratch.mapPort(4, secondMtsPhone.devicePath());
    scratch.preset({{"port_mts", "4"}});
    ASSERT_EQ(Run("tel:0661234567"), 0);
    scratch.preset({{"port_mts", "2"}});
    ASSERT_EQ(Run("tel:0951234567"), 0);

    EXPECT_TRUE(mtsPhone.waitForCommands(2, kDialTimeout));
    EXPECT_EQ(mtsPhone.transcript(), "ATD0501234567;\rATD0951234567;\r");
    EXPECT_EQ(secondMtsPhone.transcript(), "ATD0661234567;\r");
}

// A DISPLAY left over from an ended session, naming no server.
QProcessEnvironment StaleDisplayEnvironment() {
    QProcessEnvironment environment = LinvoxProcess::HeadlessEnvironment();
    environment.insert("DISPLAY", ":2147");
    return environment;
}

TEST_F(LinkHandler, StaleDisplayStillDialsAndWritesMessagesToStandardError) {
    LinvoxProcess dialed({"tel:0501234567"}, scratch.directory(), StaleDisplayEnvironment());
    ASSERT_TRUE(dialed.waitForExit(kDialTimeout));
    EXPECT_EQ(dialed.exitStatus(), 0) << dialed.standardError();
    EXPECT_TRUE(mtsPhone.waitForCommands(1, kDialTimeout));

    LinvoxProcess refused({"tel:050"}, scratch.directory(), StaleDisplayEnvironment());
    ASSERT_TRUE(refused.waitForExit(kDialTimeout));
    EXPECT_EQ(refused.exitStatus(), 2);
    EXPECT_EQ(refused.standardError(), kRefusal);
}

class BareStart : public ::testing::TestWithParam<QProcessEnvironment> {};

TEST_P(BareStart, WithoutAReachableDisplayExplainsAndFails) {
    ScratchSettings scratch;
    LinvoxProcess linvox({}, scratch.directory(), GetParam());
    ASSERT_TRUE(linvox.waitForExit(kDialTimeout));
    EXPECT_EQ(linvox.exitStatus(), 3);
    EXPECT_TRUE(linvox.standardError().contains("DISPLAY")) << linvox.standardError();
}

INSTANTIATE_TEST_SUITE_P(Displays, BareStart,
                         ::testing::Values(LinvoxProcess::HeadlessEnvironment(),
                                           StaleDisplayEnvironment()));

}  // namespace
}  // namespace linvox::testing

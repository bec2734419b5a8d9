// SPDX-License-Identifier: GPL-3.0-or-later
// The program started with a link on a desktop where the real ModemManager manages a modem: a
// call on its port goes through ModemManager, any other port's through the serial line.
#include "support/EventLoop.h"
#include "support/LinvoxProcess.h"
#include "support/ModemManagerSession.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <memory>
#include <optional>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// A call through ModemManager waits for it to enable the modem and see it registered: a second
// on an idle machine, several on a loaded one.
constexpr auto kCallLimit = 60s;
constexpr int kDisabled = 3;
constexpr int kRegistered = 8;

// A phone on COM3 that ModemManager manages; its port is the one of MTS's numbers.
class ModemManagerOnDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!ModemManagerSession::Installed()) {
            GTEST_SKIP() << "ModemManager, socat or dbus-daemon is not installed "
                            "(Debian modemmanager, socat, dbus-daemon)";
        }
        session.emplace();
    }

    // Starts the phone with its options, and ModemManager's modem on it at COM3.
    void AddManagedPhone(const QStringList& options) {
        phone = std::make_unique<PhoneSimulator>(
            QStringList{"--modem-manager", "--model", "PHONE-SIM MM"} + options);
        socket = session->addModem(phone->devicePath());
        scratch.mapPort(3, socket);
        scratch.preset({{"port_mts", "3"}});
    }

    std::unique_ptr<LinvoxProcess> Call(const QString& link) {
        return std::make_unique<LinvoxProcess>(
            QStringList{link}, scratch.directory(),
            session->environment(LinvoxProcess::HeadlessEnvironment()));
    }

    qsizetype Dialed(const QByteArray& command) const { return phone->transcript().count(command); }

    std::optional<ModemManagerSession> session;
    std::unique_ptr<PhoneSimulator> phone;
    QString socket;
    ScratchSettings scratch;
};

TEST_F(ModemManagerOnDesktop, CallGoesThroughItOnceAfterItHasEnabledTheModemAndNoOtherPort) {
    AddManagedPhone({});
    ASSERT_EQ(session->stateOf(socket), kDisabled);
    const auto mts = Call("tel:0501234567");
    ASSERT_TRUE(mts->waitForExit(kCallLimit));
    EXPECT_EQ(mts->exitStatus(), 0) << mts->standardError();
    EXPECT_EQ(Dialed("ATD0501234567;"), 1);
    EXPECT_GE(session->stateOf(socket), kRegistered);

    PhoneSimulator kyivstar;
    scratch.mapPort(4, kyivstar.devicePath());
    scratch.preset({{"port_ks", "4"}});
    const auto throughTheLine = Call("tel:0671234567");
    ASSERT_TRUE(throughTheLine->waitForExit(kCallLimit));
    EXPECT_EQ(throughTheLine->exitStatus(), 0) << throughTheLine->standardError();
    EXPECT_EQ(kyivstar.transcript(), "ATD0671234567;\r");
    EXPECT_EQ(Dialed("ATD"), 1);
}

TEST_F(ModemManagerOnDesktop, ModemWithoutVoiceCallsIsToldHowToLeaveItToLinvox) {
    AddManagedPhone({"--no-voice"});
    const auto linvox = Call("tel:0501234567");
    ASSERT_TRUE(linvox->waitForExit(kCallLimit));
    EXPECT_EQ(linvox->exitStatus(), 1);
    EXPECT_TRUE(linvox->standardError().contains(Say(Phrase::ModemWithoutVoice)))
        << linvox->standardError();
    EXPECT_EQ(Dialed("ATD"), 0);
}

// Killed while the phone dials, ModemManager leaves the call to end in a message, in bounded
// time, with the one dial it sent.
TEST_F(ModemManagerOnDesktop, StoppedMidCallEndsTheCallWithAMessage) {
    AddManagedPhone({"--dial-delay", "30000"});
    const auto linvox = Call("tel:0501234567");
    ASSERT_TRUE(RunEventsUntil([&] { return Dialed("ATD0501234567;") == 1; }, kCallLimit));
    session->killModemManager();
    ASSERT_TRUE(linvox->waitForExit(10s));
    EXPECT_EQ(linvox->exitStatus(), 1);
    EXPECT_FALSE(linvox->standardError().isEmpty());
    EXPECT_EQ(Dialed("ATD"), 1);
}

}  // namespace
}  // namespace linvox::testing

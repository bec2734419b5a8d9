// SPDX-License-Identifier: GPL-3.0-or-later
// What Linvox makes of ModemManager's answers, over a bus that gives them as a table; the real
// ModemManager is met in the end-to-end tier.
#include "platform/modemmanager/ModemManagerModems.h"
#include "support/InMemorySettings.h"
#include "support/PairTable.h"
#include "support/QtPrinters.h"

#include <map>
#include <variant>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

const QString kModem = QStringLiteral("/org/freedesktop/ModemManager1/Modem/0");
const QString kCall = QStringLiteral("/org/freedesktop/ModemManager1/Call/0");
const QString kNoReply = QStringLiteral("org.freedesktop.DBus.Error.NoReply: gone");

// Answers each method from a table, the states of the modem one after another; logs the methods
// asked, "Enable", "Start" and so on.
class ScriptedBus : public SystemBus {
public:
    Outcome<QVariantList> Call(const QString&, const QString&, const QString&,
                               const QString& method, const QVariantList&,
                               std::chrono::milliseconds) override {
        asked.append(method);
        if (method == u"Get") {
            return QVariantList{states.isEmpty() ? 8 : states.takeFirst()};
        }
        const auto scripted = answers.find(method);
        if (scripted != answers.end()) {
            return scripted->second;
        }
        return method == u"NameHasOwner" ? QVariantList{true} : QVariantList{kCall};
    }

    std::map<QString, Outcome<QVariantList>> answers;
    QList<int> states;
    QStringList asked;
};

// GetManagedObjects' answer: one modem with its ports, state and whether it makes voice calls.
QVariantList Listing(const QVariantList& ports, int state, bool voice) {
    QVariantMap interfaces{
        {"org.freedesktop.ModemManager1.Modem",
         QVariantMap{
             {"Ports", ports}, {"State", state}, {"Model", "E1752"}, {"Manufacturer", "X"}}}};
    if (voice) {
        interfaces.insert("org.freedesktop.ModemManager1.Modem.Voice", QVariantMap{});
    }
    return {QVariantMap{{kModem, interfaces}}};
}

// ModemManager's MMModemState.
constexpr int kFailed = -1, kDisabled = 3, kEnabling = 6, kEnabled = 7, kRegistered = 8;

// One port of the type a(su), taking AT commands.
const QVariantList kAtPortTtyUsb2{QVariant(QVariantList{"ttyUSB2", 3u})};

class ModemManager : public ::testing::Test {
protected:
    ModemManager() {
        memory.groups["ports"] = {{"COM3", "/dev/ttyUSB2"}};
        bus->answers.insert({"GetManagedObjects", Listing(kAtPortTtyUsb2, kDisabled, true)});
    }

    // The bus goes to the modems at their first question.
    ModemManagerModems Modems() {
        return ModemManagerModems(PortMap(memory), [this] {
            return Outcome<std::unique_ptr<SystemBus>>(std::move(bus));
        });
    }

    InMemorySettings memory;
    std::unique_ptr<ScriptedBus> bus = std::make_unique<ScriptedBus>();
};

TEST(ModemManagerPorts, NameTheirDeviceByKernelNameOrPath) {
    ExpectEach<std::tuple<QString, QString, QString>, bool>(
        {{{"ttyUSB2", "/dev/ttyUSB2", ""}, true},
         {{"ttyUSB2", "/dev/serial/by-id/usb-X-if02", "/dev/ttyUSB2"}, true},
         {{"ttyUSB2", "/dev/ttyUSB22", "/dev/ttyUSB22"}, false},
         {{"ttyUSB2", "/tmp/ttyUSB2", "/dev/pts/3"}, false},
         {{"/tmp/mm/ttySIM0", "/tmp/mm/ttySIM0", ""}, true},
         {{"/tmp/mm/ttySIM0", "/tmp/other/ttySIM0", ""}, false}},
        [](const auto& row) {
            return NamesDevice(std::get<0>(row), std::get<1>(row), std::get<2>(row));
        });
}

TEST_F(ModemManager, OwnsTheComNumberOfAPortItListsAndNoOther) {
    ScriptedBus& watched = *bus;
    ModemManagerModems modems = Modems();
    EXPECT_EQ(modems.ModemOn(3),
              Outcome(std::optional(ManagedModem{kModem, "E1752", "/dev/ttyUSB2"})));
    EXPECT_EQ(modems.ModemOn(4), Outcome(std::optional<ManagedModem>()));
    EXPECT_EQ(modems.AtPorts(), Outcome(QList<ManagedPort>{{"/dev/ttyUSB2", "X E1752"}}));
    // A modem of no ports, or of ports without a name, owns none.
    watched.answers.insert_or_assign(
        "GetManagedObjects",
        Listing({QVariantList{"", 3u}, QVariantList{}, "ttyUSB2"}, kRegistered, true));
    EXPECT_EQ(modems.ModemOn(3), Outcome(std::optional<ManagedModem>()));
    EXPECT_EQ(modems.AtPorts(), Outcome(QList<ManagedPort>()));
    // Not running: nothing more is asked, and nothing is owned.
    watched.answers.insert_or_assign("NameHasOwner", QVariantList{false});
    watched.asked.clear();
    EXPECT_EQ(modems.ModemOn(3), Outcome(std::optional<ManagedModem>()));
    EXPECT_EQ(watched.asked, QStringList{"NameHasOwner"});
    // Silent: the port is left alone.
    watched.answers.insert_or_assign("NameHasOwner", Failure(FailureCode::BusError, {}, kNoReply));
    EXPECT_TRUE(modems.ModemOn(3).failedWith(FailureCode::DeviceNotOpen));
}

TEST_F(ModemManager, WhereItCannotRunAsksNothing) {
    ModemManagerModems modems(PortMap(memory), [] {
        return Outcome<std::unique_ptr<SystemBus>>(std::unique_ptr<SystemBus>());
    });
    EXPECT_EQ(modems.ModemOn(3), Outcome(std::optional<ManagedModem>()));
}

struct CallCase {
    const char* name;
    // The modem's state as listed, none when ModemManager lists no modem; then each state read.
    std::optional<int> listed;
    bool voice;
    QList<int> states;
    // The one method that fails, with the D-Bus error it fails with.
    std::pair<QString, QString> failing;
    // What the call comes to, or why it fails.
    std::variant<ManagedCall, FailureCode> result;
    // The methods asked after NameHasOwner and GetManagedObjects.
    QString asked;
};

void PrintTo(const CallCase& call, std::ostream* out) {
    *out << call.name;
}

class CallThroughModemManager : public ModemManager,
                                public ::testing::WithParamInterface<CallCase> {};

TEST_P(CallThroughModemManager, EnablesDialsOrSaysWhyNot) {
    const CallCase& call = GetParam();
    ScriptedBus& watched = *bus;
    bus->answers.insert_or_assign("GetManagedObjects",
                                  call.listed ? Listing(kAtPortTtyUsb2, *call.listed, call.voice)
                                              : QVariantList{QVariantMap{}});
    const auto& [method, error] = call.failing;
    if (!method.isEmpty()) {
        bus->answers.insert(
            {method, Failure(FailureCode::BusError, method == u"Start" ? kCall : kModem, error)});
    }
    bus->states = call.states;
    ModemManagerModems modems = Modems();
    const Outcome<ManagedCall> dialed = modems.Dial(3, "0501234567");
    EXPECT_EQ(dialed.ok() ? decltype(call.result)(dialed.value()) : dialed.failure().code(),
              call.result);
    EXPECT_EQ(watched.asked.mid(2).join(u' '), call.asked);
}

const QString kUnauthorized =
    "org.freedesktop.ModemManager1.Error.Core.Unauthorized: PolicyKit authorization failed";
const QString kWrongState = "org.freedesktop.ModemManager1.Error.Core.WrongState: locked";
const QString kNoVoice =
    "org.freedesktop.DBus.Error.UnknownMethod: No such interface "
    "“org.freedesktop.ModemManager1.Modem.Voice”";
constexpr auto kPlaced = ManagedCall::Placed;
constexpr auto kDeviceNotOpen = FailureCode::DeviceNotOpen;
constexpr auto kWithoutVoice = FailureCode::ModemWithoutVoice;

INSTANTIATE_TEST_SUITE_P(
    Answers, CallThroughModemManager,
    ::testing::Values(
        CallCase{"DisabledIsEnabledAndAwaitedFirst",
                 kDisabled,
                 true,
                 {kEnabled, kRegistered},
                 {},
                 kPlaced,
                 "Enable Get Get CreateCall Start"},
        CallCase{"RegisteredCallsAtOnce", kRegistered, true, {}, {}, kPlaced, "CreateCall Start"},
        CallCase{"WithoutVoice", kRegistered, false, {}, {}, kWithoutVoice, ""},
        CallCase{"Failed", kFailed, true, {}, {}, kDeviceNotOpen, ""},
        CallCase{"FailsWhileRegistering", kEnabling, true, {kFailed}, {}, kDeviceNotOpen, "Get"},
        CallCase{"EnableRefused",
                 kDisabled,
                 true,
                 {},
                 {"Enable", kWrongState},
                 kDeviceNotOpen,
                 "Enable"},
        CallCase{"RefusedByItsRulesIsTakenBack",
                 kRegistered,
                 true,
                 {},
                 {"Start", kUnauthorized},
                 FailureCode::PortAlreadyOpen,
                 "CreateCall Start DeleteCall"},
        CallCase{"GoneMidCallIsTakenBack",
                 kRegistered,
                 true,
                 {},
                 {"Start", kNoReply},
                 kDeviceNotOpen,
                 "CreateCall Start DeleteCall"},
        CallCase{"VoiceGoneMeanwhile",
                 kRegistered,
                 true,
                 {},
                 {"CreateCall", kNoVoice},
                 kWithoutVoice,
                 "CreateCall"},
        CallCase{
            "NotListedIsLeftToTheLine", std::nullopt, true, {}, {}, ManagedCall::NotManaged, ""}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace linvox::testing

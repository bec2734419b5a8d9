// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/LineCommands.h"
#include "support/FakeModemList.h"
#include "support/FakePause.h"
#include "support/FakeSerialLine.h"
#include "support/InMemorySettings.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageSink.h"
#include "support/RecordingViews.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(LineCommands, RunOneAtATimeAndGiveThePortBackWhenDone) {
    InMemorySettings memory;
    memory.preset({{"port_mts", "2"}});
    SettingsStore settings = memory.store();
    FakeSerialLine line;
    FakeModemList modems;
    RecordingMessageSink messages;
    FakePause pause;
    NoManagedModems managed;
    LineCommands commands(line, managed, modems, settings, messages, pause);
    RecordingSearchView search;
    RecordingCheckView check;
    check.fields.fill("2");

    pause.duringPause = [&] {
        EXPECT_TRUE(line.PortOpen());
        commands.SearchPorts(search);
        commands.CheckPorts(check);
        commands.PlaceManualCall("0501234567");
    };
    commands.PlaceManualCall("0501234567");
    EXPECT_TRUE(search.log.isEmpty());
    EXPECT_TRUE(check.log.isEmpty());
    EXPECT_EQ(line.log.count("Output=ATD0501234567;\r"), 1);
    EXPECT_FALSE(line.PortOpen());

    pause.duringPause = nullptr;
    line.onOpen = [](FakeSerialLine& opened) { opened.arrivals = {"MODEL X1"}; };
    commands.CheckPorts(check);
    EXPECT_EQ(check.results[kAllCallsRow], "MODEL X1");
    EXPECT_FALSE(line.PortOpen());
    EXPECT_EQ(commands.PlaceCallRequest("tel:0501234567"), DialResult::Sent);
    EXPECT_FALSE(line.PortOpen());
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/SearchModemPorts.h"
#include "support/FakeModemList.h"
#include "support/FakeProbe.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageSink.h"
#include "support/RecordingViews.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(PortSearch, PercentagesRoundHalvesToEvenOverAnyRange) {
    QList<int> spanOfEight;
    for (int port = 10; port <= 18; ++port) {
        spanOfEight.append(SearchPercentage(port, 10, 18));
    }
    EXPECT_EQ(spanOfEight, (QList<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_EQ(SearchPercentage(-32768 + 400, -32768, 32767), 1);
    EXPECT_EQ(SearchPercentage(32767, -32768, 32767), 100);
    EXPECT_EQ(SearchBarWidth(0), 2);
    EXPECT_EQ(SearchBarWidth(100), 3615);
}

class Search : public ::testing::Test {
protected:
    void Run() { SearchModemPorts(inventory, probe, view, messages); }

    FakeModemList modems;
    ModemInventory inventory{modems};
    FakeProbe probe;
    RecordingSearchView view;
    RecordingMessageSink messages;
};

TEST_F(Search, ProbesTheRangeSilentlyAndListsWhatAnswered) {
    modems.listing = ModemListing{{{"COM3", "Phone"}}, {}};
    // A device whose whole answer is "ER" reads as the failure text.
    probe.answers = {{3, "MODEL X1"}, {4, "ER"}, {5, "ERROR"}};
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(probe.commands.count("AT+GMM"), probe.commands.size());
    EXPECT_EQ(view.resultText, "\r\n3 - MODEL X1\r\n5 - ERROR");
    EXPECT_EQ(view.logged("caption"),
              ProgressCaptions(Phrase::SearchWaitCaption, {0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(view.log.first(4), (QStringList{"bar", "width=2", "colour=highlight", "result="}));
    EXPECT_EQ(view.log.last(2), (QStringList{"colour=green", "result=" + view.resultText}));
    EXPECT_EQ(messages.messages, (QList<Message>{{Say(Phrase::SearchWarning), kProgramTitle}}));
}

TEST_F(Search, WithoutModemsProbesNothingAndSaysSo) {
    const Failure notice = Failure(FailureCode::SettingNotSaved)
                               .Because(Failure(FailureCode::SettingsFileNotWritable, "x.conf"));
    const Failure unreadable(FailureCode::DeviceListNotRead, {}, {}, EIO);
    const std::pair<Outcome<ModemListing>, QList<Failure>> listings[] = {
        {ModemListing{{}, {notice}}, {notice}},
        {unreadable, {Failure(FailureCode::ModemListNotRead).Because(unreadable)}}};
    for (const auto& [listing, told] : listings) {
        modems.listing = listing;
        messages.messages = {};
        Run();
        EXPECT_TRUE(probe.probes.isEmpty());
        EXPECT_EQ(view.logged("caption").last(), "caption=" + Say(Phrase::SearchWaitCaption));
        EXPECT_EQ(view.logged("width").last(), "width=2");
        EXPECT_EQ(view.resultText, Say(Phrase::NoModemsFound));
        QList<Message> expected{{Say(Phrase::SearchWarning), kProgramTitle}};
        for (const Failure& failure : told) {
            expected.append({Say(failure), kProgramTitle});
        }
        EXPECT_EQ(messages.messages, expected);
    }
}

TEST_F(Search, EndsOnARangeThatReachesTheLastPortNumber) {
    modems.listing = ModemListing{{{"COM32767", "far"}}, {}};
    Run();
    EXPECT_EQ(probe.probes.size(), 32767 - 94 + 1);
    EXPECT_EQ(view.logged("caption").last(), "caption=" + DoneCaption(100));
}

TEST_F(Search, ReadsTheModemListOnceForTheRangeAndEverySilentPort) {
    modems.listing = ModemListing{{{"COM3", "Phone"}, {"COM4", "Modem"}}, {}};
    // As the probe does for a silent port: it shows the listed modem's name.
    probe.duringProbe = [&] { static_cast<void>(inventory.ModemNameForPort(4)); };
    Run();
    EXPECT_EQ(probe.probes.size(), 7);
    EXPECT_EQ(modems.queries, 1);
    // After the search, a name comes from the system's list as it is then.
    modems.listing = ModemListing{{{"COM4", "Other"}}, {}};
    EXPECT_EQ(inventory.ModemNameForPort(4).value(), "(Other)");
}

TEST_F(Search, KeepsEveryResultOnItsOwnLine) {
    modems.listing = ModemListing{{{"COM3", "Phone"}}, {}};
    probe.answers = {{3, "MODEL\u20297 - Nokia 3310 (fake)"}, {4, "A\fB"}, {5, "(Maker\nX)"}};
    Run();
    EXPECT_EQ(view.resultText,
              "\r\n3 - MODEL\uFFFD7 - Nokia 3310 (fake)\r\n4 - A\uFFFDB\r\n5 - (Maker\uFFFDX)");
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/PortSearch.h"
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
    modems.listing.entries = {{"COM3", "Phone"}};
    // A device whose whole answer is "ER" reads as the failure text.
    probe.answers = {{3, "MODEL X1"}, {4, "ER"}, {5, "ERROR"}};
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"3/0", "4/0", "5/0", "6/0", "7/0", "8/0"}));
    EXPECT_EQ(probe.commands.count("AT+GMM"), probe.commands.size());
    EXPECT_EQ(view.resultText, "\r\n3 - MODEL X1\r\n5 - ERROR");
    EXPECT_EQ(
        view.logged("caption"),
        (QStringList{"caption=Подождите...", "caption=Выполнено: 0%", "caption=Выполнено: 20%",
                     "caption=Выполнено: 40%", "caption=Выполнено: 60%", "caption=Выполнено: 80%",
                     "caption=Выполнено: 100%"}));
    EXPECT_EQ(view.log.first(4), (QStringList{"bar", "width=2", "colour=highlight", "result="}));
    EXPECT_EQ(view.log.last(2), (QStringList{"colour=green", "result=" + view.resultText}));
    const Message warning{
        "Внимание! На выполнение этой операции необходимо примерно от 30 секунд до 2 минут. В это "
        "время может казаться что компьютер как бы завис. Дождитесь окончания процесса!",
        "Linvox"};
    EXPECT_EQ(messages.messages, QList<Message>{warning});
}

TEST_F(Search, WithoutModemsProbesNothingAndSaysSo) {
    for (const QString& failure : {QString(), QStringLiteral("udev unreachable")}) {
        modems.listing = {{}, failure, {"Настройка не сохранена: x"}};
        messages.messages.clear();
        Run();
        EXPECT_TRUE(probe.probes.isEmpty());
        EXPECT_EQ(view.logged("caption").last(), "caption=Подождите...");
        EXPECT_EQ(view.logged("width").last(), "width=2");
        EXPECT_EQ(view.resultText,
                  "На этом компьютере не обнаружено модемов, через которые "
                  "можно было бы звонить!");
        EXPECT_EQ(messages.messages.size(), failure.isEmpty() ? 2 : 3);
        EXPECT_TRUE(messages.messages.last().text.contains(failure.isEmpty() ? "x" : failure));
    }
}

TEST_F(Search, EndsOnARangeThatReachesTheLastPortNumber) {
    modems.listing.entries = {{"COM32767", "far"}};
    Run();
    EXPECT_EQ(probe.probes.size(), 32767 - 94 + 1);
    EXPECT_EQ(view.logged("caption").last(), "caption=Выполнено: 100%");
}

TEST_F(Search, ReadsTheModemListOnceForTheRangeAndEverySilentPort) {
    modems.listing.entries = {{"COM3", "Phone"}, {"COM4", "Modem"}};
    // As the probe does for a silent port: it shows the listed modem's name.
    probe.duringProbe = [&] { inventory.ModemNameForPort(4); };
    Run();
    EXPECT_EQ(probe.probes.size(), 7);
    EXPECT_EQ(modems.queries, 1);
    // After the search, a name comes from the system's list as it is then.
    modems.listing.entries = {{"COM4", "Other"}};
    EXPECT_EQ(inventory.ModemNameForPort(4).value, "(Other)");
}

TEST_F(Search, KeepsEveryResultOnItsOwnLine) {
    modems.listing.entries = {{"COM3", "Phone"}};
    probe.answers = {{3, "MODEL\u20297 - Nokia 3310 (fake)"}, {4, "A\fB"}, {5, "(Maker\nX)"}};
    Run();
    EXPECT_EQ(view.resultText,
              "\r\n3 - MODEL\uFFFD7 - Nokia 3310 (fake)\r\n4 - A\uFFFDB\r\n5 - (Maker\uFFFDX)");
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/PortCheck.h"
#include "support/FakeModemList.h"
#include "support/FakeProbe.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageSink.h"
#include "support/RecordingViews.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

class Check : public ::testing::Test {
protected:
    void Run() { CheckSelectedPorts(inventory, probe, view, messages); }

    FakeModemList modems;
    ModemInventory inventory{modems};
    FakeProbe probe;
    RecordingCheckView view;
    RecordingMessageSink messages;
};

TEST_F(Check, ProbesEachRowAndShowsTheReportModeAnswer) {
    view.fields = {"3", " 4", "", "99999", "7"};
    view.results.fill("stale");
    probe.answers = {{3, "MODEL X1"}, {7, "(Phone)"}};
    Run();
    EXPECT_EQ(probe.probes,
              (QStringList{"3/0", "3/1", "4/0", "4/0", "4/1", "0/0", "0/0", "0/1", "7/0", "7/1"}));
    EXPECT_EQ(view.results,
              (std::array<QString, kPortRowCount>{"MODEL X1", "Неизвестно", "Неизвестно",
                                                  "Неверный порт", "(Phone)"}));
    EXPECT_EQ(
        view.logged("caption"),
        (QStringList{"caption=Подождите....", "caption=Выполнено: 0%", "caption=Выполнено: 20%",
                     "caption=Выполнено: 40%", "caption=Выполнено: 60%", "caption=Выполнено: 80%",
                     "caption=Выполнено: 100%"}));
    EXPECT_EQ(view.logged("width"), (QStringList{"width=2", "width=723", "width=1446", "width=2169",
                                                 "width=2892", "width=3615"}));
    EXPECT_EQ(view.log.last(), "colour=green");
    const Message warning{
        "Внимание! На выполнение этой операции необходимо примерно 30 секунд. В это время может "
        "казаться что компьютер как бы завис. Дождитесь окончания процесса!",
        "Linvox"};
    EXPECT_EQ(messages.messages, QList<Message>{warning});
}

TEST_F(Check, ReadsTheModemListOnlyWhenAPortIsSilentAndThenOnce) {
    view.fields = {"3", "4", "5", "6", "7"};
    probe.answers = {
        {3, "MODEL X1"}, {4, "MODEL X1"}, {5, "MODEL X1"}, {6, "MODEL X1"}, {7, "MODEL X1"}};
    Run();
    EXPECT_EQ(modems.queries, 0);

    probe.answers.clear();
    // As the probe does for a silent port: it names the listed modem.
    probe.duringProbe = [&] { inventory.ModemNameForPort(4); };
    Run();
    EXPECT_EQ(modems.queries, 1);
}

TEST_F(Check, WithOnePhoneChecksOnlyThePortForAllCalls) {
    view.singlePhone = true;
    view.fields = {"3", "3", "3", "3", "5"};
    view.results.fill("stale");
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"5/0", "5/0", "5/1"}));
    EXPECT_EQ(view.results, (std::array<QString, kPortRowCount>{"", "", "", "", "Неизвестно"}));
    EXPECT_EQ(view.logged("caption").last(2),
              (QStringList{"caption=Выполнено: 0%", "caption=Выполнено: 100%"}));
}

TEST_F(Check, ReadsTheFieldAnewForEveryProbe) {
    view.singlePhone = true;
    view.fields[kAllCallsRow] = "5";
    probe.duringProbe = [this] { view.fields[kAllCallsRow] = "6"; };
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"5/0", "6/0", "6/1"}));
}

TEST_F(Check, ShowsEachAnswerOnOneLine) {
    view.singlePhone = true;
    view.fields[kAllCallsRow] = "5";
    probe.answers = {{5, "Phone\u2028\x1b[31mX"}};
    Run();
    EXPECT_EQ(view.results[kAllCallsRow], "Phone\uFFFD\uFFFD[31mX");
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/CheckSelectedPorts.h"
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

TEST_F(Check, ProbesEachRowAndShowsWhatTheLastProbeFound) {
    view.fields = {"3", " 4", "", "99999", "7"};
    view.results.fill("stale");
    probe.answers = {{3, "MODEL X1"}, {7, "(Phone)"}};
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"3", "3", "4", "4", "4", "0", "0", "0", "7", "7"}));
    const QString unknown = Say(Phrase::ProbeUnknown);
    EXPECT_EQ(view.results,
              (std::array<QString, kPortRowCount>{"MODEL X1", unknown, unknown,
                                                  Say(Phrase::ProbeInvalidPort), "(Phone)"}));
    EXPECT_EQ(view.logged("caption"),
              ProgressCaptions(Phrase::CheckWaitCaption, {0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(view.logged("width"), (QStringList{"width=2", "width=723", "width=1446", "width=2169",
                                                 "width=2892", "width=3615"}));
    EXPECT_EQ(view.log.last(), "colour=green");
    EXPECT_EQ(messages.messages, (QList<Message>{{Say(Phrase::CheckWarning), kProgramTitle}}));
}

TEST_F(Check, ReadsTheModemListOnlyWhenAPortIsSilentAndThenOnce) {
    view.fields = {"3", "4", "5", "6", "7"};
    probe.answers = {
        {3, "MODEL X1"}, {4, "MODEL X1"}, {5, "MODEL X1"}, {6, "MODEL X1"}, {7, "MODEL X1"}};
    Run();
    EXPECT_EQ(modems.queries, 0);

    probe.answers.clear();
    // As the probe does for a silent port: it names the listed modem.
    probe.duringProbe = [&] { static_cast<void>(inventory.ModemNameForPort(4)); };
    Run();
    EXPECT_EQ(modems.queries, 1);
}

TEST_F(Check, WithOnePhoneChecksOnlyThePortForAllCalls) {
    view.singlePhone = true;
    view.fields = {"3", "3", "3", "3", "5"};
    view.results.fill("stale");
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"5", "5", "5"}));
    EXPECT_EQ(view.results,
              (std::array<QString, kPortRowCount>{"", "", "", "", Say(Phrase::ProbeUnknown)}));
    EXPECT_EQ(view.logged("caption").last(2),
              ProgressCaptions(Phrase::CheckWaitCaption, {0, 100}).last(2));
}

TEST_F(Check, ReadsTheFieldAnewForEveryProbe) {
    view.singlePhone = true;
    view.fields[kAllCallsRow] = "5";
    probe.duringProbe = [this] { view.fields[kAllCallsRow] = "6"; };
    Run();
    EXPECT_EQ(probe.probes, (QStringList{"5", "6", "6"}));
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/SerialPortProbe.h"
#include "support/FakeManagedModems.h"
#include "support/FakeModemList.h"
#include "support/FakeSerialLine.h"
#include "support/PairTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

class Probe : public ::testing::Test {
protected:
    // Each opening of the line brings the same answer, piece by piece.
    void AnswerEveryOpening(const QList<QByteArray>& pieces) {
        line.onOpen = [pieces](FakeSerialLine& opened) { opened.arrivals = pieces; };
    }

    FakeSerialLine line;
    FakeModemList modems;
    ModemInventory inventory{modems};
    FakeManagedModems managed;
    SerialPortProbe probe{line, managed, inventory};
};

TEST_F(Probe, GivesTheCleanedAnswerGatheredOverManyReads) {
    AnswerEveryOpening({"AT+GMM\r\r\nMODEL X1\r\nO", "K\r\n"});
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3), ProbeOutcome::Answered("MODEL X1"));
    EXPECT_EQ(line.log, (QStringList{"CommPort=3", "PortOpen=true", "InBufferCount=0",
                                     "Output=AT+GMM\r", "AwaitInput", "Input", "WaitForMoreInput",
                                     "Input", "WaitForMoreInput", "Input"}));
    EXPECT_TRUE(line.PortOpen());
    EXPECT_EQ(modems.queries, 0);
}

TEST_F(Probe, TakesTheModelOfAManagedModemFromItsManagerWithoutOpeningThePort) {
    managed.modems.insert({3, std::optional(ManagedModem{"/modem/0", " E1752\r\nOK", "x"})});
    managed.modems.insert({4, Failure(FailureCode::DeviceNotOpen)});
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3), ProbeOutcome::Answered("E1752"));
    EXPECT_EQ(probe.ProbePort("AT+GMM", 4),
              ProbeOutcome::Failed(Failure(FailureCode::DeviceNotOpen)));
    EXPECT_TRUE(line.log.isEmpty()) << line.log.join(' ');
}

TEST_F(Probe, KeepsAnAnswerThatArrivesWhileTheCommandIsWritten) {
    line.onOutput = [](FakeSerialLine& written) { written.incoming = "AT+GMM\r\r\nFAST 1\r\n"; };
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3), ProbeOutcome::Answered("FAST 1"));
}

TEST_F(Probe, FallsBackOnTheListedNameWhenTheDeviceIsSilent) {
    modems.listing =
        ModemListing{{{"COM5", "Стандартный модем по соединению через Bluetooth"}}, {}};
    const std::pair<qint16, ProbeOutcome> cases[] = {
        {5, ProbeOutcome::ListedModem("(модем  через Bluetooth)")}, {6, ProbeOutcome::NoModem()}};
    for (const auto& [port, found] : cases) {
        EXPECT_EQ(probe.ProbePort("AT+GMM", port), found) << port;
    }
    EXPECT_TRUE(probe.ProbePort("AT+GMM", 6).FoundNothing());
    EXPECT_EQ(ProbeResultText(ProbeOutcome::NoModem()), Say(Phrase::ProbeUnknown));
    modems.listing = Failure(FailureCode::StoredNumberOverflow);
    const ProbeOutcome failed = probe.ProbePort("AT+GMM", 5);
    EXPECT_EQ(failed, ProbeOutcome::Failed(Failure(FailureCode::StoredNumberOverflow)));
    EXPECT_EQ(ProbeResultText(failed), Say(Phrase::Overflow));
    EXPECT_TRUE(failed.FoundNothing());
}

TEST_F(Probe, WordsLineFailuresShortly) {
    ExpectEach<Failure, QString>(
        {{Failure(FailureCode::InvalidPortNumber), Say(Phrase::ProbeInvalidPort)},
         {Failure(FailureCode::DeviceNotOpen), Say(Phrase::ProbeCannotConnect)},
         {Failure(FailureCode::PortAlreadyOpen), Say(Phrase::ProbePortHeld)},
         {Failure(FailureCode::SystemError, "/dev/ttyS3", {}, EIO),
          Say(Phrase::SystemError).arg("EIO")}},
        [this](const Failure& failure) {
            line.openFailures = {failure};
            const ProbeOutcome found = probe.ProbePort("AT+GMM", 4);
            EXPECT_TRUE(found.FoundNothing());
            EXPECT_EQ(found, ProbeOutcome::Failed(failure));
            return ProbeResultText(found);
        });
    EXPECT_EQ(ProbeResultText(probe.ProbePort("AT+GMM", 0)), Say(Phrase::ProbeInvalidPort));
}

TEST_F(Probe, AsksThreeTimesADeviceThatOnlyEchoes) {
    AnswerEveryOpening({"AT+GMM\r\nOK\r\n"});
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3), ProbeOutcome::NoData());
    EXPECT_EQ(ProbeResultText(ProbeOutcome::NoData()), Say(Phrase::ProbeNoData));
    EXPECT_EQ(line.log.count("Output=AT+GMM\r"), 3);
    modems.listing = ModemListing{{{"COM3", "Phone"}}, {}};
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3), ProbeOutcome::ListedModem("(Phone)"));
}

TEST_F(Probe, TakesADeviceThatOnlyReportsOfItsOwnAccordForASilentOne) {
    modems.listing = ModemListing{{{"COM5", "Phone"}}, {}};
    const struct {
        QByteArray sent;
        qint16 port;
        ProbeOutcome found;
        qsizetype asked;
    } cases[] = {{"\r\n^RSSI:14\r\n", 5, ProbeOutcome::ListedModem("(Phone)"), 1},
                 {"\r\nRING\r\n\r\n+CRING: VOICE\r\n", 6, ProbeOutcome::NoModem(), 1},
                 {"^BOOT:35323129,0,0,0,26\r\n", 6, ProbeOutcome::NoModem(), 1},
                 // Its echo and "OK" are an answer, though an empty one: asked again as any other.
                 {"AT+GMM\r\r\n^RSSI:14\r\n\r\nOK\r\n", 6, ProbeOutcome::NoData(), 3}};
    for (const auto& probed : cases) {
        line.log.clear();
        AnswerEveryOpening({probed.sent});
        EXPECT_EQ(probe.ProbePort("AT+GMM", probed.port), probed.found)
            << probed.sent.toStdString();
        EXPECT_EQ(line.log.count("Output=AT+GMM\r"), probed.asked) << probed.sent.toStdString();
    }
}

TEST_F(Probe, TakesAnAnswerOfExactlyERForAFailure) {
    const std::pair<QByteArray, bool> cases[] = {{"AT+GMM\r\r\nER\r\n\r\nOK\r\n", true},
                                                 {"AT+GMM\r\r\nE\r\nR\r\n", true},
                                                 {"AT+GMM\r\r\nERROR\r\n", false},
                                                 {"AT+GMM\r\r\nER 2\r\n", false}};
    for (const auto& [sent, failed] : cases) {
        AnswerEveryOpening({sent});
        const ProbeOutcome found = probe.ProbePort("AT+GMM", 3);
        EXPECT_EQ(found.kind(), ProbeOutcome::Kind::Answered) << sent.toStdString();
        EXPECT_EQ(found.FoundNothing(), failed) << sent.toStdString();
    }
}

TEST_F(Probe, SendsNothingForAnEmptyCommandButStillReads) {
    AnswerEveryOpening({"READY\r\n"});
    EXPECT_EQ(probe.ProbePort("", 3), ProbeOutcome::Answered("READY"));
    EXPECT_FALSE(line.log.join(' ').contains("Output"));
}

TEST_F(Probe, KeepsABoundedPartOfAFlood) {
    AnswerEveryOpening(QList<QByteArray>(100, QByteArray(4096, 'x')));
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3).found().size(), SerialPortProbe::kKeptAnswerBytes);
    EXPECT_EQ(line.log.count("Input"), 101);
}

}  // namespace
}  // namespace linvox::testing

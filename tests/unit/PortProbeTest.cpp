// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/PortProbe.h"
#include "support/FakeModemList.h"
#include "support/FakeSerialLine.h"
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
    SerialPortProbe probe{line, inventory};
};

TEST_F(Probe, GivesTheCleanedAnswerGatheredOverManyReads) {
    AnswerEveryOpening({"AT+GMM\r\r\nMODEL X1\r\nO", "K\r\n"});
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, ProbeMode::Silent), ProbeOutcome::Answered("MODEL X1"));
    EXPECT_EQ(line.log, (QStringList{"CommPort=3", "PortOpen=true", "InBufferCount=0",
                                     "Output=AT+GMM\r", "AwaitInput", "Input", "WaitForMoreInput",
                                     "Input", "WaitForMoreInput", "Input"}));
    EXPECT_TRUE(line.PortOpen());
    EXPECT_EQ(modems.queries, 0);
}

TEST_F(Probe, KeepsAnAnswerThatArrivesWhileTheCommandIsWritten) {
    line.onOutput = [](FakeSerialLine& written) { written.incoming = "AT+GMM\r\r\nFAST 1\r\n"; };
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, ProbeMode::Silent), ProbeOutcome::Answered("FAST 1"));
}

TEST_F(Probe, FallsBackOnTheListedNameWhenTheDeviceIsSilent) {
    modems.listing.entries = {{"COM5", "Стандартный модем по соединению через Bluetooth"}};
    using Kind = ProbeOutcome::Kind;
    const struct {
        qint16 port;
        ProbeMode mode;
        Kind kind;
        QString text;
    } cases[] = {{5, ProbeMode::Silent, Kind::ListedModem, "(модем  через Bluetooth)"},
                 {5, ProbeMode::Report, Kind::ListedModem, "(модем  через Bluetooth)"},
                 {6, ProbeMode::Silent, Kind::NoModem, "ER"},
                 {6, ProbeMode::Report, Kind::NoModem, "Неизвестно"}};
    for (const auto& probed : cases) {
        const ProbeOutcome found = probe.ProbePort("AT+GMM", probed.port, probed.mode);
        EXPECT_EQ(found.kind(), probed.kind) << probed.port;
        EXPECT_EQ(found.text(), probed.text) << probed.port;
        EXPECT_EQ(found.FoundNothing(), probed.text == "ER") << probed.port;
    }
    modems.listing = {{}, "Overflow", {}};
    EXPECT_EQ(probe.ProbePort("AT+GMM", 5, ProbeMode::Report).text(), "Overflow");
    EXPECT_TRUE(probe.ProbePort("AT+GMM", 5, ProbeMode::Silent).FoundNothing());
}

TEST_F(Probe, WordsLineFailuresOnlyInReportMode) {
    const std::pair<LineStatus, QString> cases[] = {
        {LineStatus::InvalidPortNumber(), "Неверный порт"},
        {LineStatus::DeviceNotOpen(), "Не удаётся подключиться"},
        {LineStatus::PortAlreadyOpen(), "Порт модема используется другой программой"},
        {LineStatus::System("Input/output error"), "Input/output error"}};
    for (const auto& [failure, text] : cases) {
        line.openFailures = {failure, failure};
        EXPECT_EQ(probe.ProbePort("AT+GMM", 4, ProbeMode::Report),
                  ProbeOutcome::Failed(ProbeMode::Report, text));
        const ProbeOutcome silent = probe.ProbePort("AT+GMM", 4, ProbeMode::Silent);
        EXPECT_EQ(silent.text(), "ER");
        EXPECT_TRUE(silent.FoundNothing());
    }
    EXPECT_EQ(probe.ProbePort("AT+GMM", 0, ProbeMode::Report).text(), "Неверный порт");
}

TEST_F(Probe, AsksThreeTimesADeviceThatOnlyEchoes) {
    AnswerEveryOpening({"AT+GMM\r\nOK\r\n"});
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, ProbeMode::Silent).text(), "Нет данных");
    EXPECT_EQ(line.log.count("Output=AT+GMM\r"), 3);
    modems.listing.entries = {{"COM3", "Phone"}};
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, ProbeMode::Report),
              ProbeOutcome::ListedModem("(Phone)"));
}

TEST_F(Probe, TakesADeviceThatOnlyReportsOfItsOwnAccordForASilentOne) {
    modems.listing.entries = {{"COM5", "Phone"}};
    const struct {
        QByteArray sent;
        qint16 port;
        ProbeMode mode;
        ProbeOutcome found;
        qsizetype asked;
    } cases[] = {
        {"\r\n^RSSI:14\r\n", 5, ProbeMode::Silent, ProbeOutcome::ListedModem("(Phone)"), 1},
        {"\r\nRING\r\n\r\n+CRING: VOICE\r\n", 6, ProbeMode::Silent,
         ProbeOutcome::NoModem(ProbeMode::Silent), 1},
        {"^BOOT:35323129,0,0,0,26\r\n", 6, ProbeMode::Report,
         ProbeOutcome::NoModem(ProbeMode::Report), 1},
        // Its echo and "OK" are an answer, though an empty one: asked again as any other.
        {"AT+GMM\r\r\n^RSSI:14\r\n\r\nOK\r\n", 6, ProbeMode::Report, ProbeOutcome::NoData(), 3}};
    for (const auto& probed : cases) {
        line.log.clear();
        AnswerEveryOpening({probed.sent});
        EXPECT_EQ(probe.ProbePort("AT+GMM", probed.port, probed.mode), probed.found)
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
        for (const ProbeMode mode : {ProbeMode::Silent, ProbeMode::Report}) {
            const ProbeOutcome found = probe.ProbePort("AT+GMM", 3, mode);
            EXPECT_EQ(found.kind(), ProbeOutcome::Kind::Answered) << sent.toStdString();
            EXPECT_EQ(found.FoundNothing(), failed) << sent.toStdString();
        }
    }
}

TEST_F(Probe, SendsNothingForAnEmptyCommandButStillReads) {
    AnswerEveryOpening({"READY\r\n"});
    EXPECT_EQ(probe.ProbePort("", 3, ProbeMode::Silent), ProbeOutcome::Answered("READY"));
    EXPECT_FALSE(line.log.join(' ').contains("Output"));
}

TEST_F(Probe, KeepsABoundedPartOfAFlood) {
    AnswerEveryOpening(QList<QByteArray>(100, QByteArray(4096, 'x')));
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, ProbeMode::Silent).text().size(),
              SerialPortProbe::kKeptAnswerBytes);
    EXPECT_EQ(line.log.count("Input"), 101);
}

}  // namespace
}  // namespace linvox::testing

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
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, kSilentMode), "MODEL X1");
    EXPECT_EQ(line.log, (QStringList{"CommPort=3", "PortOpen=true", "InBufferCount=0",
                                     "Output=AT+GMM\r", "AwaitInput", "Input", "WaitForMoreInput",
                                     "Input", "WaitForMoreInput", "Input"}));
    EXPECT_TRUE(line.PortOpen());
    EXPECT_EQ(modems.queries, 0);
}

TEST_F(Probe, KeepsAnAnswerThatArrivesWhileTheCommandIsWritten) {
    line.onOutput = [](FakeSerialLine& written) { written.incoming = "AT+GMM\r\r\nFAST 1\r\n"; };
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, kSilentMode), "FAST 1");
}

TEST_F(Probe, FallsBackOnTheListedNameWhenTheDeviceIsSilent) {
    modems.listing.entries = {{"COM5", "Стандартный модем по соединению через Bluetooth"}};
    const struct {
        qint16 port;
        qint16 report;
        QString result;
    } cases[] = {{5, kSilentMode, "(модем  через Bluetooth)"},
                 {5, kReportMode, "(модем  через Bluetooth)"},
                 {6, kSilentMode, "ER"},
                 {6, kReportMode, "Неизвестно"},
                 {6, 2, "ER"}};
    for (const auto& probed : cases) {
        EXPECT_EQ(probe.ProbePort("AT+GMM", probed.port, probed.report), probed.result)
            << probed.port << " " << probed.report;
    }
    modems.listing = {{}, "Overflow", {}};
    EXPECT_EQ(probe.ProbePort("AT+GMM", 5, kReportMode), "Overflow");
    EXPECT_EQ(probe.ProbePort("AT+GMM", 5, kSilentMode), "ER");
}

TEST_F(Probe, WordsLineFailuresOnlyInReportMode) {
    const std::pair<QString, QString> cases[] = {
        {"Invalid port number", "Неверный порт"},
        {"The device is not open", "Не удаётся подключиться"},
        {"Port already open", "Порт модема используется другой программой"},
        {"Overflow", "Overflow"}};
    for (const auto& [description, text] : cases) {
        line.openFailures = {description, description};
        EXPECT_EQ(probe.ProbePort("AT+GMM", 4, kReportMode), text);
        EXPECT_EQ(probe.ProbePort("AT+GMM", 4, kSilentMode), "ER");
    }
    EXPECT_EQ(probe.ProbePort("AT+GMM", 0, kReportMode), "Неверный порт");
}

TEST_F(Probe, AsksThreeTimesADeviceThatOnlyEchoes) {
    AnswerEveryOpening({"AT+GMM\r\nOK\r\n"});
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, kSilentMode), "Нет данных");
    EXPECT_EQ(line.log.count("Output=AT+GMM\r"), 3);
    modems.listing.entries = {{"COM3", "Phone"}};
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, kReportMode), "(Phone)");
}

TEST_F(Probe, SendsNothingForAnEmptyCommandButStillReads) {
    AnswerEveryOpening({"RING\r\n"});
    EXPECT_EQ(probe.ProbePort("", 3, kSilentMode), "RING");
    EXPECT_FALSE(line.log.join(' ').contains("Output"));
}

TEST_F(Probe, KeepsABoundedPartOfAFlood) {
    AnswerEveryOpening(QList<QByteArray>(100, QByteArray(4096, 'x')));
    EXPECT_EQ(probe.ProbePort("AT+GMM", 3, kSilentMode).size(), SerialPortProbe::kKeptAnswerBytes);
    EXPECT_EQ(line.log.count("Input"), 101);
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// What real phones and modems answer to the model query, replayed byte for byte by the phone
// simulator, through the real serial line and the probe. The simulator sends its echo of
// "AT+GMM\r" first and each row's bytes after it. The framing is that of ITU-T V.250 (verbose
// result codes: CR LF, text, CR LF) and 3GPP TS 27.007 (unsolicited result codes, on lines of
// their own). Where a source shows the answer to AT+CGMM or AT+GMM? instead: +CGMM is the
// mobile's own form of +GMM, and a phone answers both alike (Nokia's AT command sets, +CGMM: "the
// response of the command +GMM is identical"). A row that puts a code beside a model took the
// code from the log or the standard it names.
#include "modems/SerialPortProbe.h"
#include "platform/serial/SystemSerialLine.h"
#include "support/FakeModemList.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

constexpr qint16 kPhonePort = 3;

struct ModelAnswer {
    const char* name;
    QByteArray answer;
    QString model;
    // Sends the answer in small pieces with pauses, so that it arrives over many reads.
    bool split = false;
};

const ModelAnswer kModelAnswers[] = {
    // Huawei E1752: its answer in gammu/gammu#126 ("\r\nE1752\r\n\r\nOK\r\n"), then the signal
    // report with which the same stick interrupts in gammu/gammu#138.
    {"HuaweiE1752SignalAfter", "\r\nE1752\r\n\r\nOK\r\n\r\n^RSSI:14\r\n", "E1752", true},
    // Huawei E1752 restarting: "^BOOT:35323129,0,0,0,26", gammu/gammu#138.
    {"HuaweiE1752BootBefore", "\r\n^BOOT:35323129,0,0,0,26\r\n\r\nE1752\r\n\r\nOK\r\n", "E1752"},
    // Huawei E1752 changing mode and cell, both reported in gammu/gammu#126.
    {"HuaweiE1752ModeAndRegistration",
     "\r\nE1752\r\n\r\nOK\r\n\r\n^MODE:5,4\r\n\r\n+CREG: 1, E006B, ABE0016\r\n", "E1752"},
    // Huawei E1752: "^SRVST:0" before the answer, gammu/gammu#126.
    {"HuaweiE1752ServiceState", "\r\n^SRVST:0\r\n\r\nE1752\r\n\r\nOK\r\n", "E1752"},
    // Motorola V547 lists its bands before its model, as a comment of gnokii's
    // common/phones/atmot.c quotes the answer.
    {"MotorolaV547BandsThenModel",
     "\r\n+CGMM: \"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\",\"MODEL=V547\"\r\n\r\nOK\r\n",
     "V547"},
    // Huawei E1750, gammu/gammu#94.
    {"HuaweiE1750", "\r\nE1750\r\n\r\nOK\r\n", "E1750"},
    // Huawei E169, gammu/gammu#181.
    {"HuaweiE169", "\r\nE169\r\n\r\nOK\r\n", "E169"},
    // Huawei E173 (gammu/gammu#374) while a call rings in: "+CRING: VOICE" and "+CLIP: …" as a
    // Huawei stick reports them in wdoekes/asterisk-chan-dongle#82.
    {"HuaweiE173Ringing",
     "\r\n+CRING: VOICE\r\n\r\n+CLIP: \"+1234567890\",145,,,,0\r\n\r\nE173\r\n\r\nOK\r\n", "E173"},
    // Quectel EC25 answers with the bare model, gammu/gammu#492.
    {"QuectelEC25", "\r\nEC25\r\n\r\nOK\r\n", "EC25"},
    // Quectel EC25 just after a call ended: "NO CARRIER", ITU-T V.250 5.7.1.
    {"QuectelEC25CallEnded", "\r\nNO CARRIER\r\n\r\nEC25\r\n\r\nOK\r\n", "EC25"},
    // Fibocom L850-GL and L860-GL, their answers to at+gmm in 4IceG/luci-app-modemband#2.
    {"FibocomL850", "\r\nL850 LTE Module\r\n\r\nOK\r\n", "L850 LTE Module"},
    {"FibocomL860", "\r\nL860 LTE Module\r\n\r\nOK\r\n", "L860 LTE Module"},
    // Sagem myW-8 "replies to \"AT+GMM\" with \"+CGMM: myW-7 UMTS\"", pkot/gnokii
    // common/phones/atsag.c.
    {"SagemMyW8", "\r\n+CGMM: myW-7 UMTS\r\n\r\nOK\r\n", "myW-7 UMTS", true},
    // A MediaTek phone: "+CGMM: MTK2", frontlinesms/smslib
    // src/test/java/org/smslib/CServiceTest.java.
    {"MediaTekPhone", "\r\n+CGMM: MTK2\r\n\r\nOK\r\n", "MTK2"},
    // ELSA MicroLink Office: "+GMM: \"MicroLink Office\"", rgwan/mgetty elsa/mlo.c.
    {"ElsaMicroLinkOffice", "\r\n+GMM: \"MicroLink Office\"\r\n\r\nOK\r\n", "MicroLink Office"},
    // Wavecom, with its blanks: gammu/gammu tests/at-model/06.dump and gammu/gammu#832.
    {"WavecomMultiband", "\r\n MULTIBAND  900E  1800 \r\n\r\nOK\r\n", "MULTIBAND  900E  1800"},
    // Nokia 5210, gammu/gammu tests/at-model/02.dump; Nokia's "AT Command Set for Nokia 8850"
    // (+CGMM): "the response of the command +GMM is identical".
    {"Nokia5210", "\r\nNokia 5210\r\n\r\nOK\r\n", "Nokia 5210"},
    // A Sony Ericsson phone, which names its model by product number: gammu/gammu
    // tests/at-model/03.dump.
    {"SonyEricssonPhone", "\r\nAAB-1022041-BV\r\n\r\nOK\r\n", "AAB-1022041-BV"},
    // Siemens MC35i, gammu/gammu#97.
    {"SiemensMC35i", "\r\nMC35i\r\n\r\nOK\r\n", "MC35i"},
    // Option GTM382, byte for byte as in gammu/wammu#27.
    {"OptionGTM382", "\r\nGTM382\r\n\r\nOK\r\n", "GTM382"},
    // ZTE MF180, gammu/gammu#119.
    {"ZteMF180", "\r\nMF180\r\n\r\nOK\r\n", "MF180"},
    // ZTE MF180 with a delivery report ahead of its answer, as a ZTE MF626 sent
    // "+CDSI: \"SR\",50" ahead of its echo in gammu/gammu#209.
    {"ZteMF180DeliveryReport", "\r\n+CDSI: \"SR\",50\r\n\r\nMF180\r\n\r\nOK\r\n", "MF180"},
    // SIMCom SIM800L, gammu/gammu#137.
    {"SimcomSim800L", "\r\nSIMCOM_SIM800L\r\n\r\nOK\r\n", "SIMCOM_SIM800L"},
    // SIMCom SIM800L while a call rings in: "RING", as a modem sent it in gammu/gammu#357.
    {"SimcomSim800LRinging", "\r\nRING\r\n\r\nSIMCOM_SIM800L\r\n\r\nOK\r\n", "SIMCOM_SIM800L"},
};

// The bytes as phone-sim's --model-answer takes them: anything but printable ASCII, and the
// backslash, as \xHH.
QString Escaped(const QByteArray& bytes) {
    QString escaped;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        escaped += code >= 0x20 && code < 0x7f && byte != '\\'
                       ? QString(QChar(code))
                       : QStringLiteral("\\x%1").arg(code, 2, 16, QChar(u'0'));
    }
    return escaped;
}

std::string RowName(const ::testing::TestParamInfo<ModelAnswer>& row) {
    return row.param.name;
}

class ModelAnswerOnPhone : public ::testing::TestWithParam<ModelAnswer> {};

TEST_P(ModelAnswerOnPhone, GivesTheBareModel) {
    QStringList arguments{"--model-answer", Escaped(GetParam().answer)};
    if (GetParam().split) {
        arguments << "--split";
    }
    PhoneSimulator phone(arguments);
    ScratchSettings scratch;
    scratch.mapPort(kPhonePort, phone.devicePath());
    SystemSerialLine line{PortMap(scratch.file())};
    FakeModemList modems;
    ModemInventory inventory(modems);
    NoManagedModems managed;
    SerialPortProbe probe(line, managed, inventory);

    EXPECT_EQ(probe.ProbePort(kIdentifyCommand, kPhonePort),
              ProbeOutcome::Answered(GetParam().model));
    EXPECT_EQ(phone.transcript(), "AT+GMM\r");
}

INSTANTIATE_TEST_SUITE_P(RealDevices, ModelAnswerOnPhone, ::testing::ValuesIn(kModelAnswers),
                         RowName);

}  // namespace
}  // namespace linvox::testing

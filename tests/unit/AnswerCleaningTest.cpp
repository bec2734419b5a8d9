// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/AnswerCleaning.h"
#include "support/PairTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(AnswerCleaning, LeavesTheBareAnswer) {
    ExpectEach<QByteArray, QString>(
        {{"AT+GMM\r\r\nMODEL X1\r\n\r\nOK\r\n", "MODEL X1"},
         {"AT+GMM\r\r\nERROR\r\n", "ERROR"},
         {"BOOK 2", "BO 2"},
         {"Book 2", "Book 2"},
         {"O\nK", "OK"},
         {"  Model  X  ", "Model  X"},
         {QByteArray("\0\b\v\tX\r", 6), "X"},
         {"AT+GMM\r\nOK\r\n", ""},
         {"\xd0\x9c\xd0\xbe\xd0\xb4\xd0\xb5\xd0\xbb\xd1\x8c", "Модель"}},
        [](const QByteArray& received) { return CleanAnswer(received, "AT+GMM"); });
    EXPECT_EQ(CleanAnswer("AT+GMM X", ""), "AT+GMM X");
}

TEST(AnswerCleaning, LeavesOutWhatTheDeviceReportsOfItsOwnAccord) {
    ExpectEach<QByteArray, QString>(
        {{"AT+GMM\r\r\nE1752\r\n\r\nOK\r\n\r\n^RSSI:14\r\n", "E1752"},
         {"\r\n^BOOT:35323129,0,0,0,26\r\nAT+GMM\r\r\nE1752\r\n", "E1752"},
         {"\r\nRING\r\n\r\n+CLIP: \"+380501234567\",145\r\nAT+GMM\r\r\nX1\r\n", "X1"},
         {"\r\nNO CARRIER\r\n+CREG: 1\r\n+CMTI: \"SM\",3\r\n*RADIOPOWER: 1\r\nX1", "X1"},
         // A SIMCom module that has just started.
         {"RDY\r\n\r\n+CFUN: 1\r\n\r\n+CPIN: READY\r\n\r\nCall Ready\r\n\r\nSMS Ready\r\n"
          "AT+GMM\r\r\nSIMCOM_SIM800L\r\n\r\nOK\r\n",
          "SIMCOM_SIM800L"},
         // An Ericsson module's code inside its echo, as ModemManager's mbm plugin logged it.
         {"AT+G\r\n*EMRDY: 1\r\nMM\r\r\nX1\r\n", "X1"},
         {"O\r\n^RSSI:14\r\nK", "OK"},
         // Codes count only as whole lines, and exactly as the devices send them.
         {"E1752^RSSI:14\r\n", "E1752^RSSI:14"},
         {"RINGO\r\nring\r\n RING", "RINGOring RING"},
         {"+CREGX: 1", "+CREGX: 1"}},
        [](const QByteArray& received) { return CleanAnswer(received, "AT+GMM"); });
}

TEST(AnswerCleaning, TakesTheModelFromALineThatNamesTheCommand) {
    ExpectEach<QByteArray, QString>(
        {{"AT+GMM\r\r\n+CGMM: MTK2\r\n\r\nOK\r\n", "MTK2"},
         {"\r\n+GMM: L850 LTE Module,L850\r\n", "L850 LTE Module,L850"},
         {"\r\n+CGMM: \"LINUX\"\r\n", "LINUX"},
         {"\r\n+GMM:\"MicroLink Office\"  \r\n", "MicroLink Office"},
         // Several quoted texts stay as they are (Fibocom's answer to AT+GMM?).
         {"\r\n+GMM: \"L850 LTE Module\",\"L850\"\r\n", "\"L850 LTE Module\",\"L850\""},
         {"\r\n+CGMM: \"\"\r\n", ""},
         {"\r\n+CGMM: \"BOOK\"\r\n", "BO"},
         {"\r\nX +CGMM: Y\r\n", "X +CGMM: Y"},
         {"\r\n+cgmm: y\r\n", "+cgmm: y"},
         {"\r\n+CGMM: \"GSM900\",\"MODEL=V547\",\"X\"\r\n", "V547"},
         {"\r\n+CGMM: \"GSM900\",\"MODEL=\r\n", "\"GSM900\",\"MODEL="}},
        [](const QByteArray& received) { return CleanAnswer(received, "AT+GMM"); });
}

TEST(AnswerCleaning, TellsAnAnswerOfNothingButUnsolicitedCodes) {
    ExpectEach<QByteArray, bool>(
        {{"\r\n^RSSI:14\r\n", true},
         {"^RSSI:14", true},
         {"\r\nRING\r\n\r\n+CRING: VOICE\r\n  \r\n", true},
         {"", false},
         {"\r\n", false},
         {"AT+GMM\r\r\n^RSSI:14\r\n", false},
         {"\r\n^RSSI:14\r\nOK", false},
         {QByteArray("\0\r\n^RSSI:14\r\n", 12), false}},
        [](const QByteArray& received) { return HoldsOnlyUnsolicitedCodes(received); });
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/UnsolicitedCodes.h"

#include <algorithm>

namespace linvox {
namespace {

// Vendors mark their own reports with a leading character: Huawei "^RSSI:14", "^BOOT:…",
// "^MODE:5,4", "^SRVST:0" (HUAWEI AT Command Interface Specifications), Siemens and Cinterion
// "^SYSSTART"; Ericsson "*EMRDY: 1" (its modules, as ModemManager's mbm plugin reads them) and
// Marvell "*RADIOPOWER: 1".
constexpr char16_t kVendorMarks[] = {u'^', u'*'};

// ITU-T V.250, 5.7.1: the result codes that a device sends when a call rings in or drops; and
// the words with which modules tell that they have started and are ready, before anyone asks:
// SIMCom's and Quectel's "RDY", SIMCom's "Call Ready" and "SMS Ready" (SIM800 Series AT Command
// Manual, the unsolicited codes at power-on).
constexpr QStringView kWholeLineCodes[] = {u"RING", u"NO CARRIER", u"RDY", u"Call Ready",
                                           u"SMS Ready"};

constexpr QStringView kStandardPrefixes[] = {
    // 3GPP TS 27.007: the codes of an incoming call (+CRC, +CLIP, +CCWA), of supplementary
    // services (+CUSD, +CSSN), of registration (+CREG, +CGREG, +CEREG, +C5GREG), of indicators
    // (+CMER), of the time zone (+CTZR) and of packet domain events (+CGEREP).
    u"+CRING:", u"+CLIP:", u"+CCWA:", u"+CUSD:", u"+CSSI:", u"+CSSU:", u"+CREG:", u"+CGREG:",
    u"+CEREG:", u"+C5GREG:", u"+CIEV:", u"+CTZV:", u"+CTZE:", u"+CGEV:",
    // 3GPP TS 27.005, +CNMI: new messages, cell broadcasts and status reports.
    u"+CMTI:", u"+CMT:", u"+CBMI:", u"+CBM:", u"+CDSI:", u"+CDS:",
    // What modules report as they start: the SIM's state and the phone's functionality (SIMCom,
    // Quectel: "+CPIN: READY", "+CFUN: 1"), Quectel's own indications ("+QIND:", "+QUSIM:", EC25
    // AT Commands Manual) and ZTE's ("+ZUSIMR:", "+ZPASR:", as ModemManager's zte plugin reads
    // them).
    u"+CPIN:", u"+CFUN:", u"+QIND:", u"+QUSIM:", u"+ZUSIMR:", u"+ZPASR:"};

}  // namespace

bool IsUnsolicitedCode(QStringView line) {
    if (line.isEmpty()) {
        return false;
    }
    return std::ranges::find(kVendorMarks, line.front().unicode()) != std::end(kVendorMarks) ||
           std::ranges::find(kWholeLineCodes, line) != std::end(kWholeLineCodes) ||
           std::ranges::any_of(kStandardPrefixes,
                               [line](QStringView prefix) { return line.startsWith(prefix); });
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace linvox {

// Whether one line of what a device sent (without its CR and LF) is an unsolicited result code: a
// report that the device makes of its own accord, whatever it was asked, such as a call ringing
// in, the signal changing or the module having started. Those are the lines that begin with "^"
// or "*" (the vendors' own reports), "RING", "NO CARRIER" and the start-up words of common modules
// ("RDY", "Call Ready", "SMS Ready"), and the reports of 3GPP TS 27.007 and 27.005 ("+CREG: 1",
// "+CMTI: \"SM\",3") and of the modules' start ("+CPIN: READY", "+QIND: ..."). Matched exactly
// and case-sensitively, as the devices send them.
bool IsUnsolicitedCode(QStringView line);

}  // namespace linvox

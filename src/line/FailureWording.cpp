// SPDX-License-Identifier: GPL-3.0-or-later
#include "line/FailureWording.h"

namespace linvox {
namespace {

// A wrong port number is told as a settings problem, a port that cannot be reached as a phone
// switched off or unplugged, and a port held by another program as such.
constexpr FailureWording kWordings[] = {
    {FailureCode::InvalidPortNumber, Phrase::WrongPortForOperator, Phrase::ChangeTheSettings,
     Phrase::ProbeInvalidPort},
    {FailureCode::DeviceNotOpen, Phrase::CannotReachModem, Phrase::PhoneMayBeSwitchedOff,
     Phrase::ProbeCannotConnect},
    {FailureCode::PortAlreadyOpen, Phrase::CannotReachModem, Phrase::ModemPortHeldSentence,
     Phrase::ProbePortHeld},
};

}  // namespace

const FailureWording* WordingOf(FailureCode failure) {
    for (const FailureWording& wording : kWordings) {
        if (wording.failure == failure) {
            return &wording;
        }
    }
    return nullptr;
}

}  // namespace linvox

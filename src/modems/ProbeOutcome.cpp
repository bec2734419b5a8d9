// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/ProbeOutcome.h"

#include "line/FailureWording.h"
#include "messages/Phrases.h"

namespace linvox {

QString ProbeResultText(const ProbeOutcome& outcome) {
    switch (outcome.kind()) {
        case ProbeOutcome::Kind::Answered:
        case ProbeOutcome::Kind::ListedModem:
            return outcome.found();
        case ProbeOutcome::Kind::NoModem:
            return Say(Phrase::ProbeUnknown);
        case ProbeOutcome::Kind::NoData:
            return Say(Phrase::ProbeNoData);
        case ProbeOutcome::Kind::Failed:
            break;
    }
    return ProbeErrorText(*outcome.failure());
}

QString ProbeErrorText(const Failure& failure) {
    if (const FailureWording* wording = WordingOf(failure.code())) {
        return Say(wording->probeText);
    }
    return Say(failure);
}

}  // namespace linvox

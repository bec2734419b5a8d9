// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"
#include "messages/Phrases.h"

namespace linvox {

// How a usual failure of the serial line is told: two lines under a failed dial's heading, and a
// short text in the port check's result.
struct FailureWording {
    FailureCode failure;
    Phrase dialFirstLine;
    Phrase dialSecondLine;
    Phrase probeText;
};

// The wording of the failure's kind; null for a kind told in its own words (Say).
const FailureWording* WordingOf(FailureCode failure);

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/LineStatus.h"
#include "messages/Phrases.h"

namespace linvox {

// How a usual failure of the serial line is told: two lines under a failed dial's heading, and a
// short text in the port check's result.
struct FailureWording {
    LineFailure failure;
    Phrase dialFirstLine;
    Phrase dialSecondLine;
    Phrase probeText;
};

// The wording of the failure's kind; null for a kind told by its own description.
const FailureWording* WordingOf(LineFailure failure);

}  // namespace linvox

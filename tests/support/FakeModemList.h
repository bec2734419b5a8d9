// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/ModemListSource.h"

namespace linvox::testing {

// Gives the listing a test sets, counting the queries.
class FakeModemList : public ModemListSource {
public:
    Outcome<ModemListing> Query() override {
        ++queries;
        return listing;
    }

    Outcome<ModemListing> listing = ModemListing{};
    int queries = 0;
};

}  // namespace linvox::testing

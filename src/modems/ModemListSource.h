// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <QList>
#include <QString>

namespace linvox {

// One modem that the system lists: the port it is attached to ("COM3") and its name as the
// system shows it.
struct ModemEntry {
    QString attachedTo;
    QString name;

    friend bool operator==(const ModemEntry&, const ModemEntry&) = default;
};

// What one query of the system's modem list gave.
struct ModemListing {
    // In a stable order: the same modems come in the same order at every query.
    QList<ModemEntry> entries;
    // What the user should hear of that did not stop the listing, such as a COM number that could
    // not be remembered.
    QList<Failure> notices;
};

// The modems that the system knows, queried afresh at every call so that a phone plugged in or
// out meanwhile is seen. Window thread only; the query runs synchronously.
class ModemListSource {
public:
    virtual ~ModemListSource() = default;
    // The listing, or why the list could not be read.
    virtual Outcome<ModemListing> Query() = 0;
};

}  // namespace linvox

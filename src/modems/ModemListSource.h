// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
    // Why the list could not be read; empty when it was.
    QString failure;
    // Messages for the user that do not stop the listing, such as a COM number that could not
    // be remembered.
    QStringList notices;
};

// The modems that the system knows, queried afresh at every call so that a phone plugged in or
// out meanwhile is seen. Window thread only; the query runs synchronously.
class ModemListSource {
public:
    virtual ~ModemListSource() = default;
    virtual ModemListing Query() = 0;
};

}  // namespace linvox

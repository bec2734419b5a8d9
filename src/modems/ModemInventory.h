// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/ModemListSource.h"

#include <optional>

#include <QString>

namespace linvox {

// The stretch of ports the search visits: first, first + 1, ..., last; none when first > last.
struct PortRange {
    qint16 first = 0;
    qint16 last = 0;

    friend bool operator==(const PortRange&, const PortRange&) = default;
};

// The port number of an entry attached to attachedTo: "COM" removed, then the number the text
// begins with, rounded; nothing when it does not fit 16 bits. "COM3" gives 3, "com3" gives 0.
std::optional<qint16> PortNumberOfEntry(const QString& attachedTo);

// How a modem's name is shown: "Стандартный" and "по соединению" removed, the outer blanks
// trimmed, and the rest in parentheses.
QString ModemDisplayName(const QString& name);

// The ports of the listed modems and five more on either side, as far as port 1 and port 98;
// the seeds 99 and 1 take part, so an empty list gives the empty range 94..6.
PortRange PortRangeAround(const QList<qint16>& ports);

// The modems that the system lists, queried afresh at every call, except while a ListingHold
// keeps one listing for many calls.
class ModemInventory {
public:
    explicit ModemInventory(ModemListSource& source);

    // While it lives, the inventory answers every call from one query of the system's list, made
    // at the first call: a search or a check names the modems of many silent ports in a row, and
    // a listing for each of them would cost it as much as the probes.
    class ListingHold {
    public:
        explicit ListingHold(ModemInventory& inventory);
        ~ListingHold();

        ListingHold(const ListingHold&) = delete;
        ListingHold& operator=(const ListingHold&) = delete;

    private:
        ModemInventory& m_inventory;
    };

    // The display name of the last listed modem on portNumber; nothing (the routine's "ER") when
    // the system lists none there. Fails when the list, or the port of one of its entries, cannot
    // be read.
    Outcome<std::optional<QString>> ModemNameForPort(qint16 portNumber);

    // The range of ports that the port search visits. Fails as ModemNameForPort does.
    Outcome<PortRange> ModemPortRange();

    // What the user should hear of that came with the last listing.
    const QList<Failure>& notices() const { return m_notices; }

private:
    struct Entry {
        qint16 port;
        QString displayName;
    };

    // Every entry with its port and name, or the failure of the list or of an entry's port.
    Outcome<QList<Entry>> Entries();

    ModemListSource& m_source;
    bool m_holding = false;
    std::optional<Outcome<ModemListing>> m_heldListing;
    QList<Failure> m_notices;
};

}  // namespace linvox

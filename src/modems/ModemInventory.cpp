// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/ModemInventory.h"

#include "modems/BlankTrimming.h"
#include "settings/StoredNumber.h"

#include <algorithm>

namespace linvox {
namespace {

// The margin of ports searched beyond the lowest and the highest listed modem.
constexpr int kSearchMargin = 5;
constexpr qint16 kLowestSeed = 99;
constexpr qint16 kHighestSeed = 1;

}  // namespace

std::optional<qint16> PortNumberOfEntry(const QString& attachedTo) {
    return ReadInteger16(QString(attachedTo).remove(QStringLiteral("COM")));
}

QString ModemDisplayName(const QString& name) {
    const QString shortened =
        QString(name).remove(QStringLiteral("Стандартный")).remove(QStringLiteral("по соединению"));
    return u'(' + TrimBlanks(shortened) + u')';
}

PortRange PortRangeAround(const QList<qint16>& ports) {
    qint16 lowest = kLowestSeed;
    qint16 highest = kHighestSeed;
    for (const qint16 port : ports) {
        highest = std::max(highest, port);
        lowest = std::min(lowest, port);
    }
    if (lowest > kSearchMargin) {
        lowest = static_cast<qint16>(lowest - kSearchMargin);
    }
    if (highest < kLowestSeed - kSearchMargin) {
        highest = static_cast<qint16>(highest + kSearchMargin);
    }
    return {lowest, highest};
}

ModemInventory::ModemInventory(ModemListSource& source) : m_source(source) {}

ModemInventory::ListingHold::ListingHold(ModemInventory& inventory) : m_inventory(inventory) {
    m_inventory.m_holding = true;
}

ModemInventory::ListingHold::~ListingHold() {
    m_inventory.m_holding = false;
    m_inventory.m_heldListing.reset();
}

Outcome<QList<ModemInventory::Entry>> ModemInventory::Entries() {
    if (m_holding && !m_heldListing) {
        m_heldListing = m_source.Query();
    }
    const Outcome<ModemListing> listing = m_heldListing ? *m_heldListing : m_source.Query();
    if (!listing.ok()) {
        m_notices.clear();
        return listing.failure();
    }
    m_notices = listing.value().notices;
    QList<Entry> entries;
    for (const ModemEntry& modem : listing.value().entries) {
        const std::optional<qint16> port = PortNumberOfEntry(modem.attachedTo);
        if (!port) {
            // No entry counts once one cannot be read, so the search visits nothing.
            return Failure(FailureCode::StoredNumberOverflow);
        }
        entries.append({*port, ModemDisplayName(modem.name)});
    }
    return entries;
}

Outcome<std::optional<QString>> ModemInventory::ModemNameForPort(qint16 portNumber) {
    const Outcome<QList<Entry>> entries = Entries();
    if (!entries.ok()) {
        return entries.failure();
    }
    std::optional<QString> name;
    for (const Entry& entry : entries.value()) {
        if (entry.port == portNumber) {
            name = entry.displayName;
        }
    }
    return name;
}

Outcome<PortRange> ModemInventory::ModemPortRange() {
    const Outcome<QList<Entry>> entries = Entries();
    if (!entries.ok()) {
        return entries.failure();
    }
    QList<qint16> ports;
    for (const Entry& entry : entries.value()) {
        ports.append(entry.port);
    }
    return PortRangeAround(ports);
}

}  // namespace linvox

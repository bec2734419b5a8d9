// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/ModemInventory.h"

#include "line/LineStatus.h"
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

InventoryAnswer<QList<ModemInventory::Entry>> ModemInventory::Entries() {
    if (m_holding && !m_heldListing) {
        m_heldListing = m_source.Query();
    }
    const ModemListing listing = m_heldListing ? *m_heldListing : m_source.Query();
    InventoryAnswer<QList<Entry>> answer{{}, listing.failure, listing.notices};
    if (answer.failed()) {
        return answer;
    }
    for (const ModemEntry& modem : listing.entries) {
        const std::optional<qint16> port = PortNumberOfEntry(modem.attachedTo);
        if (!port) {
            // No entry counts once one cannot be read, so the search visits nothing.
            answer.value.clear();
            answer.failure = LineStatus::StoredNumberOverflow().description();
            return answer;
        }
        answer.value.append({*port, ModemDisplayName(modem.name)});
    }
    return answer;
}

InventoryAnswer<std::optional<QString>> ModemInventory::ModemNameForPort(qint16 portNumber) {
    const InventoryAnswer<QList<Entry>> entries = Entries();
    InventoryAnswer<std::optional<QString>> answer{std::nullopt, entries.failure, entries.notices};
    for (const Entry& entry : entries.value) {
        if (entry.port == portNumber) {
            answer.value = entry.displayName;
        }
    }
    return answer;
}

InventoryAnswer<PortRange> ModemInventory::ModemPortRange() {
    const InventoryAnswer<QList<Entry>> entries = Entries();
    QList<qint16> ports;
    for (const Entry& entry : entries.value) {
        ports.append(entry.port);
    }
    return {PortRangeAround(ports), entries.failure, entries.notices};
}

}  // namespace linvox

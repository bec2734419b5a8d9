// SPDX-License-Identifier: GPL-3.0-or-later
// From the system's modem list to the port search: whatever the ports and names the list holds,
// the search visits the range around them once in ascending order, its progress only grows from
// 0 to 100 %, and each listed modem is named in parentheses without outer blanks.
#include "Property.h"
#include "modems/SearchModemPorts.h"
#include "support/FakeModemList.h"
#include "support/FakeProbe.h"
#include "support/RecordingMessageSink.h"
#include "support/RecordingViews.h"

#include <cstddef>
#include <cstdint>
#include <optional>

using linvox::fuzzing::Require;

namespace {

// One entry a line, its port and name parted by the first tab.
linvox::ModemListing Listing(const QString& text) {
    linvox::ModemListing listing;
    for (const QString& line : text.split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        listing.entries.append({line.left(tab), tab < 0 ? QString() : line.mid(tab + 1)});
    }
    return listing;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    linvox::testing::FakeModemList modems;
    const linvox::ModemListing listing = Listing(text);
    modems.listing = listing;
    linvox::ModemInventory inventory(modems);
    bool overflows = false;
    for (const linvox::ModemEntry& entry : listing.entries) {
        const std::optional<qint16> port = linvox::PortNumberOfEntry(entry.attachedTo);
        overflows = overflows || !port;
        const linvox::Outcome<std::optional<QString>> name =
            inventory.ModemNameForPort(port.value_or(0));
        if (name.ok()) {
            Require(name.value().has_value(), "a listed modem has a name", text);
            const QString& shown = *name.value();
            Require(shown.startsWith(u'(') && shown.endsWith(u')') && !shown.startsWith(u"( ") &&
                        !shown.endsWith(u" )"),
                    "a listed modem is named in parentheses, without outer blanks", text);
        }
    }

    linvox::testing::FakeProbe probe;
    linvox::testing::RecordingSearchView view;
    linvox::testing::RecordingMessageSink messages;
    linvox::SearchModemPorts(inventory, probe, view, messages);

    const linvox::Outcome<linvox::PortRange> range = inventory.ModemPortRange();
    Require(range.ok() != overflows, "only a port beyond 16 bits fails the list", text);
    const int visits = range.ok() ? std::max(0, range.value().last - range.value().first + 1) : 0;
    Require(probe.probes.size() == visits, "each port is visited once", text);
    if (!probe.probes.isEmpty()) {
        Require(probe.probes.first() == QString::number(range.value().first) &&
                    probe.probes.last() == QString::number(range.value().last),
                "the range is visited from its first port to its last", text);
    }
    int percent = 0;
    for (const QString& caption : view.logged(QStringLiteral("caption")).mid(1)) {
        const int next = caption.section(u' ', 1).chopped(1).toInt();
        Require(next >= percent && next <= 100, "progress only grows, up to 100 %", caption);
        percent = next;
    }
    Require(probe.probes.isEmpty() || percent == 100, "a search that visited ports ends at 100 %",
            text);
    return 0;
}

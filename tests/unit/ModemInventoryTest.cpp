// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/ModemInventory.h"
#include "modems/OneLineText.h"
#include "support/FakeModemList.h"
#include "support/PairTable.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(ModemInventory, ReadsThePortOfAnEntry) {
    ExpectEach<QString, std::optional<qint16>>(
        {{"COM3", 3},
         {"COM12", 12},
         {"com3", 0},
         {" COM 7 ", 7},
         {"COM2.5", 2},
         {"COMCOM4", 4},
         {"COM40000", std::nullopt},
         {"", 0},
         {"COM-3", -3},
         {"COM3.5", 4}},
        [](const QString& attachedTo) { return PortNumberOfEntry(attachedTo); });
}

TEST(ModemInventory, ShortensTheSystemsWordsInAName) {
    ExpectEach<QString, QString>(
        {{"Стандартный модем по соединению через Bluetooth", "(модем  через Bluetooth)"},
         {"стандартный модем", "(стандартный модем)"},
         {"  Nokia 6300 ", "(Nokia 6300)"},
         {"\tModem\t", "(\tModem\t)"},
         {"", "()"}},
        [](const QString& name) { return ModemDisplayName(name); });
}

TEST(ModemInventory, SearchesFiveBeyondTheListedPortsWithinTheSeeds) {
    ExpectEach<QList<qint16>, PortRange>(
        {{{}, {94, 6}},
         {{3}, {3, 8}},
         {{10}, {5, 15}},
         {{3, 96}, {3, 96}},
         {{94}, {89, 94}},
         {{150}, {94, 150}},
         {{5}, {5, 10}},
         {{6}, {1, 11}},
         {{32767, -32768}, {-32768, 32767}}},
        [](const QList<qint16>& ports) { return PortRangeAround(ports); });
}

TEST(ModemInventory, NamesTheLastEntryOnAPortAndFailsOnAnyBadEntry) {
    FakeModemList modems;
    ModemInventory inventory(modems);
    ModemListing listing{{{"COM4", "A"}, {"COM5", "C"}, {"COM4", "B"}}, {}};
    modems.listing = listing;
    EXPECT_EQ(inventory.ModemNameForPort(4).value(), "(B)");
    EXPECT_EQ(inventory.ModemNameForPort(6).value(), std::nullopt);
    EXPECT_EQ(modems.queries, 2);

    listing.entries.append(ModemEntry{"COM99999", "far"});
    modems.listing = listing;
    EXPECT_TRUE(inventory.ModemNameForPort(4).failedWith(FailureCode::StoredNumberOverflow));
    const Failure unreachable(FailureCode::WmiUnavailable, {}, {}, 1);
    modems.listing = unreachable;
    EXPECT_EQ(inventory.ModemPortRange(), Outcome<PortRange>(unreachable));
}

TEST(OneLineText, ShowsEveryLineBreakAndControlAsTheReplacementCharacter) {
    ExpectEach<QString, QString>(
        {{"Nokia 3310", "Nokia 3310"},
         {"MODEL\u20297 - Nokia 3310 (fake)", "MODEL\uFFFD7 - Nokia 3310 (fake)"},
         {"A\u2028B", "A\uFFFDB"},
         {"A\fB\u0085C", "A\uFFFDB\uFFFDC"},
         {"\x1b[2J\x1b]0;title\x07", "\uFFFD[2J\uFFFD]0;title\uFFFD"},
         {"A\r\nB\tC\x7f", "A\uFFFD\uFFFDB\uFFFDC\uFFFD"},
         {"Модель\u00a0X \U0001F4F1", "Модель\u00a0X \U0001F4F1"}},
        [](const QString& text) { return OneLineText(text); });
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/ModemInventory.h"
#include "modems/OneLineText.h"
#include "support/FakeModemList.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(ModemInventory, ReadsThePortOfAnEntry) {
    const std::pair<QString, std::optional<qint16>> cases[] = {{"COM3", 3},
                                                               {"COM12", 12},
                                                               {"com3", 0},
                                                               {" COM 7 ", 7},
                                                               {"COM2.5", 2},
                                                               {"COMCOM4", 4},
                                                               {"COM40000", std::nullopt},
                                                               {"", 0},
                                                               {"COM-3", -3},
                                                               {"COM3.5", 4}};
    for (const auto& [attachedTo, port] : cases) {
        EXPECT_EQ(PortNumberOfEntry(attachedTo), port) << attachedTo;
    }
}

TEST(ModemInventory, ShortensTheSystemsWordsInAName) {
    const std::pair<QString, QString> cases[] = {
        {"Стандартный модем по соединению через Bluetooth", "(модем  через Bluetooth)"},
        {"стандартный модем", "(стандартный модем)"},
        {"  Nokia 6300 ", "(Nokia 6300)"},
        {"\tModem\t", "(\tModem\t)"},
        {"", "()"}};
    for (const auto& [name, shown] : cases) {
        EXPECT_EQ(ModemDisplayName(name), shown) << name;
    }
}

TEST(ModemInventory, SearchesFiveBeyondTheListedPortsWithinTheSeeds) {
    const std::pair<QList<qint16>, PortRange> cases[] = {
        {{}, {94, 6}},      {{3}, {3, 8}},    {{10}, {5, 15}},
        {{3, 96}, {3, 96}}, {{94}, {89, 94}}, {{150}, {94, 150}},
        {{5}, {5, 10}},     {{6}, {1, 11}},   {{32767, -32768}, {-32768, 32767}}};
    for (const auto& [ports, range] : cases) {
        EXPECT_EQ(PortRangeAround(ports), range) << ports.size();
    }
}

TEST(ModemInventory, NamesTheLastEntryOnAPortAndFailsOnAnyBadEntry) {
    FakeModemList modems;
    ModemInventory inventory(modems);
    modems.listing.entries = {{"COM4", "A"}, {"COM5", "C"}, {"COM4", "B"}};
    EXPECT_EQ(inventory.ModemNameForPort(4).value, "(B)");
    EXPECT_EQ(inventory.ModemNameForPort(6).value, std::nullopt);
    EXPECT_EQ(modems.queries, 2);

    modems.listing.entries.append(ModemEntry{"COM99999", "far"});
    EXPECT_EQ(inventory.ModemNameForPort(4).failure, "Overflow");
    EXPECT_GT(inventory.ModemPortRange().value.first, inventory.ModemPortRange().value.last);
    modems.listing = {{}, "WMI unreachable", {}};
    const InventoryAnswer<PortRange> range = inventory.ModemPortRange();
    EXPECT_EQ(range.failure, "WMI unreachable");
    EXPECT_GT(range.value.first, range.value.last);
}

TEST(OneLineText, ShowsEveryLineBreakAndControlAsTheReplacementCharacter) {
    const std::pair<QString, QString> cases[] = {
        {"Nokia 3310", "Nokia 3310"},
        {"MODEL\u20297 - Nokia 3310 (fake)", "MODEL\uFFFD7 - Nokia 3310 (fake)"},
        {"A\u2028B", "A\uFFFDB"},
        {"A\fB\u0085C", "A\uFFFDB\uFFFDC"},
        {"\x1b[2J\x1b]0;title\x07", "\uFFFD[2J\uFFFD]0;title\uFFFD"},
        {"A\r\nB\tC\x7f", "A\uFFFD\uFFFDB\uFFFDC\uFFFD"},
        {"Модель\u00a0X \U0001F4F1", "Модель\u00a0X \U0001F4F1"}};
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(OneLineText(text), shown) << text;
    }
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The settings as the logic reads them, from a store in memory; how the file keeps them is the
// settings file's own test.
#include "dial/Operators.h"
#include "settings/SettingsStore.h"
#include "support/InMemorySettings.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

struct PortReadingCase {
    QString stored;
    std::optional<qint16> port;
};

void PrintTo(const PortReadingCase& reading, std::ostream* out) {
    *out << reading.stored;
}

class PortSettingReading : public ::testing::TestWithParam<PortReadingCase> {};

TEST_P(PortSettingReading, ConvertsTheStoredText) {
    InMemorySettings settings;
    settings.preset({{"port_ks", GetParam().stored}});
    EXPECT_EQ(settings.store().Read(kOperators[1].port), GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(StoredTexts, PortSettingReading,
                         ::testing::Values(PortReadingCase{" 7", 7}, PortReadingCase{"2.5", 2},
                                           PortReadingCase{"3.5", 4}, PortReadingCase{"1,5", 1},
                                           PortReadingCase{"COM3", 0},
                                           PortReadingCase{"40000", std::nullopt},
                                           PortReadingCase{"&H10", 16},
                                           PortReadingCase{"&HFFFF", -1}));

TEST(SettingsStore, ModeTextIsReturnedUnchangedAndOnlyTrueMeansOnePhone) {
    InMemorySettings settings;
    for (const char* mode : {"True", "true", "TRUE", "False", " True"}) {
        settings.preset({{"1telefon", mode}});
        EXPECT_EQ(settings.store().ReadSetting(kPhoneMode), QString(mode));
        EXPECT_EQ(settings.store().Read(kPhoneMode) == PhoneMode::Single, mode == QString("True"));
    }
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// linvox.exe under Wine on a virtual display, started by a link that it cannot dial: one message
// box, read as a user reads it (Windows message boxes copy their title and text with Ctrl+C) and
// closed with Enter; then the program ends with the status that tells the caller why.
#include "WineOnDisplay.h"
#include "support/QtPrinters.h"
#include "support/SourceLines.h"
#include "support/Xdotool.h"

#include <memory>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

struct BoxCase {
    // The user's, as glibc names it.
    QString locale;
    QString link;
    // The MTS port as the registry holds it: the value's type and data, as reg add takes them.
    QString portType;
    QString port;
    QString title;
    QString text;
    int exitStatus;
};

void PrintTo(const BoxCase& box, std::ostream* out) {
    *out << box.link << " with port_mts " << box.portType << ' ' << box.port << " in "
         << box.locale;
}

class WineMessageBoxes : public WineOnDisplay<>, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(WineMessageBoxes, ShowOneCriticalBoxAndEndWhenItIsClosed) {
    s_prefix->setUserLocale(GetParam().locale);
    s_prefix->setSetting("port_mts", GetParam().portType, GetParam().port);
    Xdotool xdotool(*s_display);
    const std::unique_ptr<QProcess> linvox = s_prefix->start({LINVOX_WINDOWS_EXE, GetParam().link});

    const QString box = xdotool.waitForWindow(GetParam().title, 60s);
    ASSERT_FALSE(box.isEmpty()) << linvox->readAll().toStdString();
    EXPECT_TRUE(xdotool.visibleWindows("Linvox").isEmpty()) << "the window was shown";
    EXPECT_TRUE(ShowsCriticalIcon(box)) << "no critical icon";
    EXPECT_EQ(ReadMessageBox(*s_display, *s_prefix, box, GetParam().title),
              (QStringList{GetParam().title, GetParam().text}));
    EXPECT_EQ(linvox->state(), QProcess::Running) << "ended before the box was closed";

    xdotool.pressKeys(box, {"Return"});

    ASSERT_TRUE(linvox->waitForFinished(30000));
    EXPECT_EQ(linvox->exitCode(), GetParam().exitStatus);
}

// COM1 is the prefix's own and has no phone, whatever serial port the machine has.
const QString kWrongPortText = SourceLines(
    {Phrase::ModemConnectionFailed, Phrase::WrongPortForOperator, Phrase::ChangeTheSettings});
const QString kModem = SourceText(Phrase::ModemTitle);

INSTANTIATE_TEST_SUITE_P(
    RefusedNumberAndUnusablePort, WineMessageBoxes,
    ::testing::Values(
        BoxCase{"ru_RU", "tel:05012345", "REG_SZ", "1", SourceText(Phrase::NumberCheckTitle),
                SourceText(Phrase::WrongNumberForm), 2},
        BoxCase{"ru_RU", "tel:0501234567", "REG_SZ", "1", kModem, kWrongPortText, 1},
        // A port beyond 16 bits, and a value that is no text, which reads as port 0.
        BoxCase{"ru_RU", "tel:0501234567", "REG_SZ", "40000", kModem,
                SourceLines({Phrase::ModemConnectionFailed, Phrase::Overflow}), 1},
        BoxCase{"ru_RU", "tel:0501234567", "REG_BINARY", "FFFE", kModem, kWrongPortText, 1},
        // A Ukrainian user reads Ukrainian: the translation itself.
        BoxCase{"uk_UA", "tel:05012345", "REG_SZ", "1", "Перевірка номера",
                "Неправильний формат номера!", 2}));

}  // namespace
}  // namespace linvox::testing

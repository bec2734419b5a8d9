// SPDX-License-Identifier: GPL-3.0-or-later
// linvox.exe under Wine on a virtual display, started by a link that it cannot dial: one message
// box, read as a user reads it (Windows message boxes copy their title and text with Ctrl+C) and
// closed with Enter; then the program ends with the status that tells the caller why.
#include "WinePrefix.h"
#include "support/DisplayReading.h"
#include "support/EventLoop.h"
#include "support/QtPrinters.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <memory>

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// The critical icon is a red disc; a box without an icon has no red at all.
constexpr int kRed = 0;
constexpr int kHueTolerance = 15;
constexpr int kFewestIconPixels = 100;

struct BoxCase {
    QString link;
    QString title;
    QString text;
    int exitStatus;
};

void PrintTo(const BoxCase& box, std::ostream* out) {
    *out << box.link;
}

// The title and text of a copied message box: its sections between lines of dashes.
QStringList CopiedSections(const QString& copied) {
    QStringList sections = copied.split(
        QRegularExpression(QStringLiteral("^-+$"), QRegularExpression::MultilineOption),
        Qt::SkipEmptyParts);
    for (QString& section : sections) {
        section = section.trimmed();
    }
    sections.removeAll(QString());
    return sections;
}

class WineMessageBoxes : public ::testing::TestWithParam<BoxCase> {
protected:
    static void SetUpTestSuite() {
        s_display = std::make_unique<VirtualDisplay>();
        s_prefix = std::make_unique<WinePrefix>(s_display->name());
        // MTS numbers go to COM9, whose device is not there.
        s_prefix->linkComPort(9, s_missingDevice.filePath("no-such-phone"));
        s_prefix->setSetting("port_mts", "9");
    }
    static void TearDownTestSuite() {
        s_prefix.reset();
        s_display.reset();
    }

    static inline std::unique_ptr<VirtualDisplay> s_display;
    static inline std::unique_ptr<WinePrefix> s_prefix;
    static inline QTemporaryDir s_missingDevice;
};

TEST_P(WineMessageBoxes, ShowOneCriticalBoxAndEndWhenItIsClosed) {
    Xdotool xdotool(*s_display);
    const std::unique_ptr<QProcess> linvox = s_prefix->start({LINVOX_WINDOWS_EXE, GetParam().link});

    const QString box = xdotool.waitForWindow(GetParam().title, 60s);
    ASSERT_FALSE(box.isEmpty()) << linvox->readAll().toStdString();
    EXPECT_TRUE(xdotool.visibleWindows("Linvox").isEmpty()) << "the window was shown";
    // Captured once the box has painted itself.
    EXPECT_TRUE(RunEventsUntil(
        [&] {
            return CountPixelsOfHue(CaptureWindow(*s_display, box), kRed, kHueTolerance) >=
                   kFewestIconPixels;
        },
        20s))
        << "no critical icon";
    xdotool.pressKeys(box, {"ctrl+c"});
    QStringList copied;
    EXPECT_TRUE(RunEventsUntil(
        [&] {
            // The clipboard outlives the previous case's box: wait for this box's title.
            copied = CopiedSections(ClipboardText(*s_display));
            return copied.value(0) == GetParam().title;
        },
        10s));
    EXPECT_EQ(copied.mid(0, 2), (QStringList{GetParam().title, GetParam().text}));
    EXPECT_EQ(linvox->state(), QProcess::Running) << "ended before the box was closed";

    xdotool.pressKeys(box, {"Return"});

    ASSERT_TRUE(linvox->waitForFinished(30000));
    EXPECT_EQ(linvox->exitCode(), GetParam().exitStatus);
}

INSTANTIATE_TEST_SUITE_P(
    RefusedNumberAndMissingPhone, WineMessageBoxes,
    ::testing::Values(BoxCase{"tel:05012345", "Проверка номера", "Неверный формат номера!", 2},
                      BoxCase{"tel:0501234567", "Модем",
                              "Ошибка соединения с модемом:\n"
                              "Неправильно указан порт модема для этого оператора!\n"
                              "Измените настройки!",
                              1}));

}  // namespace
}  // namespace linvox::testing

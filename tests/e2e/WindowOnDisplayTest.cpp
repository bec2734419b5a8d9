// SPDX-License-Identifier: GPL-3.0-or-later
// The program started bare on a (virtual) display: the window a user sees and clicks through.
#include "support/EventLoop.h"
#include "support/FormPoints.h"
#include "support/LinvoxProcess.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/StoredText.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <sys/resource.h>

#include <QDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

TEST(WindowOnDisplay, OpensCompactAndStoresWhatIsEditedInTheSettingsView) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    ScratchSettings scratch;
    LinvoxProcess linvox({}, scratch.directory(), display.environment());

    const QString window = xdotool.waitForWindow("Linvox", 15s);
    ASSERT_FALSE(window.isEmpty()) << linvox.standardError();
    EXPECT_EQ(xdotool.size(window), QSize(356, 93));
    EXPECT_EQ(StoredText(scratch.file(), "port_mts"), "1");
    EXPECT_EQ(StoredText(scratch.file(), "1telefon"), "False");

    xdotool.click(window, kViewSwitch);
    // Without a window manager there is no frame: the outer size is the window's own.
    EXPECT_TRUE(RunEventsUntil([&] { return xdotool.size(window) == QSize(576, 424); }, 5s))
        << xdotool.size(window).width() << "x" << xdotool.size(window).height();

    xdotool.click(window, kMtsPortField);
    // Typing over the selection changes the text once; clearing first would bring up the
    // "digits only" message.
    xdotool.pressKeys(window, {"ctrl+a", "5"});
    EXPECT_TRUE(RunEventsUntil([&] { return StoredText(scratch.file(), "port_mts") == "5"; }, 5s));

    xdotool.click(window, kSinglePhoneOption);
    EXPECT_TRUE(
        RunEventsUntil([&] { return StoredText(scratch.file(), "1telefon") == "True"; }, 5s));

    xdotool.click(window, kViewSwitch);
    EXPECT_TRUE(RunEventsUntil([&] { return xdotool.size(window) == QSize(364, 120); }, 5s));
    EXPECT_TRUE(linvox.running());
}

TEST(WindowOnDisplay, SaveBeyondAFileSizeLimitIsARefusedSave) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    ScratchSettings scratch;
    const QByteArray handWritten =
        "[linvox]\nport=1\nport_mts=2\n\n[ports]\n; the phone on USB, in the left-hand socket\n"
        "COM2=/dev/serial/by-id/usb-Phone_Maker_Phone_123-if00\n";
    scratch.writeRawFile(handWritten);
    const auto smallFileSizeLimit = [] {
        const rlimit limit{120, 120};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };

    // The first load saves the window's fields; a refused save is a box titled "Linvox".
    LinvoxProcess linvox({}, scratch.directory(), display.environment(), smallFileSizeLimit);
    EXPECT_FALSE(xdotool.waitForWindow("Linvox", 15s).isEmpty()) << linvox.standardError();

    EXPECT_TRUE(linvox.running());
    EXPECT_EQ(scratch.rawFile(), handWritten);
    // Neither the lock file nor a half-written copy is left beside it.
    EXPECT_EQ(
        QDir(scratch.directory()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"MyApp.conf"});
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The program started bare on a (virtual) display: the window a user sees and clicks through.
#include "platform/serial/SerialLockFile.h"
#include "support/EventLoop.h"
#include "support/FormPoints.h"
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/StoredText.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The window and the program share one signal pipe and one registry of open lines: a logout
// during a check ends the program and lets the port go.
TEST(WindowOnDisplay, TerminationDuringACheckLetsThePortGo) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    PhoneSimulator phone({"--silent"});
    ScratchSettings scratch;
    scratch.mapPort(3, phone.devicePath());
    scratch.preset({{"1telefon", "True"}, {"port", "3"}});
    const int keptOpen =
        ::open(QFile::encodeName(phone.devicePath()), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(keptOpen, 0);
    LinvoxProcess linvox({}, scratch.directory(), display.environment());
    const QString window = xdotool.waitForWindow("Linvox", 15s);
    ASSERT_FALSE(window.isEmpty()) << linvox.standardError();
    xdotool.click(window, kViewSwitch);
    ASSERT_TRUE(RunEventsUntil([&] { return xdotool.size(window) == QSize(576, 424); }, 5s));
    xdotool.click(window, kCheckButton);
    // The warning, a box titled as the window is.
    QStringList shown;
    ASSERT_TRUE(RunEventsUntil(
        [&] { return (shown = xdotool.visibleWindows("Linvox")).size() == 2; }, 10s));
    shown.removeAll(window);
    xdotool.pressKeys(shown.first(), {"Return"});
    ASSERT_TRUE(phone.waitForCommands(1, 10s));

    ASSERT_EQ(::kill(static_cast<pid_t>(linvox.processId()), SIGTERM), 0);
    ASSERT_TRUE(linvox.waitForExit(5s));
    EXPECT_EQ(linvox.exitStatus(), 0);
    int exclusive = -1;
    EXPECT_EQ(::ioctl(keptOpen, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_FALSE(QFile::exists(LockFilePath(phone.devicePath())));
    ::close(keptOpen);
}

// A logout while the window's start waits for the settings' lock, or while a box says why a
// setting was not saved, ends the program: no window, and nothing saved.
TEST(WindowOnDisplay, TerminationWhileTheStartWaitsOnTheSettingsShowsNoWindow) {
    for (const bool lockIsAFolder : {false, true}) {
        VirtualDisplay display;
        Xdotool xdotool(display);
        ScratchSettings scratch;
        scratch.writeRawFile("[linvox]\nport_mts=7\n");
        const QByteArray lock = QFile::encodeName(scratch.filePath() + ".lock");
        // Held by a live program, as one that hangs in its save, or no lock file at all.
        const int held =
            lockIsAFolder ? ::mkdir(lock, 0700) : ::open(lock, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_GE(held, 0);
        ASSERT_TRUE(lockIsAFolder || (::flock(held, LOCK_EX) == 0 && ::write(held, "1\n", 2) == 2));
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        ::inotify_add_watch(watch, lock, IN_OPEN);
        LinvoxProcess linvox({}, scratch.directory(), display.environment());
        // The start waits, looking at the lock now and then, or has its box up.
        char event[sizeof(inotify_event) + NAME_MAX + 1];
        ASSERT_TRUE(RunEventsUntil(
            [&] {
                return lockIsAFolder ? !xdotool.visibleWindows("Linvox").isEmpty()
                                     : ::read(watch, event, sizeof event) > 0;
            },
            15s))
            << lockIsAFolder;

        ASSERT_EQ(::kill(static_cast<pid_t>(linvox.processId()), SIGTERM), 0);
        EXPECT_TRUE(linvox.waitForExit(5s)) << lockIsAFolder;
        EXPECT_EQ(linvox.exitStatus(), 0);
        EXPECT_TRUE(xdotool.visibleWindows("Linvox").isEmpty());
        EXPECT_EQ(scratch.rawFile(), "[linvox]\nport_mts=7\n");
        ::close(watch);
        if (!lockIsAFolder) {
            ::close(held);
        }
    }
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a link handler on a real (virtual) display: messages are modal boxes, and the
// program ends once the user has closed them.
#include "messages/Phrases.h"
#include "platform/serial/SerialLockFile.h"
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <fcntl.h>
#include <optional>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QFile>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

struct BoxCase {
    QString link;
    Phrase boxTitle;
    int exitStatus;
};

void PrintTo(const BoxCase& box, std::ostream* out) {
    *out << SourceText(box.boxTitle);
}

class MessageBoxOnDisplay : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxOnDisplay, ShowsOneBoxNeverTheWindowAndEndsWhenTheBoxIsClosed) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    ScratchSettings scratch;
    scratch.mapPort(2, scratch.directory() + "/no-such-phone");
    scratch.preset({{"port_mts", "2"}});

    LinvoxProcess linvox({GetParam().link}, scratch.directory(), display.environment());
    const QString box = xdotool.waitForWindow(SourceText(GetParam().boxTitle), 15s);
    ASSERT_FALSE(box.isEmpty()) << linvox.standardError();
    EXPECT_TRUE(xdotool.visibleWindows("Linvox").isEmpty());
    EXPECT_FALSE(linvox.waitForExit(300ms)) << "ended before the box was closed";

    xdotool.pressKeys(box, {"Return"});

    ASSERT_TRUE(linvox.waitForExit(10s));
    EXPECT_EQ(linvox.exitStatus(), GetParam().exitStatus);
    EXPECT_FALSE(linvox.standardError().contains(SourceText(GetParam().boxTitle)));
}

INSTANTIATE_TEST_SUITE_P(Boxes, MessageBoxOnDisplay,
                         ::testing::Values(BoxCase{"tel:0501234567", Phrase::ModemTitle, 1},
                                           BoxCase{"tel:05012345", Phrase::NumberCheckTitle, 2}));

TEST(LinkHandlerOnDisplay, SuccessfulCallShowsNothing) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    ScratchSettings scratch;
    PhoneSimulator phone;
    scratch.mapPort(2, phone.devicePath());
    scratch.preset({{"port_mts", "2"}});

    LinvoxProcess linvox({"callto:+380501234567"}, scratch.directory(), display.environment());
    ASSERT_TRUE(linvox.waitForExit(10s));
    EXPECT_EQ(linvox.exitStatus(), 0);
    EXPECT_EQ(phone.transcript(), "ATD+380501234567;\r");
    EXPECT_TRUE(xdotool.visibleWindows("Linvox").isEmpty());
}

// A logout takes the display away while Linvox waits after dialing, and Qt ends the program
// there and then. Another program keeps the device open, as ModemManager does: a port left with
// its exclusive-open flag would be refused to every later call.
TEST(WindowOnDisplay, DisplayGoneWhileACallWaitsLetsThePortGo) {
    std::optional<VirtualDisplay> display(std::in_place);
    ScratchSettings scratch;
    PhoneSimulator phone;
    scratch.mapPort(2, phone.devicePath());
    scratch.preset({{"port_mts", "2"}});
    const int keptOpen =
        ::open(QFile::encodeName(phone.devicePath()), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(keptOpen, 0);

    // A call from the window: a start with a link never connects to the display.
    LinvoxProcess linvox({}, scratch.directory(), display->environment());
    const Xdotool xdotool(*display);
    const QString window = xdotool.waitForWindow("Linvox", 15s);
    ASSERT_FALSE(window.isEmpty());
    xdotool.pressKeys(window, {"0", "5", "0", "1", "2", "3", "4", "5", "6", "7", "Return"});
    ASSERT_TRUE(phone.waitForCommands(1, 10s));
    display.reset();
    ASSERT_TRUE(linvox.waitForExit(10s));

    EXPECT_EQ(linvox.exitStatus(), 1) << "Qt's status for a display that went away";
    int exclusive = -1;
    EXPECT_EQ(::ioctl(keptOpen, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_FALSE(QFile::exists(LockFilePath(phone.devicePath())));
    ::close(keptOpen);
}

}  // namespace
}  // namespace linvox::testing

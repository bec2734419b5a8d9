// The program started bare on a (virtual) display: the window a user sees and clicks through.
#include "support/EventLoop.h"
#include "support/LinvoxProcess.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// Centres of controls in the window, in pixels (the form's twips / 15).
constexpr QPoint kViewSwitch{48, 60};
constexpr QPoint kMtsPortField{424, 217};
constexpr QPoint kSinglePhoneOption{304, 352};

TEST(WindowOnDisplay, OpensCompactAndStoresWhatIsEditedInTheSettingsView) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    ScratchSettings scratch;
    const SettingsStore settings = scratch.store();
    LinvoxProcess linvox({}, scratch.directory(), display.environment());

    const QString window = xdotool.waitForWindow("Linvox", 15s);
    ASSERT_FALSE(window.isEmpty()) << linvox.standardError();
    EXPECT_EQ(xdotool.size(window), QSize(356, 93));
    EXPECT_EQ(settings.ReadSetting("port_mts", "<absent>"), "1");
    EXPECT_EQ(settings.ReadSetting("1telefon", "<absent>"), "False");

    xdotool.click(window, kViewSwitch);
    // Without a window manager there is no frame: the outer size is the window's own.
    EXPECT_TRUE(RunEventsUntil([&] { return xdotool.size(window) == QSize(576, 424); }, 5s))
        << xdotool.size(window).width() << "x" << xdotool.size(window).height();

    xdotool.click(window, kMtsPortField);
    // Typing over the selection changes the text once; clearing first would bring up the
    // "digits only" message.
    xdotool.pressKeys(window, {"ctrl+a", "5"});
    EXPECT_TRUE(RunEventsUntil([&] { return settings.ReadSetting("port_mts", "") == "5"; }, 5s));

    xdotool.click(window, kSinglePhoneOption);
    EXPECT_TRUE(RunEventsUntil([&] { return settings.ReadSetting("1telefon", "") == "True"; }, 5s));

    xdotool.click(window, kViewSwitch);
    EXPECT_TRUE(RunEventsUntil([&] { return xdotool.size(window) == QSize(364, 120); }, 5s));
    EXPECT_TRUE(linvox.running());
}

// Limits every file linvox writes to fewer bytes than a settings file needs.
void WithSmallFileSizeLimit() {
    constexpr rlim_t kBytes = 120;
    const rlimit limit{kBytes, kBytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

struct RefusingStoreCase {
    const char* name;
    std::function<void(const ScratchSettings&)> make;
    std::function<void()> inChild = {};
};

void PrintTo(const RefusingStoreCase& store, std::ostream* out) {
    *out << store.name;
}

class WindowOnARefusingStore : public ::testing::TestWithParam<RefusingStoreCase> {};

TEST_P(WindowOnARefusingStore, StartsAndReportsTheRefusedSaveLeavingTheStoreAsItWas) {
    VirtualDisplay display;
    Xdotool xdotool(display);
    ScratchSettings scratch;
    GetParam().make(scratch);
    // Reading a FIFO would block the test.
    const auto contents = [&] {
        return QFileInfo(scratch.filePath()).isFile() ? scratch.rawFile() : "<no regular file>";
    };
    const QByteArray before = contents();

    // The window's first load saves its fields; each refused save is a box titled "Linvox".
    LinvoxProcess linvox({}, scratch.directory(), display.environment(), GetParam().inChild);
    EXPECT_FALSE(xdotool.waitForWindow("Linvox", 15s).isEmpty()) << linvox.standardError();

    EXPECT_TRUE(linvox.running());
    EXPECT_EQ(contents(), before);
    // No lock file or half-written copy is left beside it.
    EXPECT_EQ(QDir(scratch.directory())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"MyApp.conf"});
}

INSTANTIATE_TEST_SUITE_P(
    Stores, WindowOnARefusingStore,
    ::testing::Values(
        RefusingStoreCase{"a FIFO",
                          [](const ScratchSettings& scratch) {
                              ASSERT_EQ(::mkfifo(QFile::encodeName(scratch.filePath()), 0600), 0);
                          }},
        RefusingStoreCase{"a file-size limit",
                          [](const ScratchSettings& scratch) {
                              scratch.writeRawFile(
                                  "[linvox]\nport=1\nport_mts=2\n\n[ports]\n"
                                  "; the phone on USB, plugged into the left-hand socket\n"
                                  "COM2=/dev/serial/by-id/"
                                  "usb-Phone_Maker_Phone_123-if00\n");
                          },
                          WithSmallFileSizeLimit}));

}  // namespace
}  // namespace linvox::testing

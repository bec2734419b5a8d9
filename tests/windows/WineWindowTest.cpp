// SPDX-License-Identifier: GPL-3.0-or-later
// linvox.exe under Wine started bare on a virtual display: the window a Windows user sees, in its
// sizes and colours, storing what is edited in the registry, refusing an empty number, searching
// through the management service and opening the support site through the shell.
#include "WineOnDisplay.h"
#include "messages/Phrases.h"
#include "support/FormPoints.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <memory>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// Client areas; the settings view's is what Wine leaves of the outer size the window sets.
const QSize kCompactView(356, 93);
const QSize kSettingsView(576, 401);
// The number field is yellow, the call button green, the operators orange, in every style; the
// check button is a dark grey (80 80 80).
constexpr int kOrange = 30;
constexpr int kYellow = 60;
constexpr int kGreen = 120;
constexpr int kHueTolerance = 15;
constexpr int kCheckButtonGrey = 0x80;
constexpr int kGreyTolerance = 24;
constexpr int kFewestNumberFieldPixels = 3000;
constexpr int kFewestCallButtonPixels = 1000;
constexpr int kFewestOperatorPixels = 150;

using WineWindow = WineOnDisplay<>;

TEST_F(WineWindow, ShowsItsViewsInTheirColoursAndStoresAPortThatTheNextLinkUses) {
    PhoneSimulator phone;
    s_prefix->linkComPort(5, phone.devicePath());

    const std::unique_ptr<WineWindowDriver> linvox = StartWindow();
    ASSERT_FALSE(linvox->window().isEmpty());
    EXPECT_EQ(linvox->xdotool().size(linvox->window()), kCompactView);
    // Captured once the window has painted itself.
    QImage compact;
    EXPECT_TRUE(RunEventsUntil(
        [&] {
            compact = linvox->capture();
            return CountPixelsOfHue(compact, kYellow, kHueTolerance) >= kFewestNumberFieldPixels;
        },
        20s));
    EXPECT_GE(CountPixelsOfHue(compact, kGreen, kHueTolerance), kFewestCallButtonPixels);
    // The bare start fills the fields from the registry, and each fill is stored again.
    EXPECT_EQ(s_prefix->setting("port_mts"), "1");
    EXPECT_EQ(s_prefix->setting("1telefon"), "False");

    ASSERT_TRUE(linvox->openSettings());
    EXPECT_EQ(linvox->xdotool().size(linvox->window()), kSettingsView);
    QImage settings;
    EXPECT_TRUE(RunEventsUntil(
        [&] {
            settings = linvox->capture();
            return CountPixelsOfHue(settings.copy(kOperatorLabels), kOrange, kHueTolerance) >=
                   kFewestOperatorPixels;
        },
        20s));
    const QImage checkButton = settings.copy(kCheckButtonArea);
    EXPECT_GE(CountGreyPixels(checkButton, kCheckButtonGrey, kGreyTolerance),
              checkButton.width() * checkButton.height() / 2);

    linvox->retype(kMtsPortField, "5");
    EXPECT_TRUE(RunEventsUntil([&] { return s_prefix->setting("port_mts") == "5"; }, 20s));

    const WinePrefix::Outcome link = s_prefix->run({LINVOX_WINDOWS_EXE, "tel:0501234567"}, 60s);
    EXPECT_EQ(link.exitStatus, 0) << link.output;
    EXPECT_EQ(phone.transcript(), "ATD0501234567;\r");
    EXPECT_EQ(linvox->close(), 0);
}

TEST_F(WineWindow, CallWithoutANumberIsRefusedWithOneCriticalBox) {
    const std::unique_ptr<WineWindowDriver> linvox = StartWindow();
    ASSERT_FALSE(linvox->window().isEmpty());

    const QString title = SourceText(Phrase::NumberCheckTitle);
    linvox->xdotool().click(linvox->window(), kCallButton);
    const QString box = linvox->xdotool().waitForWindow(title, 30s);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(ShowsCriticalIcon(box)) << "no critical icon";
    EXPECT_EQ(ReadMessageBox(*s_display, *s_prefix, box, title),
              (QStringList{title, SourceText(Phrase::NoNumberTyped)}));
    linvox->xdotool().pressKeys(box, {"Return"});
    EXPECT_TRUE(
        RunEventsUntil([&] { return linvox->xdotool().visibleWindows(title).isEmpty(); }, 20s));
    EXPECT_EQ(linvox->close(), 0);
}

TEST_F(WineWindow, SearchFindsNoModemInTheManagementServicesEmptyList) {
    const std::unique_ptr<WineWindowDriver> linvox = StartWindow();
    ASSERT_FALSE(linvox->window().isEmpty());
    ASSERT_TRUE(linvox->openSettings());

    ASSERT_TRUE(linvox->pressAndConfirm(kSearchButton));

    EXPECT_EQ(linvox->copiedText(kSearchResults, 30s), SourceText(Phrase::NoModemsFound));
}

TEST_F(WineWindow, SupportLinkOpensTheSiteThroughTheShell) {
    // Wine's shell hands web addresses to the browsers listed here; this one writes down what it
    // was asked to open.
    QTemporaryDir browserFolder;
    const QString browser = browserFolder.filePath("browser");
    const QString opened = browserFolder.filePath("opened");
    QFile script(browser);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho \"$@\" >>'" + opened + "'\n").toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    s_prefix->setValue(R"(HKCU\Software\Wine\WineBrowser)", "Browsers", browser);

    const std::unique_ptr<WineWindowDriver> linvox = StartWindow();
    ASSERT_FALSE(linvox->window().isEmpty());
    ASSERT_TRUE(linvox->openSettings());
    linvox->xdotool().click(linvox->window(), kSupportLink);

    EXPECT_TRUE(RunEventsUntil(
        [&] {
            QFile file(opened);
            return file.open(QIODevice::ReadOnly) &&
                   file.readAll() == "http://linvox.example/support\n";
        },
        30s));
    EXPECT_TRUE(linvox->xdotool().visibleWindows("frmAbout::ExecuteLink").isEmpty());
}

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// linvox.exe under Wine started bare on a virtual display: the window a Windows user sees, in its
// sizes and colours, storing what is edited in the registry, searching through the management
// service and opening the support site through the shell.
#include "WinePrefix.h"
#include "support/DisplayReading.h"
#include "support/EventLoop.h"
#include "support/FormPoints.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <memory>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QSize kCompactView(356, 93);
// The number field is yellow and the call button green, in every style.
constexpr int kYellow = 60;
constexpr int kGreen = 120;
constexpr int kHueTolerance = 15;
constexpr int kFewestNumberFieldPixels = 3000;
constexpr int kFewestCallButtonPixels = 1000;

class WineWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_display = std::make_unique<VirtualDisplay>();
        s_prefix = std::make_unique<WinePrefix>(s_display->name());
    }
    static void TearDownTestSuite() {
        s_prefix.reset();
        s_display.reset();
    }

    // Starts linvox.exe bare and waits for its window.
    QString StartWindow() {
        m_linvox = s_prefix->start({LINVOX_WINDOWS_EXE});
        const QString window = m_xdotool.waitForWindow("Linvox", 60s);
        EXPECT_FALSE(window.isEmpty()) << m_linvox->readAll().toStdString();
        return window;
    }

    // Switches to the settings view and waits until the window has grown.
    void OpenSettings(const QString& window) {
        m_xdotool.click(window, kViewSwitch);
        EXPECT_TRUE(RunEventsUntil(
            [&] { return m_xdotool.size(window).height() > kCompactView.height(); }, 10s));
    }

    // The text of a text field, as Ctrl+A and Ctrl+C copy it; asked again until it is there.
    QString CopiedText(const QString& window, QPoint field) {
        QString text;
        RunEventsUntil(
            [&] {
                m_xdotool.click(window, field);
                m_xdotool.pressKeys(window, {"ctrl+a", "ctrl+c"});
                text = ClipboardText(*s_display);
                return !text.isEmpty();
            },
            20s);
        return text;
    }

    static inline std::unique_ptr<VirtualDisplay> s_display;
    static inline std::unique_ptr<WinePrefix> s_prefix;
    Xdotool m_xdotool{*s_display};
    std::unique_ptr<QProcess> m_linvox;
};

TEST_F(WineWindow, ShowsItsColoursAndStoresAPortThatTheNextLinkUses) {
    PhoneSimulator phone;
    s_prefix->linkComPort(5, phone.devicePath());

    const QString window = StartWindow();
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(m_xdotool.size(window), kCompactView);
    // Captured once the window has painted itself.
    QImage compact;
    EXPECT_TRUE(RunEventsUntil(
        [&] {
            compact = CaptureWindow(*s_display, window);
            return CountPixelsOfHue(compact, kYellow, kHueTolerance) >= kFewestNumberFieldPixels;
        },
        20s));
    EXPECT_GE(CountPixelsOfHue(compact, kGreen, kHueTolerance), kFewestCallButtonPixels);
    // The bare start fills the fields from the registry, and each fill is stored again.
    EXPECT_EQ(s_prefix->setting("port_mts"), "1");
    EXPECT_EQ(s_prefix->setting("1telefon"), "False");

    OpenSettings(window);
    m_xdotool.click(window, kMtsPortField);
    m_xdotool.pressKeys(window, {"ctrl+a", "5"});
    EXPECT_TRUE(RunEventsUntil([&] { return s_prefix->setting("port_mts") == "5"; }, 20s));

    const WinePrefix::Outcome link = s_prefix->run({LINVOX_WINDOWS_EXE, "tel:0501234567"}, 60s);
    EXPECT_EQ(link.exitStatus, 0) << link.output;
    EXPECT_EQ(phone.transcript(), "ATD0501234567;\r");

    m_xdotool.pressKeys(window, {"alt+F4"});
    ASSERT_TRUE(m_linvox->waitForFinished(30000));
    EXPECT_EQ(m_linvox->exitCode(), 0);
}

TEST_F(WineWindow, SearchFindsNoModemInTheManagementServicesEmptyList) {
    const QString window = StartWindow();
    ASSERT_FALSE(window.isEmpty());
    OpenSettings(window);

    m_xdotool.click(window, kSearchButton);
    QString warning;
    ASSERT_TRUE(RunEventsUntil(
        [&] {
            const QStringList boxes = m_xdotool.visibleWindows("Linvox");
            warning = boxes.size() == 2 ? boxes.at(boxes.indexOf(window) == 0 ? 1 : 0) : QString();
            return !warning.isEmpty();
        },
        30s));
    m_xdotool.pressKeys(warning, {"Return"});
    ASSERT_TRUE(
        RunEventsUntil([&] { return m_xdotool.visibleWindows("Linvox").size() == 1; }, 20s));

    EXPECT_EQ(CopiedText(window, kSearchResults),
              "На этом компьютере не обнаружено модемов, через которые можно было бы звонить!");
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

    const QString window = StartWindow();
    ASSERT_FALSE(window.isEmpty());
    OpenSettings(window);
    m_xdotool.click(window, kSupportLink);

    EXPECT_TRUE(RunEventsUntil(
        [&] {
            QFile file(opened);
            return file.open(QIODevice::ReadOnly) &&
                   file.readAll() == "http://linvox.example/support\n";
        },
        30s));
    EXPECT_TRUE(m_xdotool.visibleWindows("frmAbout::ExecuteLink").isEmpty());
}

}  // namespace
}  // namespace linvox::testing

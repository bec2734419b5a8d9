// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WinePrefix.h"
#include "WineWindowDriver.h"
#include "support/DisplayReading.h"
#include "support/EventLoop.h"
#include "support/VirtualDisplay.h"

#include <chrono>
#include <memory>

#include <gtest/gtest.h>

namespace linvox::testing {

// A suite's virtual display and Wine prefix, with the given harness: made once, as a prefix takes
// about 12 s, for all the suite's cases, and ended after them. CTest runs each suite apart.
template <WinePrefix::Harness kHarness = WinePrefix::Harness::None>
class WineOnDisplay : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_display = std::make_unique<VirtualDisplay>();
        s_prefix = std::make_unique<WinePrefix>(s_display->name(), kHarness);
    }
    static void TearDownTestSuite() {
        s_prefix.reset();
        s_display.reset();
    }

    // linvox.exe started bare, its window awaited; with the harness, while the management service
    // lists modems ("COM3=Name;COM4=Other name").
    static std::unique_ptr<WineWindowDriver> StartWindow(const QString& modems = {}) {
        auto driver = std::make_unique<WineWindowDriver>(*s_display, *s_prefix, [&] {
            if constexpr (kHarness == WinePrefix::Harness::None) {
                return s_prefix->start({LINVOX_WINDOWS_EXE});
            } else {
                return s_prefix->startWithHarness(LINVOX_WINDOWS_EXE, modems);
            }
        });
        EXPECT_FALSE(driver->window().isEmpty()) << driver->process().readAll().toStdString();
        return driver;
    }

    // Whether a message box shows the critical icon, a red disc, once it has painted itself; a
    // box without an icon has no red at all.
    static bool ShowsCriticalIcon(const QString& box) {
        constexpr int kRed = 0;
        constexpr int kHueTolerance = 15;
        constexpr int kFewestIconPixels = 100;
        return RunEventsUntil(
            [&] {
                return CountPixelsOfHue(CaptureWindow(*s_display, box), kRed, kHueTolerance) >=
                       kFewestIconPixels;
            },
            std::chrono::seconds(20));
    }

    static inline std::unique_ptr<VirtualDisplay> s_display;
    static inline std::unique_ptr<WinePrefix> s_prefix;
};

}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// Which of Qt's platforms a start hands the window to, as the environment names the displays.
#include "platform/desktop/Display.h"

#include <utility>
#include <vector>

#include <QByteArray>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

struct PlatformCase {
    const char* chosen;
    const char* handedToQt;
};

void PrintTo(const PlatformCase& platform, std::ostream* out) {
    *out << '"' << platform.chosen << '"';
}

// No desktop session answers: DISPLAY and WAYLAND_DISPLAY are unset for each case.
class DisplayChoiceWithoutSession : public ::testing::TestWithParam<PlatformCase> {
protected:
    void SetUp() override {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            m_saved.emplace_back(name, qgetenv(name));
            qunsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
    }

private:
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

TEST_P(DisplayChoiceWithoutSession, HandsQtTheUsersOwnKindOfDisplayAndNoSessionOfTheirs) {
    qputenv("QT_QPA_PLATFORM", GetParam().chosen);

    const Outcome<QString> choice = ChooseDisplay();

    const QString handedToQt = QString::fromUtf8(GetParam().handedToQt);
    EXPECT_EQ(choice, handedToQt.isEmpty()
                          ? Outcome<QString>(Failure(FailureCode::NoDisplayAnswers))
                          : Outcome<QString>(handedToQt));
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, DisplayChoiceWithoutSession,
    ::testing::Values(PlatformCase{"", ""}, PlatformCase{"eglfs", "eglfs"},
                      PlatformCase{"vnc:size=800x600;xcb", "vnc:size=800x600;xcb"},
                      PlatformCase{"linuxfb:fb=/dev/fb1", "linuxfb:fb=/dev/fb1"},
                      // What a desktop session's platform needs is checked, and here is missing.
                      PlatformCase{"xcb", ""}, PlatformCase{"wayland-egl;xcb", ""},
                      // A window that no one sees would leave a message box open for ever.
                      PlatformCase{"offscreen", ""}, PlatformCase{"minimal", ""}));

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program as the desktop's handler of tel: links, through xdg-open.
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/VirtualDisplay.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCommandTimeoutMs = 30000;

// Runs a command to its end; its standard error when it fails.
QString RunToTheEnd(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(kCommandTimeoutMs) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return program + " failed: " + QString::fromLocal8Bit(process.readAllStandardError());
    }
    return {};
}

TEST(DesktopIntegration, XdgOpenOfATelLinkDialsThroughTheInstalledDesktopFile) {
    QTemporaryDir prefix;
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    ASSERT_EQ(RunToTheEnd(LINVOX_CMAKE_COMMAND,
                          {"--install", LINVOX_BUILD_DIRECTORY, "--prefix", prefix.path()}, system),
              "");

    ScratchSettings scratch;
    PhoneSimulator phone;
    scratch.mapPort(2, phone.devicePath());
    scratch.preset({{"port_mts", "2"}});
    VirtualDisplay display;
    QProcessEnvironment desktop = display.environment();
    for (const char* variable : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID"}) {
        desktop.remove(variable);
    }
    desktop.insert("XDG_CONFIG_HOME", scratch.directory());
    desktop.insert("XDG_DATA_HOME", prefix.filePath("share"));
    desktop.insert("XDG_DATA_DIRS", prefix.filePath("share") + ":/usr/share");
    desktop.insert("PATH", prefix.filePath("bin") + ':' + system.value("PATH"));

    ASSERT_EQ(
        RunToTheEnd("xdg-mime", {"default", "linvox.desktop", "x-scheme-handler/tel"}, desktop),
        "");
    ASSERT_EQ(RunToTheEnd("xdg-open", {"tel:+380501234567"}, desktop), "");

    EXPECT_TRUE(phone.waitForCommands(1, 10s));
    EXPECT_EQ(phone.transcript(), "ATD+380501234567;\r");
}

}  // namespace
}  // namespace linvox::testing

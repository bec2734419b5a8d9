// SPDX-License-Identifier: GPL-3.0-or-later
// The program in a Wayland session on a real compositor (weston, headless): the window opens
// there, and a link dials whether Qt's Wayland plugin is installed or not.
#include "support/EventLoop.h"
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/VirtualDisplay.h"
#include "support/WestonCompositor.h"
#include "support/Xdotool.h"

#include <optional>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// A copy of the built program with a qt.conf beside it that shows it Qt's plugins less the
// Wayland ones, as on a system without qt6-wayland. Qt reads qt.conf only beside the program.
class WithoutWaylandPlugin {
public:
    WithoutWaylandPlugin() {
        const QDir installed(QLibraryInfo::path(QLibraryInfo::PluginsPath));
        const QDir root(m_root.path());
        root.mkpath(QStringLiteral("bin"));
        root.mkpath(QStringLiteral("plugins/platforms"));
        const auto linkAllButWayland = [](const QFileInfoList& entries, const QDir& into) {
            for (const QFileInfo& entry : entries) {
                if (!entry.fileName().contains(QStringLiteral("wayland")) &&
                    entry.fileName() != QStringLiteral("platforms")) {
                    QFile::link(entry.absoluteFilePath(), into.filePath(entry.fileName()));
                }
            }
        };
        linkAllButWayland(installed.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot),
                          QDir(root.filePath(QStringLiteral("plugins"))));
        linkAllButWayland(QDir(installed.filePath(QStringLiteral("platforms"))).entryInfoList(),
                          QDir(root.filePath(QStringLiteral("plugins/platforms"))));
        QFile::copy(QStringLiteral(LINVOX_BINARY_PATH), program());
        // The window part, where the program looks for it.
        const QString windowPart = QFileInfo(QStringLiteral(LINVOX_BINARY_PATH))
                                       .dir()
                                       .relativeFilePath(QStringLiteral(LINVOX_WINDOW_PART_PATH));
        const QString copiedPart = root.filePath(QStringLiteral("bin/") + windowPart);
        root.mkpath(QFileInfo(copiedPart).path());
        QFile::copy(QStringLiteral(LINVOX_WINDOW_PART_PATH), copiedPart);
        QFile configuration(root.filePath(QStringLiteral("bin/qt.conf")));
        EXPECT_TRUE(configuration.open(QIODevice::WriteOnly));
        configuration.write(
            "[Paths]\nPlugins=" + root.filePath(QStringLiteral("plugins")).toUtf8() + "\n");
    }

    QString program() const { return m_root.filePath(QStringLiteral("bin/linvox")); }

private:
    QTemporaryDir m_root;
};

class WaylandSession : public ::testing::Test {
protected:
    WaylandSession() {
        scratch.mapPort(2, phone.devicePath());
        scratch.preset({{"port_mts", "2"}});
    }

    WestonCompositor compositor;
    ScratchSettings scratch;
    PhoneSimulator phone;
};

TEST_F(WaylandSession, WindowOpensOnTheCompositor) {
    QProcessEnvironment session = compositor.environment();
    session.insert("WAYLAND_DEBUG", "client");
    LinvoxProcess linvox({}, scratch.directory(), session);

    // Linvox's side of the protocol: a window titled Linvox, and a drawing of it handed over.
    // libwayland 1.21 (Debian 12) writes an object as wl_buffer@17, 1.23 (Debian 13) wl_buffer#17.
    const QRegularExpression bufferAttached(QStringLiteral(R"(\.attach\(wl_buffer[@#]\d+)"));
    EXPECT_TRUE(RunEventsUntil(
        [&] {
            const QString protocol = linvox.standardError();
            return protocol.contains(".set_title(\"Linvox\")") && protocol.contains(bufferAttached);
        },
        15s))
        << linvox.standardError().right(2000);
    EXPECT_TRUE(linvox.running());
}

class LinkInAWaylandSession : public WaylandSession, public ::testing::WithParamInterface<bool> {};

TEST_P(LinkInAWaylandSession, Dials) {
    std::optional<WithoutWaylandPlugin> stripped;
    if (!GetParam()) {
        stripped.emplace();
    }
    LinvoxProcess linvox({"tel:+380501234567"}, scratch.directory(), compositor.environment(), {},
                         stripped ? stripped->program() : QStringLiteral(LINVOX_BINARY_PATH));

    ASSERT_TRUE(linvox.waitForExit(10s));
    EXPECT_EQ(linvox.exitStatus(), 0) << linvox.standardError();
    EXPECT_EQ(phone.transcript(), "ATD+380501234567;\r");
}

INSTANTIATE_TEST_SUITE_P(WaylandPlugin, LinkInAWaylandSession, ::testing::Bool(),
                         [](const auto& plugin) { return plugin.param ? "Installed" : "Missing"; });

TEST_F(WaylandSession, WithoutThePluginTheWindowGoesToTheXServerOrSaysWhatIsMissing) {
    WithoutWaylandPlugin stripped;
    LinvoxProcess alone({}, scratch.directory(), compositor.environment(), {}, stripped.program());
    ASSERT_TRUE(alone.waitForExit(10s));
    EXPECT_EQ(alone.exitStatus(), 3);
    EXPECT_TRUE(alone.standardError().contains("qt6-wayland")) << alone.standardError();

    // An X server beside the compositor, as Xwayland is.
    VirtualDisplay xwayland;
    Xdotool xdotool(xwayland);
    QProcessEnvironment session = compositor.environment();
    session.insert("DISPLAY", xwayland.name());
    LinvoxProcess linvox({}, scratch.directory(), session, {}, stripped.program());
    EXPECT_FALSE(xdotool.waitForWindow("Linvox", 15s).isEmpty()) << linvox.standardError();
}

}  // namespace
}  // namespace linvox::testing

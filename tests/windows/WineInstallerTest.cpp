// SPDX-License-Identifier: GPL-3.0-or-later
// The installer under Wine: a silent install for the current user makes Linvox the handler of the
// four link schemes, a link opened through the shell reaches the phone, and a silent uninstall
// takes away every file and key it added but the user's settings.
#include "WinePrefix.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QStringList kSchemes{"tel", "callto", "sip", "skype"};
const QString kClasses = R"(HKCU\Software\Classes\)";
const QString kCapabilities = R"(HKCU\Software\Linvox\Capabilities)";
const QString kRegisteredApplications = R"(HKCU\Software\RegisteredApplications)";
const QString kUninstallEntry =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Linvox)";
const QString kProgramFolder = "AppData/Local/Programs/Linvox";
const QString kStartMenuEntry = "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Linvox.lnk";

TEST(WineInstaller, RegistersTheLinksForTheUserAndUninstallsAllButTheSettings) {
    const WinePrefix prefix;
    PhoneSimulator phone;
    prefix.linkComPort(3, phone.devicePath());
    prefix.setSetting("port_mts", "3");

    const WinePrefix::Outcome installed = prefix.run({LINVOX_WINDOWS_INSTALLER, "/S"}, 120s);
    prefix.waitUntilIdle();
    ASSERT_EQ(installed.exitStatus, 0) << installed.output;

    const QString folder = prefix.userFolder() + '/' + kProgramFolder;
    EXPECT_TRUE(QFileInfo::exists(folder + "/linvox.exe"));
    EXPECT_TRUE(QFileInfo::exists(prefix.userFolder() + '/' + kStartMenuEntry));
    const QString command = prefix.value(kClasses + R"(tel\shell\open\command)", "").value_or("");
    EXPECT_TRUE(command.endsWith(R"(\AppData\Local\Programs\Linvox\linvox.exe" %1)")) << command;
    for (const QString& scheme : kSchemes) {
        EXPECT_EQ(prefix.value(kClasses + scheme, "URL Protocol"), "") << scheme;
        EXPECT_EQ(prefix.value(kClasses + scheme + R"(\shell\open\command)", ""), command);
        EXPECT_EQ(prefix.value(kCapabilities + R"(\URLAssociations)", scheme), "Linvox.Link");
    }
    EXPECT_EQ(prefix.value(kRegisteredApplications, "Linvox"), R"(Software\Linvox\Capabilities)");
    EXPECT_TRUE(prefix.hasKey(kUninstallEntry));

    // Windows looks links up in the user's classes first; Wine only in the machine's, so the
    // user's registration is shown to it there.
    prefix.copyKey(kClasses + "tel", R"(HKLM\Software\Classes\tel)");
    const WinePrefix::Outcome link = prefix.run({"start", "/wait", "tel:+380501234567"}, 60s);
    EXPECT_EQ(link.exitStatus, 0) << link.output;
    EXPECT_EQ(phone.transcript(), "ATD+380501234567;\r");

    const WinePrefix::Outcome uninstalled = prefix.run({folder + "/uninstall.exe", "/S"}, 120s);
    prefix.waitUntilIdle();
    EXPECT_EQ(uninstalled.exitStatus, 0) << uninstalled.output;
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo::exists(prefix.userFolder() + '/' + kStartMenuEntry));
    for (const QString& key :
         {kClasses + "tel", kClasses + "callto", kClasses + "sip", kClasses + "skype",
          kClasses + "Linvox.Link", QString(R"(HKCU\Software\Linvox)"), kUninstallEntry}) {
        EXPECT_FALSE(prefix.hasKey(key)) << key;
    }
    EXPECT_EQ(prefix.value(kRegisteredApplications, "Linvox"), std::nullopt);
    EXPECT_EQ(prefix.setting("port_mts"), "3");
}

}  // namespace
}  // namespace linvox::testing

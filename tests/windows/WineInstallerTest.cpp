// SPDX-License-Identifier: GPL-3.0-or-later
// The installer under Wine: a silent install for the current user, also over an older version,
// makes Linvox the handler of the four link schemes, links of each opened through the shell reach
// the phone, and a silent uninstall takes away every file and key it added but the user's
// settings and a scheme that another program has taken over.
#include "WinePrefix.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <QFile>
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
const QString kOtherProgramsCommand = R"("C:\Program Files\Softphone\softphone.exe" "%1")";

WinePrefix::Outcome RunSilently(const WinePrefix& prefix, const QString& program) {
    const WinePrefix::Outcome outcome = prefix.run({program, "/S"}, 120s);
    prefix.waitUntilIdle();
    return outcome;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(WineInstaller, UpgradesRegistersEveryLinkAndUninstallsAllButTheSettingsAndATakenScheme) {
    const WinePrefix prefix;
    PhoneSimulator phone;
    prefix.linkComPort(3, phone.devicePath());
    prefix.setSetting("port_mts", "3");
    const QString folder = prefix.userFolder() + '/' + kProgramFolder;

    // An older version installed: its program and its version in the list of programs.
    const WinePrefix::Outcome first = RunSilently(prefix, LINVOX_WINDOWS_INSTALLER);
    ASSERT_EQ(first.exitStatus, 0) << first.output;
    QFile older(folder + "/linvox.exe");
    ASSERT_TRUE(older.open(QIODevice::WriteOnly | QIODevice::Truncate));
    older.write("an older linvox.exe");
    older.close();
    prefix.setValue(kUninstallEntry, "DisplayVersion", "0.0.1");

    const WinePrefix::Outcome installed = RunSilently(prefix, LINVOX_WINDOWS_INSTALLER);
    ASSERT_EQ(installed.exitStatus, 0) << installed.output;
    EXPECT_TRUE(Contents(folder + "/linvox.exe") == Contents(LINVOX_WINDOWS_EXE));
    EXPECT_EQ(prefix.value(kUninstallEntry, "DisplayVersion"), LINVOX_VERSION);
    EXPECT_TRUE(QFileInfo::exists(prefix.userFolder() + '/' + kStartMenuEntry));
    const QString command = prefix.value(kClasses + R"(tel\shell\open\command)", "").value_or("");
    EXPECT_TRUE(command.endsWith(R"(\AppData\Local\Programs\Linvox\linvox.exe" %1)")) << command;
    for (const QString& scheme : kSchemes) {
        EXPECT_EQ(prefix.value(kClasses + scheme, "URL Protocol"), "") << scheme;
        EXPECT_EQ(prefix.value(kClasses + scheme + R"(\shell\open\command)", ""), command);
        EXPECT_EQ(prefix.value(kCapabilities + R"(\URLAssociations)", scheme), "Linvox.Link");
    }
    EXPECT_EQ(prefix.value(kRegisteredApplications, "Linvox"), R"(Software\Linvox\Capabilities)");

    // Windows looks links up in the user's classes first; Wine only in the machine's, so the
    // user's registration is shown to it there.
    for (const QString& link : QStringList{"tel:+380501234567", "callto:+380501234568",
                                           "sip:+380501234569", "skype:+380501234560?call"}) {
        const QString scheme = link.section(u':', 0, 0);
        prefix.copyKey(kClasses + scheme, R"(HKLM\Software\Classes\)" + scheme);
        const WinePrefix::Outcome opened = prefix.run({"start", "/wait", link}, 60s);
        EXPECT_EQ(opened.exitStatus, 0) << link << opened.output;
    }
    EXPECT_EQ(phone.transcript(),
              "ATD+380501234567;\rATD+380501234568;\rATD+380501234569;\rATD+380501234560;\r");

    prefix.setValue(kClasses + R"(sip\shell\open\command)", "", kOtherProgramsCommand);
    const WinePrefix::Outcome uninstalled = RunSilently(prefix, folder + "/uninstall.exe");
    EXPECT_EQ(uninstalled.exitStatus, 0) << uninstalled.output;
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo::exists(prefix.userFolder() + '/' + kStartMenuEntry));
    for (const QString& key :
         {kClasses + "tel", kClasses + "callto", kClasses + "skype", kClasses + "Linvox.Link",
          QString(R"(HKCU\Software\Linvox)"), kUninstallEntry}) {
        EXPECT_FALSE(prefix.hasKey(key)) << key;
    }
    EXPECT_EQ(prefix.value(kClasses + R"(sip\shell\open\command)", ""), kOtherProgramsCommand);
    EXPECT_EQ(prefix.value(kRegisteredApplications, "Linvox"), std::nullopt);
    EXPECT_EQ(prefix.setting("port_mts"), "3");
}

}  // namespace
}  // namespace linvox::testing

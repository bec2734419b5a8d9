// SPDX-License-Identifier: GPL-3.0-or-later
// The installer under Wine: a silent install for the current user, also over an older version,
// makes Linvox the handler of the four link schemes, links of each opened through the shell reach
// the phone, and a silent uninstall takes away every file and key it added but the user's
// settings and a scheme that another program has taken over. It speaks the user's language.
#include "WinePrefix.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

// The description of a Windows shortcut (.lnk): the header, then the item list and the link
// information where its flags say so, then the description, first of its strings. Empty when the
// file has none.
QString ShortcutDescription(const QString& path) {
    constexpr quint32 kHasItemList = 0x1;
    constexpr quint32 kHasLinkInfo = 0x2;
    constexpr quint32 kHasDescription = 0x4;
    constexpr quint32 kIsUnicode = 0x80;
    constexpr int kFlagsOffset = 20;
    constexpr int kHeaderSize = 76;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QDataStream link(&file);
    link.setByteOrder(QDataStream::LittleEndian);
    quint32 flags = 0;
    link.skipRawData(kFlagsOffset);
    link >> flags;
    link.skipRawData(kHeaderSize - kFlagsOffset - int(sizeof flags));
    if (flags & kHasItemList) {
        quint16 size = 0;
        link >> size;
        link.skipRawData(size);
    }
    if (flags & kHasLinkInfo) {
        quint32 sizeWithItself = 0;
        link >> sizeWithItself;
        link.skipRawData(int(sizeWithItself - sizeof sizeWithItself));
    }
    quint16 characters = 0;
    link >> characters;
    QByteArray text(characters * 2, '\0');
    link.readRawData(text.data(), int(text.size()));
    if (!(flags & kHasDescription) || !(flags & kIsUnicode) || link.status() != QDataStream::Ok) {
        return {};
    }
    QStringDecoder fromUtf16(QStringDecoder::Utf16LE);
    QString description = fromUtf16(text);
    // Wine counts the terminating NUL in, Windows does not.
    return description.remove(QChar(u'\0'));
}
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

// The installer, and the Start menu entry it makes, speak the user's language as Linvox does:
// Ukrainian or English when it is the user's, else Russian. Wine takes the user's language from
// the Unix locale, which is compiled for the test, as a system need not have it.
TEST(WineInstaller, DescribesTheStartMenuEntryInTheUsersLanguage) {
    const struct {
        const char* locale;
        QString description;
    } kCases[] = {
        {"uk_UA", "Дзвінки за посиланнями tel:, callto:, sip: і skype: через під’єднаний телефон"},
        // English of any country.
        {"en_GB", "Dials tel:, callto:, sip: and skype: links through the attached phone"},
        // A language the installer does not have.
        {"de_DE", "Звонки по ссылкам tel:, callto:, sip: и skype: через подключённый телефон"},
    };
    WinePrefix prefix;
    const QString entry = prefix.userFolder() + '/' + kStartMenuEntry;
    for (const auto& [locale, description] : kCases) {
        prefix.setUserLocale(QString::fromLatin1(locale));
        QFile::remove(entry);

        const WinePrefix::Outcome installed = prefix.run({LINVOX_WINDOWS_INSTALLER, "/S"}, 120s);
        prefix.waitUntilIdle();
        ASSERT_EQ(installed.exitStatus, 0) << locale << ": " << installed.output;
        EXPECT_EQ(ShortcutDescription(entry), description) << locale;
    }
}

}  // namespace
}  // namespace linvox::testing

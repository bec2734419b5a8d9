// SPDX-License-Identifier: GPL-3.0-or-later
// The Debian package as a user meets it: installed with apt, it becomes the desktop's handler of
// tel: links and dials them; removed, it leaves nothing behind. It installs into /usr, so it
// needs root and CTest runs it alone.
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/VirtualDisplay.h"

#include <memory>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef LINVOX_PACKAGE_DIRECTORY
#error "LINVOX_PACKAGE_DIRECTORY must name the folder scripts/package builds in"
#endif

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// apt waits this long for a dpkg lock that another program holds, and runs the triggers.
constexpr int kCommandTimeoutMs = 600000;
const QString kPackage = QStringLiteral("linvox");
const QString kTelScheme = QStringLiteral("x-scheme-handler/tel");

struct Finished {
    int exitCode = -1;
    QString output;
    QString errors;
};

Finished RunToTheEnd(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(kCommandTimeoutMs) ||
        process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, program + QStringLiteral(" did not finish: ") + process.errorString()};
    }
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// Runs apt-get without questions; its complaint when it fails, empty when it succeeds.
QString Apt(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DEBIAN_FRONTEND"), QStringLiteral("noninteractive"));
    const Finished apt = RunToTheEnd(
        QStringLiteral("apt-get"),
        QStringList{"-y", "-q", "-o", "DPkg::Lock::Timeout=300"} + arguments, environment);
    return apt.exitCode == 0
               ? QString()
               : QStringLiteral("apt-get failed (%1): %2").arg(apt.exitCode).arg(apt.errors);
}

bool PackageInstalled() {
    return RunToTheEnd(QStringLiteral("dpkg-query"), {"-W", "-f=${Status}", kPackage})
        .output.endsWith(QStringLiteral(" installed"));
}

bool OwnedByAPackage(const QString& path) {
    return RunToTheEnd(QStringLiteral("dpkg-query"), {"-S", path}).exitCode == 0;
}

// Purges the package when the test ends, whatever happened before.
struct PurgeAtEnd {
    ~PurgeAtEnd() {
        if (PackageInstalled()) {
            Apt({"purge", kPackage});
        }
    }
};

// The package scripts/package built for the project's version: exactly one, or an empty path.
QString BuiltPackage() {
    const QStringList found = QDir(QStringLiteral(LINVOX_PACKAGE_DIRECTORY))
                                  .entryList({QStringLiteral("linvox_" LINVOX_VERSION "_*.deb")});
    return found.size() == 1 ? QDir(QStringLiteral(LINVOX_PACKAGE_DIRECTORY)).filePath(found[0])
                             : QString();
}

// The files of the package that scripts/package built, unpacked into a folder of their own; null
// when there is no such package or it cannot be unpacked.
std::unique_ptr<QTemporaryDir> UnpackedPackage() {
    const QString package = BuiltPackage();
    auto unpacked = std::make_unique<QTemporaryDir>();
    if (package.isEmpty() ||
        RunToTheEnd(QStringLiteral("dpkg-deb"), {"-x", package, unpacked->path()}).exitCode != 0) {
        return nullptr;
    }
    return unpacked;
}

// A desktop session with no choices of its own: applications come from /usr/share alone, the
// configuration folder is the test's, and programs are looked up where the package puts them.
QProcessEnvironment PlainDesktop(const VirtualDisplay& display, const QString& configHome,
                                 const QString& dataHome) {
    QProcessEnvironment desktop = display.environment();
    for (const char* variable : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_CONFIG_DIRS"}) {
        desktop.remove(variable);
    }
    desktop.insert("XDG_CONFIG_HOME", configHome);
    desktop.insert("XDG_DATA_HOME", dataHome);
    desktop.insert("XDG_DATA_DIRS", "/usr/share");
    desktop.insert("PATH", "/usr/bin:/bin");
    return desktop;
}

QString DefaultTelHandler(const QProcessEnvironment& desktop) {
    return RunToTheEnd(QStringLiteral("xdg-mime"), {"query", "default", kTelScheme}, desktop)
        .output.trimmed();
}

TEST(DebianPackage, ProgramHasNoRunpathAndWasCompiledAtOneOptimisationLevel) {
    const std::unique_ptr<QTemporaryDir> unpacked = UnpackedPackage();
    ASSERT_NE(unpacked, nullptr);

    // Each folder of a RUNPATH is searched before the system's.
    const QString dynamicSection =
        RunToTheEnd(QStringLiteral("readelf"), {"--dynamic", unpacked->filePath("usr/bin/linvox")})
            .output;
    EXPECT_TRUE(dynamicSection.contains("(NEEDED)")) << dynamicSection;
    EXPECT_FALSE(dynamicSection.contains("RPATH") || dynamicSection.contains("RUNPATH"))
        << dynamicSection;

    // The package's copy is stripped; the build's keeps the compiler's options of every file.
    const QString compilerOptions =
        RunToTheEnd(QStringLiteral("readelf"),
                    {"--string-dump=.debug_str", LINVOX_PACKAGE_DIRECTORY "/src/linvox"})
            .output;
    QSet<QString> levels;
    static const QRegularExpression level(QStringLiteral(" (-O\\S*)"));
    for (const QString& line : compilerOptions.split(u'\n')) {
        if (line.contains(QStringLiteral("GNU C++"))) {
            for (const QRegularExpressionMatch& match : level.globalMatch(line)) {
                levels.insert(match.captured(1));
            }
        }
    }
    EXPECT_EQ(levels, QSet<QString>{QStringLiteral("-O2")});
}

// The manual page in each language, where man looks for it, each in its own words.
TEST(DebianPackage, HoldsTheManualPageInEnglishAndUkrainian) {
    const std::unique_ptr<QTemporaryDir> unpacked = UnpackedPackage();
    ASSERT_NE(unpacked, nullptr);
    const struct {
        const char* path;
        QString name;
    } kPages[] = {
        {"usr/share/man/man1/linvox.1.gz", ".SH NAME\nlinvox \\- dial tel:"},
        {"usr/share/man/uk/man1/linvox.1.gz", ".SH НАЗВА\nlinvox \\- набирає посилання tel:"},
    };
    for (const auto& [path, name] : kPages) {
        const Finished page =
            RunToTheEnd(QStringLiteral("gzip"), {"-dc", unpacked->filePath(QString(path))});
        EXPECT_EQ(page.exitCode, 0) << path << ": " << page.errors;
        EXPECT_TRUE(page.output.contains(name)) << path;
    }
}

// Qt loads its Wayland plugin and its translations at run time, so dpkg-shlibdeps cannot find them.
TEST(DebianPackage, RecommendsWhatQtLoadsAtRunTime) {
    const QString package = BuiltPackage();
    ASSERT_FALSE(package.isEmpty());
    const QString recommends =
        RunToTheEnd(QStringLiteral("dpkg-deb"), {"--field", package, "Recommends"}).output;
    const QStringList recommended = recommends.trimmed().split(QRegularExpression(",\\s*"));
    for (const char* qtPart : {"qt6-wayland", "qt6-translations-l10n"}) {
        EXPECT_TRUE(recommended.contains(QString(qtPart))) << qtPart << " in " << recommends;
    }
}

TEST(DebianPackage, InstalledItDialsTelLinksAndRemovedLeavesNothingBehind) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "installing a package into /usr needs root (CI runs as root)";
    }
    if (PackageInstalled()) {
        GTEST_SKIP() << "a linvox package is installed already, and this test would remove it";
    }
    const QString package = BuiltPackage();
    ASSERT_FALSE(package.isEmpty())
        << "no single linvox_" LINVOX_VERSION "_*.deb in " << LINVOX_PACKAGE_DIRECTORY;
    ScratchSettings scratch;
    QTemporaryDir dataHome;
    VirtualDisplay display;
    const QProcessEnvironment desktop = PlainDesktop(display, scratch.directory(), dataHome.path());
    if (const QString other = DefaultTelHandler(desktop); !other.isEmpty()) {
        GTEST_SKIP() << "another handler of tel: links is installed: " << other;
    }

    PurgeAtEnd purge;
    ASSERT_EQ(Apt({"install", package}), "");
    EXPECT_EQ(DefaultTelHandler(desktop), "linvox.desktop");

    PhoneSimulator phone;
    scratch.mapPort(2, phone.devicePath());
    scratch.preset({{"port_mts", "2"}});
    const Finished opened = RunToTheEnd(QStringLiteral("xdg-open"), {"tel:+380501234567"}, desktop);
    EXPECT_EQ(opened.exitCode, 0) << opened.errors;
    EXPECT_TRUE(phone.waitForCommands(1, 10s));
    EXPECT_EQ(phone.transcript(), "ATD+380501234567;\r");

    const QStringList installed = RunToTheEnd(QStringLiteral("dpkg"), {"-L", kPackage})
                                      .output.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(Apt({"purge", kPackage}), "");
    EXPECT_NE(RunToTheEnd(QStringLiteral("dpkg"), {"-L", kPackage}).exitCode, 0);
    for (const QString& path : installed) {
        // Folders that other packages also ship stay, as dpkg leaves them.
        const bool left = QFileInfo::exists(path);
        EXPECT_TRUE(!left || (QFileInfo(path).isDir() && OwnedByAPackage(path))) << path;
    }
    EXPECT_EQ(QDir(QStringLiteral("/usr/share/applications")).entryList({"*linvox*"}),
              QStringList());
    EXPECT_EQ(DefaultTelHandler(desktop), "");
}

}  // namespace
}  // namespace linvox::testing

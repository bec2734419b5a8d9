// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program as a link handler: started with a link, without a window, against
// simulated phones.
#include "platform/serial/SerialLockFile.h"
#include "support/FileModes.h"
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/SourceLines.h"

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <optional>
#include <pwd.h>
#include <sched.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kDialTimeout = 10s;
// The exit status of a child whose set-up before starting Linvox failed.
constexpr int kChildSetUpFailed = 125;

// Messages as standard error shows them, "title: text": a refused number, and a failed dial, its
// heading, then why on one line or more.
const QString kRefusal =
    SourceText(Phrase::NumberCheckTitle) + ": " + SourceText(Phrase::WrongNumberForm) + '\n';
QString FailedDial(std::initializer_list<Phrase> why) {
    return SourceText(Phrase::ModemTitle) + ": " + SourceText(Phrase::ModemConnectionFailed) +
           '\n' + SourceLines(why) + '\n';
}
const QString kPortAlreadyOpenReport =
    FailedDial({Phrase::CannotReachModem, Phrase::ModemPortHeldSentence});

class LinkHandler : public ::testing::Test {
protected:
    LinkHandler() {
        scratch.mapPort(2, mtsPhone.devicePath());
        scratch.mapPort(9, allCallsPhone.devicePath());
        scratch.preset({{"port_mts", "2"}, {"port", "9"}});
    }

    // Runs linvox with one argument in the environment and waits for it to end; inChild as for
    // LinvoxProcess.
    int Run(const QString& argument, const std::function<void()>& inChild = {},
            const QString& program = QStringLiteral(LINVOX_BINARY_PATH)) {
        LinvoxProcess linvox({argument}, scratch.directory(), environment, inChild, program);
        EXPECT_TRUE(linvox.waitForExit(kDialTimeout)) << argument;
        standardError = linvox.standardError();
        return linvox.exitStatus();
    }

    ScratchSettings scratch;
    PhoneSimulator mtsPhone;
    PhoneSimulator allCallsPhone;
    // Where Linvox is started: without a display unless a case gives one.
    QProcessEnvironment environment = LinvoxProcess::HeadlessEnvironment();
    QString standardError;
};

struct LinkCase {
    QString link;
    QByteArray dialed;
};

void PrintTo(const LinkCase& link, std::ostream* out) {
    *out << link.link;
}

struct ModeCase {
    const char* mode;
    bool singlePhone;
};

class Links : public LinkHandler,
              public ::testing::WithParamInterface<std::tuple<LinkCase, ModeCase>> {};

TEST_P(Links, ReachTheRoutedPhoneAsDialStrings) {
    const auto& [link, mode] = GetParam();
    scratch.preset({{"1telefon", mode.mode}});
    PhoneSimulator& routed = mode.singlePhone ? allCallsPhone : mtsPhone;
    PhoneSimulator& other = mode.singlePhone ? mtsPhone : allCallsPhone;

    EXPECT_EQ(Run(link.link), 0) << standardError;

    EXPECT_TRUE(routed.waitForCommands(1, kDialTimeout));
    EXPECT_EQ(routed.transcript(), link.dialed + '\r');
    EXPECT_EQ(other.transcript(), "");
    EXPECT_EQ(standardError, "");
}

INSTANTIATE_TEST_SUITE_P(
    LinksInBothModes, Links,
    ::testing::Combine(::testing::Values(LinkCase{"callto:+380501234567", "ATD+380501234567;"},
                                         LinkCase{"tel:+3800501234567", "ATD+380501234567;"},
                                         LinkCase{"callto:8(050)123-45-67", "ATD0501234567;"},
                                         LinkCase{"skype:0501234567?call", "ATD0501234567;"},
                                         LinkCase{"sip:(050)123-45-67", "ATD0501234567;"}),
                       ::testing::Values(ModeCase{"False", false}, ModeCase{"True", true})));

class RefusedLinks : public LinkHandler, public ::testing::WithParamInterface<QString> {};

TEST_P(RefusedLinks, AreReportedOnceAndNothingReachesAPhone) {
    EXPECT_EQ(Run(GetParam()), 2);
    EXPECT_EQ(standardError, kRefusal);
    EXPECT_EQ(mtsPhone.transcript(), "");
    EXPECT_EQ(allCallsPhone.transcript(), "");
}

INSTANTIATE_TEST_SUITE_P(
    WrongFormsAndCraftedLinks, RefusedLinks,
    ::testing::Values("+38000501234567", "CALLTO:+380501234567", "callto://+380501234567",
                      "tel:+380 50 123 45 67", "\"tel:+380501234567\"",
                      // Links that would make a phone run commands after dialing.
                      "tel:0501;+CFUN=0", "tel:05012;+CFUN=0", "tel:050123456\r7",
                      "tel:05012345\r\nA", "tel:0501234567\b", "tel:050123456\x7f", "tel:*#06#050",
                      "tel:0501234567;", "tel:05012%4567", QStringLiteral("tel:050123456٧"),
                      QStringLiteral("tel:05012345６7")));

TEST_F(LinkHandler, DialsWithoutLoadingAWindowToolkit) {
    LinvoxProcess linvox({"tel:0501234567"}, scratch.directory(), environment);
    ASSERT_TRUE(mtsPhone.waitForCommands(1, kDialTimeout));
    // Still in the wait that follows the dial.
    QFile maps(QStringLiteral("/proc/%1/maps").arg(linvox.processId()));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray loaded = maps.readAll();
    EXPECT_TRUE(loaded.contains("libQt6Core")) << loaded.constData();
    for (const char* library : {"libQt6Gui", "libQt6Widgets", "libxcb", "linvox-window"}) {
        EXPECT_FALSE(loaded.contains(library)) << library;
    }
    EXPECT_TRUE(linvox.waitForExit(kDialTimeout));
    EXPECT_EQ(linvox.exitStatus(), 0);
}

struct LanguageCase {
    const char* language;
    QStringList arguments;
    const char* standardError;
    int exitStatus;
};

void PrintTo(const LanguageCase& words, std::ostream* out) {
    *out << words.language << ' ' << words.arguments.join(' ').toStdString();
}

class WordsInLanguages : public LinkHandler, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(WordsInLanguages, AreTheUsersLanguagesAlone) {
    environment.insert("LANGUAGE", GetParam().language);
    LinvoxProcess linvox(GetParam().arguments, scratch.directory(), environment);
    ASSERT_TRUE(linvox.waitForExit(kDialTimeout));
    EXPECT_EQ(linvox.exitStatus(), GetParam().exitStatus);
    EXPECT_EQ(linvox.standardError(), QString::fromUtf8(GetParam().standardError));
}

INSTANTIATE_TEST_SUITE_P(
    UkrainianAndEnglish, WordsInLanguages,
    ::testing::Values(
        LanguageCase{"uk", {"tel:050"}, "Перевірка номера: Неправильний формат номера!\n", 2},
        LanguageCase{"en", {"tel:050"}, "Number check: Invalid number format!\n", 2},
        LanguageCase{"uk",
                     {},
                     "linvox: немає дисплея, на якому можна показати вікно (ні DISPLAY, ні "
                     "WAYLAND_DISPLAY не вказує на доступний дисплей).\nЩоб зателефонувати без "
                     "вікна, передайте посилання: linvox tel:+380501234567\n",
                     3}));

TEST_F(LinkHandler, FailedFirstAttemptIsRetriedWithoutAMessage) {
    // Takes nothing until the first attempt gives up writing and closes the port.
    PhoneSimulator stalledPhone({"--stall-until-closed"});
    scratch.mapPort(2, stalledPhone.devicePath());
    EXPECT_EQ(Run("tel:0501234567"), 0);
    EXPECT_EQ(standardError, "");
    EXPECT_TRUE(stalledPhone.waitForCommands(1, kDialTimeout));
    EXPECT_EQ(stalledPhone.transcript(), "ATD0501234567;\r");
}

class PhoneAnswers : public LinkHandler, public ::testing::WithParamInterface<QStringList> {};

TEST_P(PhoneAnswers, AreNotReadSoAnyPhoneThatTakesTheCommandIsADial) {
    PhoneSimulator phone(GetParam());
    scratch.mapPort(2, phone.devicePath());
    EXPECT_EQ(Run("tel:0501234567"), 0);
    EXPECT_EQ(standardError, "");
    EXPECT_EQ(phone.transcript(), "ATD0501234567;\r");
}

INSTANTIATE_TEST_SUITE_P(ErrorSilenceAndFlood, PhoneAnswers,
                         ::testing::Values(QStringList{"--error"}, QStringList{"--silent"},
                                           QStringList{"--flood"}));

TEST_F(LinkHandler, FailureOnBothAttemptsIsReportedOnce) {
    scratch.mapPort(2, scratch.directory() + "/no-such-phone");
    EXPECT_EQ(Run("tel:0501234567"), 1);
    EXPECT_EQ(standardError, FailedDial({Phrase::WrongPortForOperator, Phrase::ChangeTheSettings}));
}

TEST_F(LinkHandler, PortHeldByAnotherProgramOnBothAttemptsIsReportedOnce) {
    PhoneSimulator busyPhone({"--busy"});
    scratch.mapPort(2, busyPhone.devicePath());
    EXPECT_EQ(Run("tel:0501234567"), 1);
    EXPECT_EQ(standardError, kPortAlreadyOpenReport);
    EXPECT_EQ(busyPhone.transcript(), "");
}

TEST_F(LinkHandler, StoredPortOutOfRangeIsReportedWithItsOwnDescription) {
    scratch.preset({{"port_mts", "40000"}});
    EXPECT_EQ(Run("tel:0501234567"), 1);
    EXPECT_EQ(standardError, FailedDial({Phrase::Overflow}));
}

TEST_F(LinkHandler, PortsChangedBetweenCallsAreUsedByTheNextCall) {
    PhoneSimulator secondMtsPhone;
    ASSERT_EQ(Run("tel:0501234567"), 0);
    scratch.mapPort(4, secondMtsPhone.devicePath());
    scratch.preset({{"port_mts", "4"}});
    ASSERT_EQ(Run("tel:0661234567"), 0);
    scratch.preset({{"port_mts", "2"}});
    ASSERT_EQ(Run("tel:0951234567"), 0);

    EXPECT_TRUE(mtsPhone.waitForCommands(2, kDialTimeout));
    EXPECT_EQ(mtsPhone.transcript(), "ATD0501234567;\rATD0951234567;\r");
    EXPECT_EQ(secondMtsPhone.transcript(), "ATD0661234567;\r");
}

// Settings that send MTS calls to COM2, that is to device.
void WriteSettingsForMtsPhone(const ScratchSettings& scratch, const QString& device) {
    scratch.writeRawFile("[linvox]\nport_mts=2\n\n[ports]\nCOM2=" + QFile::encodeName(device) +
                         "\n");
}

struct BadFileCase {
    const char* name;
    // Puts the bad file where the settings file was, given the MTS phone's device.
    std::function<void(const ScratchSettings&, const QString&)> make;
    // Why nothing is dialed, %1 being the file's path; none when the call goes through.
    std::optional<Phrase> reason;
    std::function<void()> inChild = {};
};

void PrintTo(const BadFileCase& bad, std::ostream* out) {
    *out << bad.name;
}

class BadSettingsFiles : public LinkHandler, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadSettingsFiles, DialWhereTheFileSaysOrNowhereWithTheReason) {
    QFile::remove(scratch.filePath());
    GetParam().make(scratch, mtsPhone.devicePath());
    const bool dials = !GetParam().reason;

    EXPECT_EQ(Run("tel:0501234567", GetParam().inChild), dials ? 0 : 1);

    EXPECT_EQ(standardError,
              dials ? ""
                    : FailedDial({Phrase::SettingsNotRead})
                          .arg(SourceText(*GetParam().reason).arg(scratch.filePath())));
    EXPECT_EQ(dials, mtsPhone.waitForCommands(1, dials ? kDialTimeout : 0s));
    EXPECT_EQ(mtsPhone.transcript(), dials ? "ATD0501234567;\r" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSettingsFiles,
    ::testing::Values(BadFileCase{"a device path with a comma",
                                  [](const ScratchSettings& scratch, const QString& phone) {
                                      const QString byId =
                                          scratch.directory() + "/usb-Maker_Phone,_Inc-if00";
                                      QFile::link(phone, byId);
                                      WriteSettingsForMtsPhone(scratch, byId);
                                  },
                                  std::nullopt},
                      // Only a GUI application can build a bitmap; any other ends reading it.
                      BadFileCase{"a bitmap kept by another Qt program",
                                  [](const ScratchSettings& scratch, const QString& phone) {
                                      WriteSettingsForMtsPhone(scratch, phone);
                                      QFile file(scratch.filePath());
                                      file.open(QIODevice::Append);
                                      file.write("\n[viewer]\nmask=@Variant(\\0\\0\\0I)\n");
                                  },
                                  std::nullopt},
                      BadFileCase{"a directory",
                                  [](const ScratchSettings& scratch, const QString&) {
                                      QDir().mkdir(scratch.filePath());
                                  },
                                  Phrase::SettingsFileIsFolder},
                      BadFileCase{"a FIFO",
                                  [](const ScratchSettings& scratch, const QString&) {
                                      ::mkfifo(QFile::encodeName(scratch.filePath()), 0600);
                                  },
                                  Phrase::SettingsFileIsNoFile},
                      BadFileCase{"a link to /dev/zero",
                                  [](const ScratchSettings& scratch, const QString&) {
                                      QFile::link("/dev/zero", scratch.filePath());
                                  },
                                  Phrase::SettingsFileIsNoFile},
                      BadFileCase{"a link to itself",
                                  [](const ScratchSettings& scratch, const QString&) {
                                      QFile::link(scratch.filePath(), scratch.filePath());
                                  },
                                  Phrase::SettingsLinkLeadsNowhere},
                      BadFileCase{"a file the user may not read",
                                  [](const ScratchSettings& scratch, const QString& phone) {
                                      WriteSettingsForMtsPhone(scratch, phone);
                                      QFile::setPermissions(scratch.filePath(), {});
                                  },
                                  Phrase::SettingsFileNotReadable, WithoutPermissionOverride}));

enum class Hold { RunningProgramsLockFile, EndedProgramsLockFile, ExclusiveFlag };

struct ForeignHoldCase {
    const char* name;
    Hold hold;
    bool portThroughLink;
};

void PrintTo(const ForeignHoldCase& hold, std::ostream* out) {
    *out << hold.name;
}

class ForeignHolds : public LinkHandler, public ::testing::WithParamInterface<ForeignHoldCase> {};

TEST_P(ForeignHolds, DialOnlyWhereNoRunningProgramHoldsThePort) {
    if (GetParam().portThroughLink) {
        const QString link = scratch.directory() + "/phone";
        QFile::link(mtsPhone.devicePath(), link);
        scratch.mapPort(2, link);
    }
    // As terminal programs name and write it: the real device's name, then the process id in
    // ten characters and a newline. No process ever has an id beyond the kernel's limit.
    constexpr qint64 kEndedProcessId = 4194305;
    QFile lock(LockFilePath(mtsPhone.devicePath()));
    const qint64 owner =
        GetParam().hold == Hold::RunningProgramsLockFile ? mtsPhone.processId() : kEndedProcessId;
    const QByteArray lockText = QByteArray::number(owner).rightJustified(10, ' ') + '\n';
    const int holder = ::open(QFile::encodeName(mtsPhone.devicePath()), O_RDWR | O_NOCTTY);
    if (GetParam().hold == Hold::ExclusiveFlag) {
        ASSERT_EQ(::ioctl(holder, TIOCEXCL), 0);
    } else {
        ASSERT_TRUE(lock.open(QIODevice::NewOnly));
        lock.write(lockText);
        lock.close();
    }

    const int status = Run("tel:0501234567");
    const bool lockKept = lock.open(QIODevice::ReadOnly) && lock.readAll() == lockText;
    lock.remove();
    ::close(holder);

    const bool dials = GetParam().hold == Hold::EndedProgramsLockFile;
    EXPECT_EQ(status, dials ? 0 : 1);
    EXPECT_EQ(standardError, dials ? "" : kPortAlreadyOpenReport);
    EXPECT_EQ(dials, mtsPhone.waitForCommands(1, dials ? kDialTimeout : 0s));
    EXPECT_EQ(mtsPhone.transcript(), dials ? "ATD0501234567;\r" : "");
    EXPECT_EQ(lockKept, GetParam().hold == Hold::RunningProgramsLockFile);
}

INSTANTIATE_TEST_SUITE_P(
    Holds, ForeignHolds,
    ::testing::Values(
        ForeignHoldCase{"lock file of a running program", Hold::RunningProgramsLockFile, false},
        ForeignHoldCase{"the same, port named by a link", Hold::RunningProgramsLockFile, true},
        ForeignHoldCase{"lock file of an ended program", Hold::EndedProgramsLockFile, true},
        ForeignHoldCase{"exclusive-open flag", Hold::ExclusiveFlag, false}));

// A logout, a closed terminal or a kill while Linvox waits after dialing. Another program keeps
// the device open, as ModemManager does: a port left with its exclusive-open flag would be
// refused to every later call, and a lock file left behind would name no running program.
TEST_F(LinkHandler, EndedBySignalWhileItWaitsLetsThePortGo) {
    const int keptOpen =
        ::open(QFile::encodeName(mtsPhone.devicePath()), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(keptOpen, 0);
    int dials = 0;
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        LinvoxProcess linvox({"tel:0501234567"}, scratch.directory());
        ASSERT_TRUE(mtsPhone.waitForCommands(++dials, kDialTimeout)) << signalNumber;
        ASSERT_EQ(::kill(static_cast<pid_t>(linvox.processId()), signalNumber), 0);
        ASSERT_TRUE(linvox.waitForExit(kDialTimeout)) << signalNumber;

        // The command had reached the phone, which dials whether Linvox waits or not.
        EXPECT_EQ(linvox.exitStatus(), 0) << signalNumber;
        EXPECT_EQ(linvox.standardError(), "");
        int exclusive = -1;
        EXPECT_EQ(::ioctl(keptOpen, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0) << signalNumber;
        EXPECT_FALSE(QFile::exists(LockFilePath(mtsPhone.devicePath()))) << signalNumber;
    }
    EXPECT_EQ(Run("tel:0951234567"), 0) << standardError;
    EXPECT_TRUE(mtsPhone.waitForCommands(++dials, kDialTimeout));
    EXPECT_TRUE(mtsPhone.transcript().endsWith("ATD0951234567;\r"));
    ::close(keptOpen);
}

// Names of the files made in a folder from now on.
class FolderWatch {
public:
    explicit FolderWatch(const QString& folder)
        : m_descriptor(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        ::inotify_add_watch(m_descriptor, QFile::encodeName(folder), IN_CREATE | IN_MOVED_TO);
    }
    ~FolderWatch() { ::close(m_descriptor); }

    QStringList made() {
        alignas(inotify_event) char events[64 * 1024];
        for (ssize_t length = 0; (length = ::read(m_descriptor, events, sizeof events)) > 0;) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                m_made << QFile::decodeName(event->len > 0 ? event->name : "");
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return m_made;
    }

private:
    int m_descriptor;
    QStringList m_made;
};

// Fedora keeps its lock folder root:lock 0775, Arch root:root 0755: a user of the group dialout
// may use a phone but write no lock file. Linvox then reads the lock files there, and holds the
// phone by flock and the exclusive-open flag alone.
TEST_F(LinkHandler, OrdinaryUserDialsWhereTheLockFolderIsClosedAndHonoursTheLocksThere) {
    const passwd* nobody = ::getpwnam("nobody");
    const group* dialout = ::getgrnam("dialout");
    if (::geteuid() != 0 || nobody == nullptr || dialout == nullptr) {
        GTEST_SKIP() << "needs root, to run Linvox as the user nobody in the group dialout";
    }
    const uid_t user = nobody->pw_uid;
    const gid_t userGroup = nobody->pw_gid;
    const gid_t dialoutGroup = dialout->gr_gid;
    // The phone is kept as a serial device is, and the settings readable to that user.
    const QByteArray device = QFile::encodeName(mtsPhone.devicePath());
    ASSERT_EQ(::chown(device.constData(), 0, dialoutGroup), 0);
    ASSERT_EQ(::chmod(device.constData(), 0660), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(scratch.directory()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(scratch.filePath()).constData(), 0644), 0);
    // The program where that user can reach it: the build may lie in a folder of root's alone.
    QTemporaryDir programFolder;
    const QString program = programFolder.filePath(QStringLiteral("linvox"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LINVOX_BINARY_PATH), program));
    ASSERT_EQ(::chmod(QFile::encodeName(programFolder.path()).constData(), 0755), 0);
    const QByteArray lockPath = QFile::encodeName(LockFilePath(mtsPhone.devicePath()));
    // Linvox alone sees a lock folder of its own, closed to it, with another program's lock file
    // of the phone in it when one is given.
    const auto asDialoutUser = [=](const QByteArray& foreignLock) -> std::function<void()> {
        return [=] {
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", "/var/lock", "tmpfs", 0, "mode=0775") != 0) {
                ::_exit(kChildSetUpFailed);
            }
            if (!foreignLock.isEmpty()) {
                const int lock = ::creat(lockPath.constData(), 0644);
                if (lock < 0 || ::write(lock, foreignLock.constData(),
                                        static_cast<size_t>(foreignLock.size())) < 0) {
                    ::_exit(kChildSetUpFailed);
                }
                ::close(lock);
            }
            if (::setgroups(1, &dialoutGroup) != 0 ||
                ::setresgid(userGroup, userGroup, userGroup) != 0 ||
                ::setresuid(user, user, user) != 0) {
                ::_exit(kChildSetUpFailed);
            }
        };
    };
    // Where QSerialPort would put a lock file of its own, and no other program looks.
    FolderWatch temporaryFolder("/tmp");

    const int dialed = Run("tel:0501234567", asDialoutUser({}), program);
    if (dialed == kChildSetUpFailed) {
        GTEST_SKIP() << "no mount namespace of its own can be made here";
    }
    EXPECT_EQ(dialed, 0);
    EXPECT_EQ(standardError, "");
    EXPECT_TRUE(mtsPhone.waitForCommands(1, kDialTimeout));

    // As terminal programs write it; the phone simulator's id stands for the program's.
    const QByteArray runningProgramsLock =
        QByteArray::number(allCallsPhone.processId()).rightJustified(10, ' ') + '\n';
    EXPECT_EQ(Run("tel:0501234567", asDialoutUser(runningProgramsLock), program), 1);
    EXPECT_EQ(standardError, kPortAlreadyOpenReport);

    EXPECT_EQ(mtsPhone.transcript(), "ATD0501234567;\r");
    EXPECT_FALSE(
        temporaryFolder.made().contains(QFileInfo(LockFilePath(mtsPhone.devicePath())).fileName()))
        << temporaryFolder.made().join(' ').toStdString();
}

// A DISPLAY left over from an ended session, naming no server.
QProcessEnvironment StaleDisplayEnvironment() {
    QProcessEnvironment environment = LinvoxProcess::HeadlessEnvironment();
    environment.insert("DISPLAY", ":2147");
    return environment;
}

TEST_F(LinkHandler, StaleDisplayStillDialsAndWritesMessagesToStandardError) {
    environment = StaleDisplayEnvironment();
    EXPECT_EQ(Run("tel:0501234567"), 0) << standardError;
    EXPECT_TRUE(mtsPhone.waitForCommands(1, kDialTimeout));

    EXPECT_EQ(Run("tel:050"), 2);
    EXPECT_EQ(standardError, kRefusal);
}

class BareStart : public ::testing::TestWithParam<QProcessEnvironment> {};

TEST_P(BareStart, WithoutAReachableDisplayExplainsAndFails) {
    ScratchSettings scratch;
    LinvoxProcess linvox({}, scratch.directory(), GetParam());
    ASSERT_TRUE(linvox.waitForExit(kDialTimeout));
    EXPECT_EQ(linvox.exitStatus(), 3);
    EXPECT_TRUE(linvox.standardError().contains("DISPLAY")) << linvox.standardError();
}

INSTANTIATE_TEST_SUITE_P(Displays, BareStart,
                         ::testing::Values(LinvoxProcess::HeadlessEnvironment(),
                                           StaleDisplayEnvironment()));

}  // namespace
}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/Dialer.h"
#include "platform/serial/DeviceClaim_linux.h"
#include "platform/serial/SerialLockFile.h"
#include "platform/serial/SystemSerialLine.h"
#include "support/ChildLifetime.h"
#include "support/CpuTime.h"
#include "support/EventLoop.h"
#include "support/FakePause.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/RecordingMessageSink.h"
#include "support/ScratchSettings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

constexpr qint16 kPhonePort = 3;

class SerialLineOnPhone : public ::testing::Test {
protected:
    Status OpenPort(qint16 port) {
        if (Status status = line.SetCommPort(port); !status.ok()) {
            return status;
        }
        return line.SetPortOpen(true);
    }

    ScratchSettings scratch;
    SystemSerialLine line{PortMap(scratch.file())};
};

TEST_F(SerialLineOnPhone, WritesToTheDeviceItsComNumberNames) {
    PhoneSimulator phone;
    scratch.mapPort(kPhonePort, phone.devicePath());

    ASSERT_TRUE(OpenPort(kPhonePort).ok());
    ASSERT_TRUE(line.Output("AT+GMM\r").ok());

    ASSERT_TRUE(phone.waitForCommands(1, std::chrono::seconds(5)));
    EXPECT_EQ(phone.transcript(), "AT+GMM\r");
    ASSERT_TRUE(RunEventsUntil([&] { return line.InBufferCount() > 0; }, std::chrono::seconds(5)));
    RunEventsFor(std::chrono::milliseconds(100));
    EXPECT_EQ(line.Input(), "AT+GMM\r\r\nPHONE-SIM 1\r\n\r\nOK\r\n");
    EXPECT_EQ(line.InBufferCount(), 0);
}

// Whose a lock file in /var/lock is, by the process id it holds.
TEST(SerialLockFile, TellsALiveLockFromOneLeftBehind) {
    const QString device = QStringLiteral("/dev/linvox-test-%1").arg(::getpid());
    const auto tenCharacters = [](qint64 id) {
        return QByteArray::number(id).rightJustified(10, ' ') + '\n';
    };
    constexpr auto kHeld = LockFileState::HeldByAnother;
    constexpr auto kLeftBehind = LockFileState::LeftBehind;
    // Running programs, and one whose file was replaced while it ran, as by an upgrade.
    const PhoneSimulator phoneSim;
    const QTemporaryDir folder;
    const QString upgradedFile = folder.filePath("dialer");
    ASSERT_TRUE(QFile::copy("/bin/sleep", upgradedFile));
    QProcess upgraded;
    EndWithTheTest(upgraded);
    upgraded.start(upgradedFile, {"60"});
    ASSERT_TRUE(upgraded.waitForStarted());
    QFile::remove(upgradedFile);
    // As QLockFile writes its locks.
    const auto qtLock = [](qint64 id, const QByteArray& program, const QByteArray& host) {
        return QByteArray::number(id) + '\n' + program + '\n' + host + '\n';
    };
    const QByteArray thisHost = QSysInfo::machineHostName().toUtf8();
    const std::pair<QByteArray, LockFileState> cases[] = {
        {"", kHeld},  // its owner may be writing it
        {"garbage\n", kHeld},
        {tenCharacters(1), kHeld},
        {qtLock(phoneSim.processId(), "phone-sim", thisHost), kHeld},
        {qtLock(upgraded.processId(), "dialer", thisHost), kHeld},
        {qtLock(phoneSim.processId(), "", thisHost), kHeld},
        {qtLock(phoneSim.processId(), "minicom", "another-host"), kHeld},  // ids not seen here
        {qtLock(phoneSim.processId(), "minicom", thisHost), kLeftBehind},  // the id given again
        {QByteArray::number(phoneSim.processId()) + "\nminicom\n", kHeld},
        {tenCharacters(4294967297), kLeftBehind},  // process 1, cut to 32 bits
        {tenCharacters(0), kLeftBehind},
        {tenCharacters(-7), kLeftBehind},
        {tenCharacters(4194305), kLeftBehind},  // beyond the kernel's limit
        {tenCharacters(::getpid()), kLeftBehind}};
    QFile lock(LockFilePath(device));
    for (const auto& [text, state] : cases) {
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate)) << lock.fileName();
        lock.write(text);
        lock.close();
        EXPECT_TRUE(LockFileStateOf(device) == state) << text.toStdString();
    }
    RemoveLeftBehindLockFile(device);
    EXPECT_TRUE(LockFileStateOf(device) == LockFileState::None);
    StopServer(upgraded);
}

TEST_F(SerialLineOnPhone, OpensOverALockFileLeftWithAnImpossibleIdOrItsOwn) {
    PhoneSimulator phone;
    scratch.mapPort(kPhonePort, phone.devicePath());
    QFile lock(LockFilePath(phone.devicePath()));
    const QByteArray program =
        QFile::encodeName(QFileInfo(QFile::symLinkTarget("/proc/self/exe")).fileName());
    // Cut to 32 bits, the first id names process 1. The second lock is as a Linvox or another Qt
    // program left it that crashed, whose id this process was given.
    for (const QByteArray& text :
         {QByteArray("4294967297\n"), QByteArray::number(::getpid()) + '\n' + program + '\n' +
                                          QSysInfo::machineHostName().toUtf8() + '\n'}) {
        ASSERT_TRUE(lock.open(QIODevice::NewOnly)) << lock.fileName();
        lock.write(text);
        lock.close();
        EXPECT_TRUE(OpenPort(kPhonePort).ok()) << text.toStdString();
        (void)line.SetPortOpen(false);
        lock.remove();
    }
}

TEST_F(SerialLineOnPhone, ClearingTheInBufferDiscardsWhatArrived) {
    PhoneSimulator phone;
    scratch.mapPort(kPhonePort, phone.devicePath());
    ASSERT_TRUE(OpenPort(kPhonePort).ok());
    ASSERT_TRUE(line.Output("AT\r").ok());
    ASSERT_TRUE(RunEventsUntil([&] { return line.InBufferCount() > 0; }, std::chrono::seconds(5)));

    ASSERT_TRUE(line.ClearInBuffer().ok());
    EXPECT_EQ(line.InBufferCount(), 0);
    EXPECT_TRUE(line.Input().isEmpty());
}

// The terminal settings of a device, as another program on it sees them.
termios SettingsOf(const QString& device) {
    termios settings{};
    const int descriptor = ::open(QFile::encodeName(device), O_RDWR | O_NOCTTY | O_NONBLOCK);
    EXPECT_GE(descriptor, 0);
    EXPECT_EQ(::tcgetattr(descriptor, &settings), 0);
    ::close(descriptor);
    return settings;
}

// Whether another program's open is refused for the exclusive-open flag, or, for root, let
// through with the flag set.
bool OpenedExclusively(const QString& device) {
    const int descriptor = ::open(QFile::encodeName(device), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) {
        return errno == EBUSY;
    }
    int exclusive = 0;
    ::ioctl(descriptor, TIOCGEXCL, &exclusive);
    ::close(descriptor);
    return exclusive != 0;
}

void SetHangUpOnClose(const QString& device) {
    const int descriptor = ::open(QFile::encodeName(device), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(descriptor, 0);
    termios settings{};
    ASSERT_EQ(::tcgetattr(descriptor, &settings), 0);
    settings.c_cflag |= HUPCL;
    ASSERT_EQ(::tcsetattr(descriptor, TCSANOW, &settings), 0);
    ::close(descriptor);
}

TEST_F(SerialLineOnPhone, UsesTheAgreedLineSettingsExclusivelyAndLeavesTheDevicesButHupcl) {
    PhoneSimulator phone;
    scratch.mapPort(kPhonePort, phone.devicePath());
    SetHangUpOnClose(phone.devicePath());
    termios found = SettingsOf(phone.devicePath());

    ASSERT_TRUE(OpenPort(kPhonePort).ok());
    EXPECT_TRUE(OpenedExclusively(phone.devicePath()));
    QFile lock(LockFilePath(phone.devicePath()));
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly)) << "no lock file where other programs look";
    EXPECT_EQ(lock.readLine(), QByteArray::number(::getpid()) + '\n');
    const termios whileOpen = SettingsOf(phone.devicePath());
    EXPECT_EQ(cfgetospeed(&whileOpen), static_cast<speed_t>(B9600));
    EXPECT_EQ(whileOpen.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(whileOpen.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(whileOpen.c_iflag & (IXON | IXOFF), 0u);

    ASSERT_TRUE(line.SetPortOpen(false).ok());
    // Only HUPCL stays cleared, so that no later close hangs up the call.
    const termios left = SettingsOf(phone.devicePath());
    EXPECT_EQ(left.c_cflag & HUPCL, 0u);
    found.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
    EXPECT_EQ(std::memcmp(&left, &found, sizeof left), 0);
    EXPECT_FALSE(OpenedExclusively(phone.devicePath()));
    EXPECT_FALSE(lock.exists());
}

struct OpenFailureCase {
    const char* name;
    std::function<QString(ScratchSettings&)> deviceFor;
    FailureCode failure;
};

void PrintTo(const OpenFailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class OpenFailure : public SerialLineOnPhone,
                    public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailure, IsOfItsKind) {
    scratch.mapPort(kPhonePort, GetParam().deviceFor(scratch));
    EXPECT_TRUE(OpenPort(kPhonePort).failedWith(GetParam().failure));
    EXPECT_FALSE(line.PortOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Devices, OpenFailure,
    ::testing::Values(OpenFailureCase{"no such node",
                                      [](ScratchSettings& s) { return s.directory() + "/ttyX"; },
                                      FailureCode::InvalidPortNumber},
                      OpenFailureCase{"a regular file",
                                      [](ScratchSettings& s) {
                                          QFile file(s.directory() + "/not-a-tty");
                                          file.open(QIODevice::WriteOnly);
                                          return file.fileName();
                                      },
                                      FailureCode::InvalidPortNumber},
                      OpenFailureCase{"a directory",
                                      [](ScratchSettings& s) { return s.directory(); },
                                      FailureCode::InvalidPortNumber}));

TEST_F(SerialLineOnPhone, PortNumbersBelowOneAreInvalid) {
    EXPECT_TRUE(line.SetCommPort(0).failedWith(FailureCode::InvalidPortNumber));
    EXPECT_TRUE(line.SetCommPort(-5).failedWith(FailureCode::InvalidPortNumber));
    EXPECT_EQ(line.CommPort(), 1);
}

TEST_F(SerialLineOnPhone, UnmappedComNumberNamesTheMatchingTtyS) {
    EXPECT_EQ(PortMap(scratch.file()).DevicePath(1).value(), "/dev/ttyS0");
    EXPECT_EQ(PortMap(scratch.file()).DevicePath(12).value(), "/dev/ttyS11");
    EXPECT_TRUE(OpenPort(1000).failedWith(FailureCode::InvalidPortNumber));
}

TEST_F(SerialLineOnPhone, PortHeldByAnotherProgramIsAlreadyOpenUnderAnySpelling) {
    PhoneSimulator phone({"--busy"}, PhoneSimulator::DeviceLink::InTemporaryDirectory);
    for (const QString& spelling : {phone.devicePath(), phone.linkPath()}) {
        scratch.mapPort(kPhonePort, spelling);
        EXPECT_TRUE(OpenPort(kPhonePort).failedWith(FailureCode::PortAlreadyOpen)) << spelling;
        EXPECT_FALSE(line.PortOpen());
    }
}

TEST_F(SerialLineOnPhone, PortHeldByAnotherLineIsAlreadyOpen) {
    PhoneSimulator phone;
    scratch.mapPort(kPhonePort, phone.devicePath());
    SystemSerialLine other{PortMap(scratch.file())};
    ASSERT_TRUE(other.SetCommPort(kPhonePort).ok());
    ASSERT_TRUE(other.SetPortOpen(true).ok());

    EXPECT_TRUE(OpenPort(kPhonePort).failedWith(FailureCode::PortAlreadyOpen));

    ASSERT_TRUE(other.SetPortOpen(false).ok());
    EXPECT_TRUE(line.SetPortOpen(true).ok());
}

TEST(DeviceClaim, DeniedAccessNamesTheDeviceAndTheGroupThatGrantsIt) {
    PhoneSimulator phone;
    const QByteArray device = QFile::encodeName(phone.devicePath());
    // Only the group may use the device. Root opens it as "nobody", outside the group; anyone
    // else is its owner, without the owner's rights.
    const bool root = ::geteuid() == 0;
    const group* granting = root ? ::getgrnam("dialout") : ::getgrgid(::getegid());
    ASSERT_NE(granting, nullptr);
    const QString groupName = QString::fromLocal8Bit(granting->gr_name);
    ASSERT_EQ(::chown(device, static_cast<uid_t>(-1), granting->gr_gid), 0);
    ASSERT_EQ(::chmod(device, 0060), 0);
    constexpr uid_t kNobody = 65534;

    ASSERT_TRUE(!root || ::seteuid(kNobody) == 0);
    DeviceClaim claim;
    const Status status = claim.Take(phone.devicePath());
    ASSERT_TRUE(!root || ::seteuid(0) == 0);

    EXPECT_EQ(status,
              Status(Failure(FailureCode::PortAccessDenied, phone.devicePath(), groupName)));
}

TEST_F(SerialLineOnPhone, PhoneThatHangsUpClosesThePortWithoutBusyLooping) {
    PhoneSimulator phone({"--hang-up-after", "0"});
    scratch.mapPort(kPhonePort, phone.devicePath());
    ASSERT_TRUE(OpenPort(kPhonePort).ok());
    (void)line.Output("AT\r");
    ASSERT_TRUE(phone.waitForExit(std::chrono::seconds(5)).has_value());

    ASSERT_TRUE(RunEventsUntil([&] { return !line.PortOpen(); }, std::chrono::seconds(5)));
    const auto cpuBefore = ProcessCpuTime();
    RunEventsFor(std::chrono::seconds(1));
    EXPECT_LT(ProcessCpuTime() - cpuBefore, std::chrono::milliseconds(200));
    EXPECT_TRUE(line.Output("AT\r").failedWith(FailureCode::DeviceNotOpen));
}

TEST_F(SerialLineOnPhone, WriteToAVanishedPhoneFailsAndLeavesTheNextOpeningAlone) {
    PhoneSimulator vanishing({"--hang-up-after", "0"});
    PhoneSimulator steady;
    scratch.mapPort(kPhonePort, vanishing.devicePath());
    scratch.mapPort(kPhonePort + 1, steady.devicePath());
    ASSERT_TRUE(OpenPort(kPhonePort).ok());
    ASSERT_TRUE(line.Output("A").ok());
    ASSERT_TRUE(vanishing.waitForExit(std::chrono::seconds(5)).has_value());

    // No events run between the failure and the next opening, as in a dial's retry.
    EXPECT_TRUE(line.Output("AT\r").failedWith(FailureCode::DeviceNotOpen));
    ASSERT_TRUE(line.SetPortOpen(false).ok());
    ASSERT_TRUE(OpenPort(kPhonePort + 1).ok());

    RunEventsFor(std::chrono::milliseconds(200));
    EXPECT_TRUE(line.PortOpen());
    EXPECT_TRUE(line.Output("AT\r").ok());
    EXPECT_TRUE(steady.waitForCommands(1, std::chrono::seconds(5)));
}

TEST_F(SerialLineOnPhone, FloodingPhoneFillsNoMoreThanTheReceiveBuffer) {
    PhoneSimulator phone({"--flood"});
    scratch.mapPort(kPhonePort, phone.devicePath());
    ASSERT_TRUE(OpenPort(kPhonePort).ok());
    RunEventsFor(std::chrono::milliseconds(300));
    EXPECT_GT(line.InBufferCount(), 0);
    EXPECT_LE(line.InBufferCount(), 1024);
    ASSERT_TRUE(line.ClearInBuffer().ok());
    EXPECT_TRUE(line.SetPortOpen(false).ok());
}

// The dial routine on the real line: the ports, their order and the bytes the phones get.
class DialOnPhones : public SerialLineOnPhone {
protected:
    DialOnPhones() {
        scratch.mapPort(2, mts.devicePath());
        scratch.mapPort(3, kyivstar.devicePath());
        scratch.preset({{"port_mts", "2"}, {"port_ks", "3"}});
    }

    PhoneSimulator mts;
    PhoneSimulator kyivstar;
    SettingsStore settings = scratch.store();
    RecordingMessageSink messages;
    FakePause pause;
    NoManagedModems managed;
    Dialer dialer{line, managed, settings, messages, pause};
};

TEST_F(DialOnPhones, EachCallReachesItsOperatorsPhone) {
    const QStringList calls{"ATD0501234567;", "ATD+380671234567;", "ATD0501234567;",
                            "ATD0971234567;", "ATD0661234567;"};
    for (const QString& call : calls) {
        ASSERT_EQ(dialer.SendDialCommand(call, ShowErrors::Yes), DialResult::Sent) << call;
    }
    ASSERT_TRUE(mts.waitForCommands(3, std::chrono::seconds(5)));
    ASSERT_TRUE(kyivstar.waitForCommands(2, std::chrono::seconds(5)));
    EXPECT_EQ(mts.transcript(), "ATD0501234567;\rATD0501234567;\rATD0661234567;\r");
    EXPECT_EQ(kyivstar.transcript(), "ATD+380671234567;\rATD0971234567;\r");
    EXPECT_TRUE(messages.messages.isEmpty());
}

}  // namespace
}  // namespace linvox::testing

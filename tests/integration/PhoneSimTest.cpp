// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PhoneSimulator.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kAnswerTimeout = 2s;
constexpr std::chrono::milliseconds kQuietWindow = 200ms;

// The client side of the pty, driven through plain POSIX calls like a real serial client.
class RawClient {
public:
    explicit RawClient(const QString& path)
        : m_descriptor(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)),
          m_openError(errno) {}
    ~RawClient() {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    int descriptor() const { return m_descriptor; }
    int openError() const { return m_openError; }

    void send(const std::string& bytes) const {
        ASSERT_EQ(::write(m_descriptor, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }

    // Each element is what one read() returned; stops at byteCount bytes, the timeout or a hang-up.
    std::vector<std::string> readChunks(std::size_t byteCount, std::chrono::milliseconds timeout) {
        std::vector<std::string> chunks;
        std::size_t received = 0;
        const Clock::time_point deadline = Clock::now() + timeout;
        while (received < byteCount && !m_hungUp) {
            const std::string chunk = readOnce(deadline);
            if (chunk.empty())
                break;
            received += chunk.size();
            chunks.push_back(chunk);
        }
        return chunks;
    }

    std::string read(std::size_t byteCount, std::chrono::milliseconds timeout = kAnswerTimeout) {
        std::string joined;
        for (const std::string& chunk : readChunks(byteCount, timeout))
            joined += chunk;
        return joined;
    }

    std::string readAllWithin(std::chrono::milliseconds window) { return read(SIZE_MAX, window); }

    bool waitForHangUp(std::chrono::milliseconds timeout) {
        const Clock::time_point deadline = Clock::now() + timeout;
        while (!m_hungUp && Clock::now() < deadline)
            readOnce(deadline);
        return m_hungUp;
    }

private:
    std::string readOnce(Clock::time_point deadline) {
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd watched{m_descriptor, POLLIN, 0};
        if (::poll(&watched, 1, static_cast<int>(std::max(remaining, 0ms).count())) <= 0)
            return {};
        char buffer[4096];
        const ssize_t count = ::read(m_descriptor, buffer, sizeof buffer);
        m_hungUp = count == 0 || (count < 0 && errno == EIO) ||
                   (watched.revents & (POLLHUP | POLLERR)) != 0;
        return count > 0 ? std::string(buffer, static_cast<std::size_t>(count)) : std::string();
    }

    int m_descriptor;
    int m_openError;
    bool m_hungUp = false;
};

// Table rows carry a name, used for both the test name and failure reports.
template <typename Row>
std::string rowName(const ::testing::TestParamInfo<Row>& row) {
    return row.param.name;
}

template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

qint64 monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

struct Exchange {
    std::string sent;
    std::string expectedReply;
};

struct Conversation {
    const char* name;
    QStringList arguments;
    std::vector<Exchange> exchanges;
};

class PhoneSimConversation : public ::testing::TestWithParam<Conversation> {};

TEST_P(PhoneSimConversation, RepliesExactlyAsAModemDoes) {
    PhoneSimulator simulator(GetParam().arguments);
    RawClient client(simulator.devicePath());
    for (const auto& [sent, expectedReply] : GetParam().exchanges) {
        client.send(sent);
        EXPECT_EQ(client.read(expectedReply.size()), expectedReply) << "after sending " << sent;
    }
    EXPECT_EQ(client.readAllWithin(kQuietWindow), "");
}

INSTANTIATE_TEST_SUITE_P(
    PhoneSim, PhoneSimConversation,
    ::testing::Values(
        Conversation{"Attention", {}, {{"AT\r", "AT\r\r\nOK\r\n"}, {"at\r", "at\r\r\nOK\r\n"}}},
        Conversation{"DefaultModel", {}, {{"AT+GMM\r", "AT+GMM\r\r\nPHONE-SIM 1\r\n\r\nOK\r\n"}}},
        Conversation{"ChosenModel",
                     {"--model", "Desk Phone 7"},
                     {{"aT+gmm\r", "aT+gmm\r\r\nDesk Phone 7\r\n\r\nOK\r\n"}}},
        Conversation{"Dial",
                     {},
                     {{"ATD+4930123456;\r", "ATD+4930123456;\r\r\nOK\r\n"},
                      {"atd*31#0800;\r", "atd*31#0800;\r\r\nOK\r\n"}}},
        Conversation{"Unknown",
                     {},
                     {{"ATD0800\r", "ATD0800\r\r\nERROR\r\n"},
                      {"ATX9\r", "ATX9\r\r\nERROR\r\n"},
                      {"HELLO\r", "HELLO\r\r\nERROR\r\n"},
                      {"ATH\r", "ATH\r\r\nERROR\r\n"}}},
        Conversation{"EchoOffThenOn",
                     {},
                     {{"ATE0\r", "ATE0\r\r\nOK\r\n"},
                      {"AT+GMM\r", "\r\nPHONE-SIM 1\r\n\r\nOK\r\n"},
                      {"ATD1;\r", "\r\nOK\r\n"},
                      {"ATQQ\r", "\r\nERROR\r\n"},
                      {"ATE1\r", "\r\nOK\r\n"},
                      {"AT\r", "AT\r\r\nOK\r\n"}}},
        Conversation{
            "LineFeedAndEmptyLineIgnored", {}, {{"A\nT\r", "A\nT\r\r\nOK\r\n"}, {"\r", "\r"}}},
        Conversation{
            "ModelAnswerBytes",
            {"--model-answer", "\\r\\n^RSSI:14\\r\\n\\t\\x01\\\\\\r\\n"},
            {{"AT+GMM\r", "AT+GMM\r\r\n^RSSI:14\r\n\t\x01\\\r\n"}, {"AT\r", "AT\r\r\nOK\r\n"}}},
        Conversation{"ErrorOption",
                     {"--error"},
                     {{"AT\r", "AT\r\r\nERROR\r\n"},
                      {"ATE0\r", "ATE0\r\r\nERROR\r\n"},
                      {"ATD1;\r", "ATD1;\r\r\nERROR\r\n"}}},
        // What ModemManager asks of a modem it manages, without a voice call or a SIM.
        Conversation{"ModemManagerAnswers",
                     {"--modem-manager", "--model", "Desk Phone 7", "--no-voice"},
                     {{"ATE0\r", "ATE0\r\r\nOK\r\n"},
                      {"AT+CGMM\r", "\r\nDesk Phone 7\r\n\r\nOK\r\n"},
                      {"at+gcap\r", "\r\n+GCAP: +CGSM\r\n\r\nOK\r\n"},
                      {"AT+CPIN?\r", "\r\n+CPIN: READY\r\n\r\nOK\r\n"},
                      {"AT+CREG?\r", "\r\n+CREG: 0,1\r\n\r\nOK\r\n"},
                      {"ATH\r", "\r\nERROR\r\n"}}},
        Conversation{
            "ModemManagerWithoutSim",
            {"--modem-manager", "--no-sim"},
            {{"AT+CPIN?\r", "AT+CPIN?\r\r\n+CME ERROR: 10\r\n"}, {"ATH\r", "ATH\r\r\nOK\r\n"}}}),
    rowName<Conversation>);

TEST(PhoneSim, SlaveIsInRawMode) {
    PhoneSimulator simulator;
    RawClient client(simulator.devicePath());
    termios settings{};
    ASSERT_EQ(tcgetattr(client.descriptor(), &settings), 0);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0U);
    EXPECT_EQ(settings.c_iflag & (ICRNL | IXON), 0U);
    EXPECT_EQ(settings.c_oflag & OPOST, 0U);
}

TEST(PhoneSim, LogsEachCommandWithMonotonicTimeAndEscapedText) {
    PhoneSimulator simulator;
    RawClient client(simulator.devicePath());
    const qint64 before = monotonicNow();
    client.send("AT\rATD\x01\\9;\r");
    ASSERT_TRUE(simulator.waitForCommands(2, kAnswerTimeout));
    const qint64 after = monotonicNow();

    const QList<ReceivedCommand> commands = simulator.receivedCommands();
    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands[0].text.toStdString(), "AT");
    EXPECT_EQ(commands[1].text.toStdString(), "ATD\\x01\\x5C9;");
    for (const ReceivedCommand& command : commands) {
        EXPECT_GE(command.monotonicNanoseconds, before);
        EXPECT_LE(command.monotonicNanoseconds, after);
    }
}

TEST(PhoneSim, SilentNeverAnswersButStillRecords) {
    PhoneSimulator simulator({"--silent"});
    RawClient client(simulator.devicePath());
    client.send("AT\r");
    EXPECT_EQ(client.readAllWithin(kQuietWindow), "");
    ASSERT_TRUE(simulator.waitForCommands(1, kAnswerTimeout));
    EXPECT_EQ(simulator.receivedCommands().front().text.toStdString(), "AT");
    EXPECT_EQ(simulator.transcript().toStdString(), "AT\r");
}

struct Fragmentation {
    const char* name;
    QStringList arguments;
    std::size_t fewestReads;
    std::size_t mostReads;
};

class PhoneSimFragmentation : public ::testing::TestWithParam<Fragmentation> {};

TEST_P(PhoneSimFragmentation, AnswerArrivesInExpectedNumberOfReads) {
    const std::string expected = "AT+GMM\r\r\nPHONE-SIM 1\r\n\r\nOK\r\n";
    PhoneSimulator simulator(GetParam().arguments);
    RawClient client(simulator.devicePath());
    client.send("AT+GMM\r");
    const std::vector<std::string> chunks = client.readChunks(expected.size(), kAnswerTimeout);

    std::string joined;
    for (const std::string& chunk : chunks)
        joined += chunk;
    EXPECT_EQ(joined, expected);
    EXPECT_GE(chunks.size(), GetParam().fewestReads);
    EXPECT_LE(chunks.size(), GetParam().mostReads);
}

INSTANTIATE_TEST_SUITE_P(PhoneSim, PhoneSimFragmentation,
                         ::testing::Values(Fragmentation{"Whole", {}, 1, 2},
                                           Fragmentation{"Split", {"--split"}, 4, SIZE_MAX}),
                         rowName<Fragmentation>);

TEST(PhoneSim, DelayHoldsBackTheAnswer) {
    constexpr std::chrono::milliseconds kDelay = 300ms;
    PhoneSimulator simulator({"--delay", QString::number(kDelay.count())});
    RawClient client(simulator.devicePath());
    const Clock::time_point sentAt = Clock::now();
    client.send("AT\r");
    EXPECT_EQ(client.read(9), "AT\r\r\nOK\r\n");
    EXPECT_GE(Clock::now() - sentAt, kDelay);
}

struct HangUp {
    const char* name;
    unsigned afterCommands;
    std::vector<Exchange> exchanges;
};

class PhoneSimHangUp : public ::testing::TestWithParam<HangUp> {};

TEST_P(PhoneSimHangUp, ClientSeesHangUpAndSimulatorExitsCleanly) {
    PhoneSimulator simulator({"--hang-up-after", QString::number(GetParam().afterCommands)});
    RawClient client(simulator.devicePath());
    for (const auto& [sent, expectedReply] : GetParam().exchanges) {
        client.send(sent);
        EXPECT_EQ(client.read(expectedReply.size()), expectedReply);
    }
    EXPECT_TRUE(client.waitForHangUp(kAnswerTimeout));
    EXPECT_EQ(simulator.waitForExit(kAnswerTimeout), 0);
}

INSTANTIATE_TEST_SUITE_P(PhoneSim, PhoneSimHangUp,
                         ::testing::Values(HangUp{"OnFirstByte", 0, {{"A", ""}}},
                                           HangUp{"AfterSecondAnswer",
                                                  2,
                                                  {{"AT\r", "AT\r\r\nOK\r\n"},
                                                   {"ATD5;\r", "ATD5;\r\r\nOK\r\n"}}}),
                         rowName<HangUp>);

struct PortHolding {
    const char* name;
    QStringList arguments;
    bool throughLink;
    bool expectBusy;
};

class PhoneSimBusy : public ::testing::TestWithParam<PortHolding> {};

TEST_P(PhoneSimBusy, ClientLockReflectsWhetherThePortIsHeld) {
    PhoneSimulator simulator(GetParam().arguments,
                             PhoneSimulator::DeviceLink::InTemporaryDirectory);
    RawClient client(GetParam().throughLink ? simulator.linkPath() : simulator.devicePath());
    // As non-root, TIOCEXCL already refuses the open; as root only the flock can.
    if (client.descriptor() < 0) {
        EXPECT_TRUE(GetParam().expectBusy);
        EXPECT_EQ(client.openError(), EBUSY);
        return;
    }
    const int locked = flock(client.descriptor(), LOCK_EX | LOCK_NB);
    const int lockError = errno;
    EXPECT_EQ(locked != 0, GetParam().expectBusy);
    if (GetParam().expectBusy) {
        EXPECT_EQ(lockError, EWOULDBLOCK);
    }
}

INSTANTIATE_TEST_SUITE_P(PhoneSim, PhoneSimBusy,
                         ::testing::Values(PortHolding{"Free", {}, false, false},
                                           PortHolding{"BusyDevice", {"--busy"}, false, true},
                                           PortHolding{"BusyThroughLink", {"--busy"}, true, true}),
                         rowName<PortHolding>);

TEST(PhoneSim, StallUntilClosedBlocksWritesUntilAClientCloses) {
    PhoneSimulator simulator({"--stall-until-closed"});
    {
        RawClient client(simulator.devicePath());
        ASSERT_GE(client.descriptor(), 0);
        errno = 0;
        EXPECT_LT(::write(client.descriptor(), "AT\r", 3), 0);
        EXPECT_EQ(errno, EAGAIN);
    }
    RawClient client(simulator.devicePath());
    bool accepted = false;
    for (int attempt = 0; attempt < 100 && !accepted; ++attempt) {
        accepted = ::write(client.descriptor(), "AT\r", 3) == 3;
        if (!accepted)
            std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(accepted);
    ASSERT_TRUE(simulator.waitForCommands(1, kAnswerTimeout));
    EXPECT_EQ(simulator.transcript(), "AT\r");
    EXPECT_EQ(client.readAllWithin(200ms), "AT\r\r\nOK\r\n");
}

TEST(PhoneSim, FloodKeepsSendingTextWhileCommandsAreLogged) {
    PhoneSimulator simulator({"--flood"});
    RawClient client(simulator.devicePath());
    client.send("ATD42;\r");
    for (int window = 0; window < 3; ++window) {
        const std::string received = client.readAllWithin(100ms);
        EXPECT_GT(received.size(), 1000U) << "window " << window;
        EXPECT_EQ(received.find_first_not_of("\r\n +:0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ;"),
                  std::string::npos);
    }
    ASSERT_TRUE(simulator.waitForCommands(1, kAnswerTimeout));
    EXPECT_EQ(simulator.receivedCommands().front().text.toStdString(), "ATD42;");
}

long cpuTicks(qint64 processId) {
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string field;
    long userTicks = 0;
    long systemTicks = 0;
    // Fields 14 and 15 are utime and stime; the command name in field 2 has no spaces here.
    for (int index = 1; index <= 13; ++index)
        stat >> field;
    stat >> userTicks >> systemTicks;
    return userTicks + systemTicks;
}

struct NamedArguments {
    const char* name;
    QStringList arguments;
};

class PhoneSimIdle : public ::testing::TestWithParam<NamedArguments> {};

TEST_P(PhoneSimIdle, UsesNoCpuWhileNobodyReads) {
    PhoneSimulator simulator(GetParam().arguments);
    const long ticksBefore = cpuTicks(simulator.processId());
    std::this_thread::sleep_for(1s);
    EXPECT_LE(cpuTicks(simulator.processId()) - ticksBefore, sysconf(_SC_CLK_TCK) / 20);
}

INSTANTIATE_TEST_SUITE_P(PhoneSim, PhoneSimIdle,
                         ::testing::Values(NamedArguments{"Quiet", {}},
                                           NamedArguments{"FloodingIntoFullBuffer", {"--flood"}}),
                         rowName<NamedArguments>);

TEST(PhoneSim, TranscriptHoldsExactlyTheBytesSentAcrossReopens) {
    std::string allBytes;
    for (int value = 0; value < 256; ++value)
        allBytes += static_cast<char>(value);
    const std::vector<std::string> sessions = {"ATD1;\r", allBytes, "tail\n"};

    PhoneSimulator simulator({"--silent"});
    std::string sent;
    for (const std::string& bytes : sessions) {
        RawClient client(simulator.devicePath());
        client.send(bytes);
        sent += bytes;
    }
    const Clock::time_point deadline = Clock::now() + kAnswerTimeout;
    while (simulator.transcript().size() < qsizetype(sent.size()) && Clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(simulator.transcript().toStdString(), sent);
}

TEST(PhoneSim, KeepsAnsweringWhenClientsCloseAndReopen) {
    PhoneSimulator simulator({}, PhoneSimulator::DeviceLink::InTemporaryDirectory);
    for (int round = 0; round < 4; ++round) {
        RawClient client(round % 2 == 0 ? simulator.devicePath() : simulator.linkPath());
        client.send("AT\r");
        EXPECT_EQ(client.read(9), "AT\r\r\nOK\r\n") << "round " << round;
    }
}

struct Termination {
    const char* name;
    int signalNumber;
};

class PhoneSimTermination : public ::testing::TestWithParam<Termination> {};

TEST_P(PhoneSimTermination, SignalEndsItCleanlyAndRemovesTheLink) {
    PhoneSimulator simulator({}, PhoneSimulator::DeviceLink::InTemporaryDirectory);
    const QByteArray link = simulator.linkPath().toLocal8Bit();
    EXPECT_EQ(QFile::symLinkTarget(simulator.linkPath()), simulator.devicePath());

    ASSERT_EQ(kill(pid_t(simulator.processId()), GetParam().signalNumber), 0);
    EXPECT_EQ(simulator.waitForExit(kAnswerTimeout), 0);
    struct stat status {};
    EXPECT_NE(lstat(link.constData(), &status), 0);
}

INSTANTIATE_TEST_SUITE_P(PhoneSim, PhoneSimTermination,
                         ::testing::Values(Termination{"Terminate", SIGTERM},
                                           Termination{"Interrupt", SIGINT}),
                         rowName<Termination>);

TEST(PhoneSim, ReplacesAStaleSymlinkButNeverARegularFile) {
    QTemporaryDir directory;
    const QString stale = directory.filePath("stale");
    ASSERT_TRUE(QFile::link("/nonexistent/tty", stale));
    {
        PhoneSimulator simulator({"--link", stale});
        EXPECT_EQ(QFile::symLinkTarget(stale), simulator.devicePath());
    }
    EXPECT_FALSE(QFile::exists(stale));

    const QString regular = directory.filePath("regular");
    QFile file(regular);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    EXPECT_THROW(PhoneSimulator({"--link", regular}), std::runtime_error);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "keep");
}

class PhoneSimBadOption : public ::testing::TestWithParam<NamedArguments> {};

TEST_P(PhoneSimBadOption, PrintsUsageAndExitsWithTwo) {
    QProcess process;
    process.start(QString::fromUtf8(LINVOX_PHONE_SIM_PATH), GetParam().arguments);
    ASSERT_TRUE(process.waitForFinished(int(kAnswerTimeout.count())));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("usage: phone-sim"));
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(PhoneSim, PhoneSimBadOption,
                         ::testing::Values(NamedArguments{"Unknown", {"--bogus"}},
                                           NamedArguments{"MissingValue", {"--delay"}},
                                           NamedArguments{"NotANumber", {"--delay", "soon"}},
                                           NamedArguments{"Negative", {"--hang-up-after", "-1"}},
                                           NamedArguments{"EmptyPath", {"--link", ""}},
                                           NamedArguments{"UnknownEscape",
                                                          {"--model-answer", "\\q"}},
                                           NamedArguments{"ShortHex", {"--model-answer", "\\x4"}},
                                           NamedArguments{"NoVoiceAlone", {"--no-voice"}}),
                         rowName<NamedArguments>);

}  // namespace
}  // namespace linvox::testing

// The link handler against phones that another program holds, each way such programs hold a
// port: what reaches the phone, how the program ends, and that the other program's lock stays.
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QFile>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QString kPortAlreadyOpenReport =
    "Модем: Ошибка соединения с модемом:\n"
    "Не удаётся подключиться к модему!\n"
    "Порт модема используется другой программой.\n";

// The classic lock file of a device, as terminal programs name it.
QString LockFileOf(const QString& device) {
    return "/var/lock/LCK.." + device.mid(QStringLiteral("/dev/").size()).replace('/', '_');
}

// A lock file naming processId: ten characters and a newline.
QByteArray LockText(qint64 processId) {
    return QByteArray::number(processId).rightJustified(10, ' ') + '\n';
}

qint64 IdOfAnEndedProcess() {
    QProcess ended;
    ended.start("true");
    EXPECT_TRUE(ended.waitForStarted());
    const qint64 processId = ended.processId();
    EXPECT_TRUE(ended.waitForFinished());
    return processId;
}

// Another program's hold on the phone's device for the length of a test.
class ForeignHold {
public:
    enum class Kind { LockFileOfRunningProgram, LockFileOfEndedProgram, ExclusiveFlag };

    ForeignHold(Kind kind, const PhoneSimulator& phone)
        : m_lockFile(LockFileOf(phone.devicePath())) {
        if (kind == Kind::ExclusiveFlag) {
            m_descriptor = ::open(QFile::encodeName(phone.devicePath()), O_RDWR | O_NOCTTY);
            EXPECT_EQ(::ioctl(m_descriptor, TIOCEXCL), 0);
            return;
        }
        const qint64 owner =
            kind == Kind::LockFileOfRunningProgram ? phone.processId() : IdOfAnEndedProcess();
        QFile lock(m_lockFile);
        EXPECT_TRUE(lock.open(QIODevice::NewOnly)) << m_lockFile;
        lock.write(LockText(owner));
    }
    ~ForeignHold() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        QFile::remove(m_lockFile);
    }

    // The lock file's text, or nothing when there is none.
    std::optional<QByteArray> lockText() const {
        QFile lock(m_lockFile);
        return lock.open(QIODevice::ReadOnly) ? std::optional(lock.readAll()) : std::nullopt;
    }

private:
    QString m_lockFile;
    int m_descriptor = -1;
};

struct ForeignHoldCase {
    const char* name;
    ForeignHold::Kind kind;
    bool portThroughLink;
    int exitStatus;
    QByteArray phoneReceives;
    bool lockFileKept;
};

void PrintTo(const ForeignHoldCase& hold, std::ostream* out) {
    *out << hold.name;
}

class ForeignHolds : public ::testing::TestWithParam<ForeignHoldCase> {};

TEST_P(ForeignHolds, DialOnlyWhereNoRunningProgramHoldsThePort) {
    PhoneSimulator phone({}, PhoneSimulator::DeviceLink::InTemporaryDirectory);
    ScratchSettings scratch;
    scratch.mapPort(2, GetParam().portThroughLink ? phone.linkPath() : phone.devicePath());
    scratch.preset({{"port_mts", "2"}});
    const ForeignHold hold(GetParam().kind, phone);
    const std::optional<QByteArray> lockBefore = hold.lockText();

    LinvoxProcess linvox({"tel:0501234567"}, scratch.directory());
    ASSERT_TRUE(linvox.waitForExit(10s));

    EXPECT_EQ(linvox.exitStatus(), GetParam().exitStatus);
    EXPECT_EQ(linvox.standardError(), GetParam().exitStatus == 0 ? "" : kPortAlreadyOpenReport);
    if (!GetParam().phoneReceives.isEmpty()) {
        EXPECT_TRUE(phone.waitForCommands(1, 10s));
    }
    EXPECT_EQ(phone.transcript(), GetParam().phoneReceives);
    EXPECT_EQ(hold.lockText(), GetParam().lockFileKept ? lockBefore : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Holds, ForeignHolds,
    ::testing::Values(
        ForeignHoldCase{"lock file of a running program",
                        ForeignHold::Kind::LockFileOfRunningProgram, false, 1, "", true},
        ForeignHoldCase{"lock file of a running program, port named by a link",
                        ForeignHold::Kind::LockFileOfRunningProgram, true, 1, "", true},
        ForeignHoldCase{"lock file of an ended program", ForeignHold::Kind::LockFileOfEndedProgram,
                        true, 0, "ATD0501234567;\r", false},
        ForeignHoldCase{"exclusive-open flag", ForeignHold::Kind::ExclusiveFlag, false, 1, "",
                        false}));

}  // namespace
}  // namespace linvox::testing

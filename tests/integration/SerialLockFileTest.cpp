// Whose a lock file in /var/lock is, by the process id it holds.
#include "platform/SerialLockFile.h"
#include "support/QtPrinters.h"

#include <unistd.h>

#include <QFile>

#include <gtest/gtest.h>

namespace linvox {
inline void PrintTo(LockFileState state, std::ostream* out) {
    *out << (state == LockFileState::None            ? "none"
             : state == LockFileState::HeldByAnother ? "held by another"
                                                     : "left behind");
}
}  // namespace linvox

namespace linvox::testing {
namespace {

TEST(SerialLockFile, TellsALiveLockFromOneLeftBehind) {
    const QString device = QStringLiteral("/dev/linvox-test-%1").arg(::getpid());
    const auto tenCharacters = [](qint64 id) {
        return QByteArray::number(id).rightJustified(10, ' ') + '\n';
    };
    const std::pair<QByteArray, LockFileState> cases[] = {
        {"", LockFileState::HeldByAnother},  // its owner may be writing it
        {"garbage\n", LockFileState::HeldByAnother},
        {tenCharacters(1), LockFileState::HeldByAnother},
        {"1\nsystemd\nhost\n", LockFileState::HeldByAnother},
        {tenCharacters(4294967297), LockFileState::LeftBehind},  // process 1, cut to 32 bits
        {tenCharacters(0), LockFileState::LeftBehind},
        {tenCharacters(-7), LockFileState::LeftBehind},
        {tenCharacters(4194305), LockFileState::LeftBehind},  // beyond the kernel's limit
        {tenCharacters(::getpid()), LockFileState::LeftBehind}};
    QFile lock(LockFilePath(device));
    for (const auto& [text, state] : cases) {
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate)) << lock.fileName();
        lock.write(text);
        lock.close();
        EXPECT_EQ(LockFileStateOf(device), state) << text.toStdString();
    }
    RemoveLeftBehindLockFile(device);
    EXPECT_EQ(LockFileStateOf(device), LockFileState::None);
}

}  // namespace
}  // namespace linvox::testing

#include "platform/SerialLockFile.h"

#include <cerrno>
#include <signal.h>

#include <QFile>
#include <QFileInfo>

namespace linvox {
namespace {

const QString kLockDirectory = QStringLiteral("/var/lock");
const QString kDeviceDirectory = QStringLiteral("/dev/");
// A process id as ten characters, its newline and some room for other layouts' extra lines.
constexpr qint64 kLongestLockText = 64;

bool ProcessRuns(qint64 processId) {
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

}  // namespace

QString LockFilePath(const QString& realDevice) {
    QString name = realDevice.startsWith(kDeviceDirectory) ? realDevice.mid(kDeviceDirectory.size())
                                                           : realDevice;
    name.replace(u'/', u'_');
    return kLockDirectory + QStringLiteral("/LCK..") + name;
}

bool HeldThroughLockFile(const QString& realDevice) {
    const QFileInfo file(LockFilePath(realDevice));
    if (!file.exists()) {
        return false;
    }
    // Anything but a readable regular file (a FIFO would block the read) cannot be shown stale.
    QFile lock(file.filePath());
    if (!file.isFile() || !lock.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray firstLine = lock.read(kLongestLockText).split('\n').first().trimmed();
    bool isNumber = false;
    const qint64 processId = firstLine.toLongLong(&isNumber);
    return !isNumber || processId <= 0 || ProcessRuns(processId);
}

}  // namespace linvox

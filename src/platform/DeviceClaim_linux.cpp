// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeviceClaim_linux.h"

#include "platform/SerialLockFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

namespace linvox {
namespace {

// The group that owns the device, by name when the system knows one.
QString GroupOf(const QString& device) {
    const QFileInfo file(device);
    const QString name = file.group();
    return name.isEmpty() ? QString::number(file.groupId()) : name;
}

LineStatus FromErrno(int error, const QString& device) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
        case EISDIR:
        case ENOTTY:
            return LineStatus::InvalidPortNumber();
        case EBUSY:
        case EWOULDBLOCK:
            return LineStatus::PortAlreadyOpen();
        case EACCES:
        case EPERM:
            return LineStatus::AccessDenied(device, GroupOf(device));
        case EIO:
            return LineStatus::DeviceNotOpen();
        default:
            return LineStatus::System(QString::fromLocal8Bit(std::strerror(error)));
    }
}

// Whether another program has set the exclusive-open flag, which refuses every later opener
// but root (Linux 3.8 and later can tell).
bool HeldExclusively(int descriptor) {
    int exclusive = 0;
    return ::ioctl(descriptor, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

}  // namespace

DeviceClaim::~DeviceClaim() {
    Release();
}

LineStatus DeviceClaim::Take(const QString& device) {
    Release();
    const QString resolved = QFileInfo(device).canonicalFilePath();
    const QString realDevice = resolved.isEmpty() ? device : resolved;
    // Read before the device is opened, which would raise its control lines.
    if (LockFileStateOf(realDevice) == LockFileState::HeldByAnother) {
        return LineStatus::PortAlreadyOpen();
    }
    const int descriptor = ::open(QFile::encodeName(realDevice).constData(),
                                  O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return FromErrno(errno, device);
    }
    int error = ::isatty(descriptor) != 1                     ? ENOTTY
                : ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 ? errno
                : HeldExclusively(descriptor)                 ? EBUSY
                                                              : 0;
    OwnLockFile lockFile = OwnLockFile::NotWritten;
    if (error == 0) {
        lockFile = WriteOwnLockFile(realDevice);
        error = lockFile == OwnLockFile::HeldByAnother ? EBUSY : 0;
    }
    if (error != 0) {
        ::close(descriptor);
        return FromErrno(error, device);
    }
    ::ioctl(descriptor, TIOCEXCL);
    termios settings{};
    if (::tcgetattr(descriptor, &settings) == 0 && (settings.c_cflag & HUPCL) != 0) {
        settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
        ::tcsetattr(descriptor, TCSANOW, &settings);
    }
    m_descriptor = descriptor;
    m_lockedDevice = lockFile == OwnLockFile::Written ? realDevice : QString();
    return LineStatus::Done();
}

void DeviceClaim::Release() {
    if (m_descriptor < 0) {
        return;
    }
    if (!m_lockedDevice.isEmpty()) {
        QFile::remove(LockFilePath(m_lockedDevice));
    }
    ::ioctl(m_descriptor, TIOCNXCL);
    ::close(m_descriptor);
    m_descriptor = -1;
}

}  // namespace linvox

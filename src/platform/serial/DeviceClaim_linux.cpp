// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/DeviceClaim_linux.h"

#include "platform/serial/SerialLockFile.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

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

Failure FromErrno(int error, const QString& device) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
        case EISDIR:
        case ENOTTY:
            return Failure(FailureCode::InvalidPortNumber, device);
        case EBUSY:
        case EWOULDBLOCK:
            return Failure(FailureCode::PortAlreadyOpen, device);
        case EACCES:
        case EPERM:
            return Failure(FailureCode::PortAccessDenied, device, GroupOf(device));
        case EIO:
            return Failure(FailureCode::DeviceNotOpen, device);
        default:
            return Failure(FailureCode::SystemError, device, {}, error);
    }
}

// Sets the driver's closing wait to none; what it was, when the driver has one and let us change
// it (pseudo-terminals have none; most drivers let only root change it).
std::optional<unsigned short> WithoutClosingWait(int descriptor) {
    serial_struct serial{};
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) != 0 ||
        serial.closing_wait == ASYNC_CLOSING_WAIT_NONE) {
        return std::nullopt;
    }
    const unsigned short before = serial.closing_wait;
    serial.closing_wait = ASYNC_CLOSING_WAIT_NONE;
    return ::ioctl(descriptor, TIOCSSERIAL, &serial) == 0 ? std::optional(before) : std::nullopt;
}

void RestoreClosingWait(int descriptor, unsigned short closingWait) {
    serial_struct serial{};
    if (::ioctl(descriptor, TIOCGSERIAL, &serial) == 0) {
        serial.closing_wait = closingWait;
        ::ioctl(descriptor, TIOCSSERIAL, &serial);
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

Status DeviceClaim::Take(const QString& device) {
    Release();
    const QString resolved = QFileInfo(device).canonicalFilePath();
    const QString realDevice = resolved.isEmpty() ? device : resolved;
    // Read before the device is opened, which would raise its control lines.
    if (LockFileStateOf(realDevice) == LockFileState::HeldByAnother) {
        return Failure(FailureCode::PortAlreadyOpen, device);
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
    m_closingWaitBefore = WithoutClosingWait(descriptor);
    m_descriptor = descriptor;
    m_lockedDevice = lockFile == OwnLockFile::Written ? realDevice : QString();
    return Done{};
}

void DeviceClaim::Release() {
    if (m_descriptor < 0) {
        return;
    }
    if (m_closingWaitBefore) {
        RestoreClosingWait(m_descriptor, *std::exchange(m_closingWaitBefore, std::nullopt));
    }
    ::ioctl(m_descriptor, TIOCNXCL);
    ::close(m_descriptor);
    m_descriptor = -1;
    if (!m_lockedDevice.isEmpty()) {
        QFile::remove(LockFilePath(std::exchange(m_lockedDevice, {})));
    }
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeviceClaim.h"
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

// Calls hungUp once the terminal behind descriptor hangs up. A hung-up terminal polls as an error
// on every descriptor open on it, ours among them; a serial device never has the priority data
// that this kind of notifier also wakes for.
std::unique_ptr<QSocketNotifier> WatchForHangUp(int descriptor,
                                                const std::function<void()>& hungUp) {
    auto watch = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Exception);
    QSocketNotifier* notifier = watch.get();
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, hungUp] {
        notifier->setEnabled(false);
        hungUp();
    });
    return watch;
}

}  // namespace

DeviceClaim::DeviceClaim(std::function<void()> hungUp) : m_hungUp(std::move(hungUp)) {}

DeviceClaim::~DeviceClaim() {
    Release();
}

LineStatus DeviceClaim::Take(const QString& device) {
    Release();
    const QString resolved = QFileInfo(device).canonicalFilePath();
    const QString realDevice = resolved.isEmpty() ? device : resolved;
    const LockFileState lockFile = LockFileStateOf(realDevice);
    if (lockFile == LockFileState::HeldByAnother) {
        return LineStatus::PortAlreadyOpen();
    }
    // QSerialPort would put its lock file in /tmp, where no other program looks. Refused rather
    // than held without one: a program that honours only lock files, run by root whom the
    // exclusive-open flag does not stop, would write into the call. Refused before the device is
    // opened, which would raise its control lines.
    if (!QFileInfo(kLockFolder).isWritable()) {
        return LineStatus::LockFolderClosed(device, kLockFolder);
    }
    const int descriptor = ::open(QFile::encodeName(realDevice).constData(),
                                  O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return FromErrno(errno, device);
    }
    const int error = ::isatty(descriptor) != 1                     ? ENOTTY
                      : ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 ? errno
                      : HeldExclusively(descriptor)                 ? EBUSY
                                                                    : 0;
    if (error != 0) {
        ::close(descriptor);
        return FromErrno(error, device);
    }
    if (lockFile == LockFileState::LeftBehind) {
        RemoveLeftBehindLockFile(realDevice);
    }
    termios settings{};
    if (::tcgetattr(descriptor, &settings) == 0 && (settings.c_cflag & HUPCL) != 0) {
        settings.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
        ::tcsetattr(descriptor, TCSANOW, &settings);
    }
    m_descriptor = descriptor;
    m_device = realDevice;
    if (m_hungUp) {
        m_hangUpWatch = WatchForHangUp(descriptor, m_hungUp);
    }
    return LineStatus::Done();
}

void DeviceClaim::Release() {
    m_hangUpWatch.reset();
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

LineStatus DescribeOpenFailure(const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return LineStatus::InvalidPortNumber();
        case QSerialPort::PermissionError:  // the device opened for us, so a lock file held it
            return LineStatus::PortAlreadyOpen();
        case QSerialPort::ResourceError:
            return LineStatus::DeviceNotOpen();
        default:
            return LineStatus::System(port.errorString());
    }
}

}  // namespace linvox

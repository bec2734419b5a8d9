// SPDX-License-Identifier: GPL-3.0-or-later
#include "PseudoTerminal.h"

#include "SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>

namespace linvox::phonesim {

PseudoTerminal::PseudoTerminal() : m_master(posix_openpt(O_RDWR | O_NOCTTY)) {
    if (!m_master.isOpen())
        throwSystemError("posix_openpt");
    if (grantpt(m_master.get()) != 0)
        throwSystemError("grantpt");
    if (unlockpt(m_master.get()) != 0)
        throwSystemError("unlockpt");
    const int flags = fcntl(m_master.get(), F_GETFL);
    if (flags < 0 || fcntl(m_master.get(), F_SETFL, flags | O_NONBLOCK) != 0)
        throwSystemError("making the pseudo-terminal master non-blocking");

    const char* slavePath = ptsname(m_master.get());
    if (slavePath == nullptr)
        throwSystemError("ptsname");
    m_slavePath = slavePath;

    m_heldSlave = FileDescriptor(::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY));
    if (!m_heldSlave.isOpen())
        throwSystemError("opening " + m_slavePath);

    termios settings{};
    if (tcgetattr(m_heldSlave.get(), &settings) != 0)
        throwSystemError("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(m_heldSlave.get(), TCSANOW, &settings) != 0)
        throwSystemError("tcsetattr");
}

std::size_t PseudoTerminal::unreadBySlave() const {
    int count = 0;
    if (!m_heldSlave.isOpen() || ioctl(m_heldSlave.get(), FIONREAD, &count) != 0)
        return 0;
    return static_cast<std::size_t>(count);
}

void PseudoTerminal::suspendTowardsMaster() {
    if (tcflow(m_heldSlave.get(), TCOOFF) != 0)
        throwSystemError("suspending the pseudo-terminal's output");
}

void PseudoTerminal::resumeTowardsMaster() {
    if (tcflow(m_heldSlave.get(), TCOON) != 0)
        throwSystemError("resuming the pseudo-terminal's output");
}

void PseudoTerminal::close() {
    m_heldSlave.reset();
    m_master.reset();
}

}  // namespace linvox::phonesim

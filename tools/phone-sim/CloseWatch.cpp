// SPDX-License-Identifier: GPL-3.0-or-later
#include "CloseWatch.h"

#include "SystemError.h"

#include <array>
#include <cstring>
#include <sys/inotify.h>

namespace linvox::phonesim {

CloseWatch::CloseWatch(const std::string& devicePath)
    : m_watch(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (!m_watch.isOpen())
        throwSystemError("inotify_init1");
    if (inotify_add_watch(m_watch.get(), devicePath.c_str(), IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0)
        throwSystemError("watching " + devicePath);
}

bool CloseWatch::takeCloses() {
    bool closed = false;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    ssize_t length = 0;
    while ((length = ::read(m_watch.get(), buffer.data(), buffer.size())) > 0) {
        for (ssize_t offset = 0; offset < length;) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + offset, sizeof event);
            closed = closed || (event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) != 0;
            offset += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    return closed;
}

}  // namespace linvox::phonesim

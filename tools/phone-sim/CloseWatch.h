// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileDescriptor.h"

#include <string>

namespace linvox::phonesim {

// Notices, through inotify, when another program closes a device. Closes in quick succession
// may be reported as one.
class CloseWatch {
public:
    explicit CloseWatch(const std::string& devicePath);

    // Becomes readable when a close has been seen.
    int descriptor() const { return m_watch.get(); }

    // Whether a close was seen since the last call.
    bool takeCloses();

private:
    FileDescriptor m_watch;
};

}  // namespace linvox::phonesim

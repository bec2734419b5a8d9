// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace linvox::testing {

// For a child process, just before it starts its program: lets root be refused by file
// permissions, as any other user is.
inline void WithoutPermissionOverride() {
    if (::geteuid() == 0) {
        ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
        ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
    }
}

// Whether WithoutPermissionOverride holds the programs this process starts to file permissions:
// always for another user, for root when it may drop its rights.
inline bool ChildrenCanBeHeldToFilePermissions() {
    if (::geteuid() != 0) {
        return true;
    }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct capabilities[2]{};
    return ::syscall(SYS_capget, &header, capabilities) == 0 &&
           (capabilities[CAP_TO_INDEX(CAP_SETPCAP)].effective & CAP_TO_MASK(CAP_SETPCAP)) != 0;
}

}  // namespace linvox::testing

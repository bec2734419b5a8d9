// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// The desktop's "open" operation on a web address.
class Shell {
public:
    struct Outcome {
        bool opened = false;
        // The system's last-error code, read right after a failed open.
        long errorCode = 0;
    };

    virtual ~Shell() = default;

    // Hands address to the browser; returns once the shell has answered, not when the page is up.
    virtual Outcome OpenAddress(const QString& address) = 0;
};

// The real shell: QDesktopServices on Linux, ShellExecuteA "open" on Windows.
class DesktopShell : public Shell {
public:
    Outcome OpenAddress(const QString& address) override;
};

}  // namespace linvox

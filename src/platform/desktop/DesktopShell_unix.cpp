// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/Shell.h"

#include <cerrno>

#include <QDesktopServices>
#include <QUrl>

namespace linvox {

Shell::Outcome DesktopShell::OpenAddress(const QString& address) {
    errno = 0;
    if (QDesktopServices::openUrl(QUrl(address))) {
        return {true, 0};
    }
    // Usually ENOENT: no browser launcher such as xdg-open was found.
    return {false, errno};
}

}  // namespace linvox

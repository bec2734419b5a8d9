// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/Shell.h"

#include <windows.h>
// shellapi.h builds on the declarations of windows.h.
#include <shellapi.h>

namespace linvox {

Shell::Outcome DesktopShell::OpenAddress(const QString& address) {
    const QByteArray file = address.toLocal8Bit();
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", file.constData(), "", nullptr, SW_SHOWNORMAL));
    // ShellExecute reports success with a value above 32.
    if (result > 32) {
        return {true, 0};
    }
    return {false, static_cast<long>(::GetLastError())};
}

}  // namespace linvox

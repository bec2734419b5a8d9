// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// Where windows and message boxes can be shown, in Qt's terms.
struct DisplayChoice {
    // Qt's platform plugins to show them with, the preferred first, as QGuiApplication's
    // -platform option takes them ("wayland;xcb"); empty when none can be used.
    QString platforms;
    // When none can: why, as a phrase for the user.
    QString unusableReason;
};

// The displays that answer and have a Qt plugin installed: on Linux the Wayland compositor of
// WAYLAND_DISPLAY and the X server of DISPLAY, or else the platform that QT_QPA_PLATFORM names
// for another kind of display (eglfs, vnc …) as it stands. Needs a QCoreApplication, whose library
// paths say where Qt looks for its plugins.
DisplayChoice ChooseDisplay();

}  // namespace linvox

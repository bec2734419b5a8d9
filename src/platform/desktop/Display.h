// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <QString>

namespace linvox {

// Where windows and message boxes can be shown: Qt's platform plugins to show them with, the
// preferred first, as QGuiApplication's -platform option takes them ("wayland;xcb"); or why none
// can be used (NoDisplayAnswers, NoWaylandPlugin, NoX11Plugin). These are the displays that answer
// and have a Qt plugin installed: on Linux the Wayland compositor of WAYLAND_DISPLAY and the X
// server of DISPLAY, or else the platform that QT_QPA_PLATFORM names for another kind of display
// (eglfs, vnc …) as it stands. Needs a QCoreApplication, whose library paths say where Qt looks
// for its plugins.
Outcome<QString> ChooseDisplay();

}  // namespace linvox

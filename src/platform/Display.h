#pragma once

namespace linvox {

// Whether windows and message boxes can be shown: on Linux the X server of DISPLAY or the
// Wayland compositor of WAYLAND_DISPLAY answers.
bool HasDisplay();

}  // namespace linvox

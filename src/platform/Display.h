#pragma once

namespace linvox {

// Whether windows and message boxes can be shown: on Linux a DISPLAY or WAYLAND_DISPLAY is set.
bool HasDisplay();

}  // namespace linvox

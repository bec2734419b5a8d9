// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPart.h"

extern "C" const linvox::WindowPart* LinvoxWindowPart();

namespace linvox {

// Qt is linked statically into the one program file, and the window part with it.
Outcome<const WindowPart*> LoadWindowPart() {
    return LinvoxWindowPart();
}

}  // namespace linvox

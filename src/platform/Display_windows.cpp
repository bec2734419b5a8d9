// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Display.h"

namespace linvox {

DisplayChoice ChooseDisplay() {
    return {QStringLiteral("windows"), {}};
}

}  // namespace linvox

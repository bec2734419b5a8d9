// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPart.h"
#include "platform/process/ProgramModule.h"

namespace linvox {

Outcome<const WindowPart*> LoadWindowPart() {
    const Outcome<QFunctionPointer> part =
        ProgramModuleFunction(QStringLiteral(LINVOX_WINDOW_PART_FROM_PROGRAM), kWindowPartSymbol,
                              FailureCode::WindowPartMissing);
    if (!part.ok()) {
        return part.failure();
    }
    using PartFunction = const WindowPart* (*)();
    return reinterpret_cast<PartFunction>(part.value())();
}

}  // namespace linvox

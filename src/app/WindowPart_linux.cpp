// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPart.h"

#include <QFileInfo>
#include <QLibrary>

namespace linvox {

Outcome<const WindowPart*> LoadWindowPart() {
    // Where the build and the installation both put it beside the program.
    static const QString path = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                                QStringLiteral("/" LINVOX_WINDOW_PART_FROM_PROGRAM);
    // Loaded once and kept: the window and the boxes run in it until the program ends.
    static QLibrary module(path);
    module.setLoadHints(QLibrary::PreventUnloadHint);
    using PartFunction = const WindowPart* (*)();
    const auto part = reinterpret_cast<PartFunction>(module.resolve(kWindowPartSymbol));
    if (part == nullptr) {
        return Failure(FailureCode::WindowPartMissing, path, module.errorString());
    }
    return part();
}

}  // namespace linvox

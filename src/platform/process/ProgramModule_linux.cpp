// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/ProgramModule.h"

#include <map>

#include <QFileInfo>
#include <QLibrary>

namespace linvox {

Outcome<QFunctionPointer> ProgramModuleFunction(const QString& pathFromProgram, const char* symbol,
                                                FailureCode code) {
    static const QString programFolder =
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + u'/';
    // Loaded once and kept: what runs in it runs until the program ends.
    static std::map<QString, QLibrary> modules;
    const auto [found, added] =
        modules.try_emplace(pathFromProgram, programFolder + pathFromProgram);
    QLibrary& module = found->second;
    if (added) {
        module.setLoadHints(QLibrary::PreventUnloadHint);
    }
    if (const QFunctionPointer function = module.resolve(symbol)) {
        return function;
    }
    return Failure(code, module.fileName(), module.errorString());
}

}  // namespace linvox

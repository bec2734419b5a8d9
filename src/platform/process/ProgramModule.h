// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <QString>
#include <QtGlobal>

namespace linvox {

// A module that the program loads from beside itself when it is first wanted, at the same
// relative path in the build and the installation, and keeps until it ends: what it exports
// under symbol, or, failing with code, why it cannot be had (the loader's words as its detail).
Outcome<QFunctionPointer> ProgramModuleFunction(const QString& pathFromProgram, const char* symbol,
                                                FailureCode code);

}  // namespace linvox

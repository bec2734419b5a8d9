// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <cerrno>

#include <QString>

namespace linvox {

// Why a save of the file at path failed, told by the errno of the step that failed: the user's
// rights (SettingsFileNotWritable), or else the system (SettingsFileNotWritten).
inline Failure SaveFailure(const QString& path, int error) {
    const bool refused = error == EACCES || error == EPERM || error == EROFS;
    return Failure(
        refused ? FailureCode::SettingsFileNotWritable : FailureCode::SettingsFileNotWritten, path,
        {}, error);
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

#include <QString>

namespace linvox {

class Shell;

// Where users find help. Packagers set their own address here, in this one place.
inline const QString kSupportAddress = QStringLiteral("http://linvox.example/support");

// Opens address in the user's browser through the shell, with the wait cursor while the shell
// works, and tells the user when it cannot be opened. Never fails towards its caller.
void ExecuteLink(const QString& address, Shell& shell, MessageSink& messages);

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// The number text of a call request: the link's scheme words, "?call", brackets and dashes
// removed, "+3800" turned into "+380", and a text of exactly 11 characters cut to its last 10
// (a domestic number written with a leading trunk digit). Everything else stays, for the
// routing check to judge.
QString CleanLink(const QString& argumentText);

}  // namespace linvox

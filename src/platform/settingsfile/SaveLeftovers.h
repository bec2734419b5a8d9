// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// Removes what saves of the settings file left behind when they were ended before they finished
// (killed, or cut off by a power failure): the new contents not yet renamed into place
// ("<file>.save-*", and "<file>.unreadable-*.bak.save-*" of a copy being put aside) and the
// scratch folders ("<file>.scratch-*"); for a file kept elsewhere through a link, also the new
// contents beside the file it leads to. Saves write these only while they hold the settings
// file's lock, so call holding it: then none of them belongs to a save under way. Only names that
// Linvox gives are matched; the temporary files of QSettings, whose writers take the same lock,
// and anything else are left alone.
void RemoveLeftoversOfEndedSaves(const QString& settingsFilePath);

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

namespace linvox::testing {

// Centres of the window's controls in pixels (the form's twips / 15), where a test clicks.
constexpr QPoint kViewSwitch{48, 60};
constexpr QPoint kSearchButton{144, 116};
constexpr QPoint kSearchResults{144, 264};
constexpr QPoint kMtsPortField{424, 217};
constexpr QPoint kSinglePhoneOption{304, 352};
constexpr QPoint kSupportLink{170, 372};

}  // namespace linvox::testing

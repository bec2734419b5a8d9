// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QPoint>
#include <QRect>

namespace linvox::testing {

// Where a test clicks and reads the window's controls, in pixels of its client area (the form's
// twips / 15).

// The port fields (centres) and result labels (areas) of the port table, in its order: MTS,
// Kyivstar, Life, Beeline, every other number.
constexpr std::array<QPoint, 5> kPortFields{
    {{424, 217}, {424, 241}, {424, 265}, {424, 289}, {424, 313}}};
constexpr std::array<QRect, 5> kResultLabels{{{448, 208, 193, 17},
                                              {448, 232, 193, 17},
                                              {448, 256, 201, 17},
                                              {448, 280, 193, 17},
                                              {448, 304, 193, 17}}};

// Centres of controls.
constexpr QPoint kNumberField{120, 25};
constexpr QPoint kCallButton{284, 25};
constexpr QPoint kViewSwitch{48, 60};
constexpr QPoint kSearchButton{144, 116};
constexpr QPoint kCheckButton{424, 116};
constexpr QPoint kSearchResults{144, 264};
constexpr QPoint kMtsPortField = kPortFields[0];
constexpr QPoint kSinglePhoneOption{304, 352};
constexpr QPoint kSupportLink{170, 372};

// Areas: the operator labels of the port table together, the check button, and the frames
// around the progress bars of the search and the check.
constexpr QRect kOperatorLabels{296, 208, 113, 121};
constexpr QRect kCheckButtonArea{296, 104, 257, 25};
constexpr QRect kSearchProgress{16, 128, 257, 41};
constexpr QRect kCheckProgress{296, 128, 257, 41};

}  // namespace linvox::testing

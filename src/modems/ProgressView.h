// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Phrases.h"

#include <QString>

namespace linvox {

enum class BarColour {
    Highlight,  // the system's highlight colour, while a search or check runs
    Green,      // pure green, once it has finished
};

// A frame on the window with a progress bar in it. Widths are in twips, 15 to a pixel.
class ProgressView {
public:
    virtual ~ProgressView() = default;

    virtual void ShowBar() = 0;
    virtual void SetBarWidth(double twips) = 0;
    virtual void SetBarColour(BarColour colour) = 0;
    virtual void SetCaption(const QString& caption) = 0;
};

// The bar at its start and when full.
inline constexpr double kEmptyBarTwips = 2;
inline constexpr double kFullBarTwips = 3615;

// "Выполнено: " + percent + "%", in the language of the run.
inline QString DoneCaption(int percent) {
    return Say(Phrase::DoneCaption).arg(percent);
}

}  // namespace linvox

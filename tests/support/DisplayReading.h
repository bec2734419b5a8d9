// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VirtualDisplay.h"

#include <QImage>
#include <QString>

namespace linvox::testing {

// What a window on a virtual display shows, pixel by pixel, as xwd captures it; a null image
// when it cannot be captured.
QImage CaptureWindow(const VirtualDisplay& display, const QString& window);

// How many pixels of image are clearly coloured (not grey, not dark) with a hue within tolerance
// degrees of hue: 0 red, 60 yellow, 120 green. Styles shade a colour, so its hue is what stays.
int CountPixelsOfHue(const QImage& image, int hue, int tolerance);

// How many pixels of image are a grey of the given level (0 to 255), each channel within
// tolerance of it.
int CountGreyPixels(const QImage& image, int level, int tolerance);

// The text on the display's clipboard, as a program pasting it would get it; empty when there is
// none.
QString ClipboardText(const VirtualDisplay& display);

}  // namespace linvox::testing

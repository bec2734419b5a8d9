#pragma once

#include "VirtualDisplay.h"

#include <QImage>
#include <QString>

namespace linvox::testing {

// What a window on a virtual display shows, pixel by pixel, as xwd captures it; a null image
// when it cannot be captured.
QImage CaptureWindow(const VirtualDisplay& display, const QString& window);

// How many pixels of image are close to colour (each channel within tolerance).
int CountPixelsNear(const QImage& image, QColor colour, int tolerance);

// The text on the display's clipboard, as a program pasting it would get it; empty when there is
// none.
QString ClipboardText(const VirtualDisplay& display);

}  // namespace linvox::testing

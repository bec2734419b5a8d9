// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VirtualDisplay.h"

#include <chrono>

#include <QPoint>
#include <QSize>
#include <QStringList>

namespace linvox::testing {

// xdotool on a virtual display: finds windows by title and types and clicks as a user would.
class Xdotool {
public:
    explicit Xdotool(const VirtualDisplay& display) : m_display(display) {}

    // Runs xdotool with arguments; its standard output, or nothing if it failed.
    QString run(const QStringList& arguments) const;

    // Ids of the shown windows whose whole title is title.
    QStringList visibleWindows(const QString& title) const;

    // The id of the first shown window titled title once it appears; empty after timeout.
    QString waitForWindow(const QString& title, std::chrono::milliseconds timeout) const;

    // Gives window the keyboard focus and presses keys (xdotool key names) there.
    void pressKeys(const QString& window, const QStringList& keys) const;

    // Clicks the left button at a point of window, in its own coordinates.
    void click(const QString& window, QPoint point) const;

    // The size of window as the window system has it.
    QSize size(const QString& window) const;

private:
    const VirtualDisplay& m_display;
};

}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WinePrefix.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace linvox::testing {

// Presses Ctrl+C on a message box of a program in prefix, titled title, and returns its title and
// text; empty when its copy does not come or the clipboard cannot be emptied first.
QStringList ReadMessageBox(const VirtualDisplay& display, const WinePrefix& prefix,
                           const QString& box, const QString& title);

// linvox.exe's window under Wine, driven with the mouse and the keys on a virtual display as a
// user drives it, and read as a user can: its texts through the clipboard, its look as captured.
class WineWindowDriver {
public:
    // start: starts linvox.exe bare in prefix. Waits up to a minute for its window, which is
    // closed with the driver.
    WineWindowDriver(const VirtualDisplay& display, const WinePrefix& prefix,
                     const std::function<std::unique_ptr<QProcess>()>& start);
    ~WineWindowDriver();

    WineWindowDriver(const WineWindowDriver&) = delete;
    WineWindowDriver& operator=(const WineWindowDriver&) = delete;

    // The window's id, empty when it did not come.
    const QString& window() const { return m_window; }
    QProcess& process() { return *m_linvox; }
    const Xdotool& xdotool() const { return m_xdotool; }

    // Switches to the settings view; false when the window does not grow.
    bool openSettings() const;

    // Closes the window as a user does (Alt+F4); linvox.exe's exit status, or nothing when it
    // did not end.
    std::optional<int> close();

    // Clicks a button that warns first (the search, the check), reads the warning and closes it
    // with Enter; the warning's title and text, or nothing when no warning came.
    QStringList pressWarned(QPoint button) const;
    // The same without reading the warning; whether one came and went.
    bool pressAndConfirm(QPoint button) const;

    // The text of a text field, once Ctrl+A and Ctrl+C copy any; empty when none comes or the
    // clipboard cannot be emptied first.
    QString copiedText(QPoint field, std::chrono::milliseconds timeout) const;

    // Replaces the text of a field, typed.
    void retype(QPoint field, const QString& text) const;

    // What the window shows.
    QImage capture() const;

private:
    // A shown window titled as the program that is neither the window nor was there before it.
    QString newWindow() const;
    // Clicks button until its warning comes; the warning's id, empty when none came.
    QString clickForWarning(QPoint button) const;
    // Closes the warning with Enter; whether it went.
    bool confirm(const QString& warning) const;

    const VirtualDisplay& m_display;
    const WinePrefix& m_prefix;
    Xdotool m_xdotool;
    std::unique_ptr<QProcess> m_linvox;
    QStringList m_windowsBefore;
    QString m_window;
};

}  // namespace linvox::testing

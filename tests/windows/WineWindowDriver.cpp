// SPDX-License-Identifier: GPL-3.0-or-later
#include "WineWindowDriver.h"

#include "support/DisplayReading.h"
#include "support/EventLoop.h"
#include "support/FormPoints.h"

#include <QRegularExpression>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QString kProgramTitle = QStringLiteral("Linvox");
constexpr auto kWindowLimit = 60s;
// Now and then Wine lets a click pass unseen that comes right after earlier ones; a click made
// while the warning is up reaches no button, so a click is made again until the warning comes.
constexpr int kClicksForAWarning = 3;
constexpr auto kWarningLimit = 10s;
constexpr int kPressesToClose = 3;
constexpr auto kCloseWait = 8s;
constexpr auto kCloseLimit = 20s;

// The sections of a Windows message box as Ctrl+C copies it: title, text, buttons.
QStringList CopiedBoxSections(const QString& copied) {
    QStringList sections = copied.split(
        QRegularExpression(QStringLiteral("^-+$"), QRegularExpression::MultilineOption),
        Qt::SkipEmptyParts);
    for (QString& section : sections) {
        section = section.trimmed();
    }
    sections.removeAll(QString());
    return sections;
}

}  // namespace

QStringList ReadMessageBox(const VirtualDisplay& display, const WinePrefix& prefix,
                           const QString& box, const QString& title) {
    // What the clipboard held before is never taken for the box's copy.
    if (!prefix.emptyClipboard()) {
        return {};
    }
    Xdotool(display).pressKeys(box, {"ctrl+c"});
    QStringList copied;
    RunEventsUntil(
        [&] {
            copied = CopiedBoxSections(ClipboardText(display));
            return copied.value(0) == title;
        },
        10s);
    return copied.value(0) == title ? copied.mid(0, 2) : QStringList();
}

WineWindowDriver::WineWindowDriver(const VirtualDisplay& display, const WinePrefix& prefix,
                                   const std::function<std::unique_ptr<QProcess>()>& start)
    : m_display(display), m_prefix(prefix), m_xdotool(display) {
    m_windowsBefore = m_xdotool.visibleWindows(kProgramTitle);
    m_linvox = start();
    RunEventsUntil(
        [&] {
            m_window = newWindow();
            return !m_window.isEmpty();
        },
        kWindowLimit);
}

WineWindowDriver::~WineWindowDriver() {
    close();
}

std::optional<int> WineWindowDriver::close() {
    if (m_linvox->state() == QProcess::NotRunning || m_window.isEmpty()) {
        return std::nullopt;
    }
    m_xdotool.pressKeys(m_window, {"alt+F4"});
    if (!m_linvox->waitForFinished(
            static_cast<int>(std::chrono::milliseconds(kCloseLimit).count()))) {
        return std::nullopt;
    }
    return m_linvox->exitCode();
}

QString WineWindowDriver::newWindow() const {
    for (const QString& window : m_xdotool.visibleWindows(kProgramTitle)) {
        if (window != m_window && !m_windowsBefore.contains(window)) {
            return window;
        }
    }
    return {};
}

bool WineWindowDriver::openSettings() const {
    const int compactHeight = m_xdotool.size(m_window).height();
    m_xdotool.click(m_window, kViewSwitch);
    return RunEventsUntil([&] { return m_xdotool.size(m_window).height() > compactHeight; }, 10s);
}

QStringList WineWindowDriver::pressWarned(QPoint button) const {
    const QString warning = clickForWarning(button);
    if (warning.isEmpty()) {
        return {};
    }
    const QStringList read = ReadMessageBox(m_display, m_prefix, warning, kProgramTitle);
    return confirm(warning) ? read : QStringList();
}

bool WineWindowDriver::pressAndConfirm(QPoint button) const {
    const QString warning = clickForWarning(button);
    return !warning.isEmpty() && confirm(warning);
}

QString WineWindowDriver::clickForWarning(QPoint button) const {
    QString warning;
    for (int click = 0; click < kClicksForAWarning && warning.isEmpty(); ++click) {
        m_xdotool.click(m_window, button);
        RunEventsUntil(
            [&] {
                warning = newWindow();
                return !warning.isEmpty();
            },
            kWarningLimit);
    }
    return warning;
}

bool WineWindowDriver::confirm(const QString& warning) const {
    // A key that comes while the box is still being set up is lost: Enter is pressed again until
    // the box goes (Wine takes two seconds to hide a window where no window manager answers it).
    for (int press = 0; press < kPressesToClose; ++press) {
        m_xdotool.run({"windowfocus", "--sync", warning, "key", "--clearmodifiers", "Return"});
        if (RunEventsUntil([&] { return newWindow().isEmpty(); }, kCloseWait)) {
            return true;
        }
    }
    return false;
}

QString WineWindowDriver::copiedText(QPoint field, std::chrono::milliseconds timeout) const {
    if (!m_prefix.emptyClipboard()) {
        return {};
    }
    QString text;
    RunEventsUntil(
        [&] {
            // The click gives the window and the field the focus.
            m_xdotool.run({"mousemove", "--window", m_window, QString::number(field.x()),
                           QString::number(field.y()), "click", "1", "key", "--clearmodifiers",
                           "ctrl+a", "ctrl+c"});
            text = ClipboardText(m_display);
            return !text.isEmpty();
        },
        timeout);
    return text;
}

void WineWindowDriver::retype(QPoint field, const QString& text) const {
    QStringList keys{"ctrl+a"};
    for (const QChar character : text) {
        keys.append(character);
    }
    m_xdotool.click(m_window, field);
    m_xdotool.pressKeys(m_window, keys);
}

QImage WineWindowDriver::capture() const {
    return CaptureWindow(m_display, m_window);
}

}  // namespace linvox::testing

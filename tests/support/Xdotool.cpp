// SPDX-License-Identifier: GPL-3.0-or-later
#include "Xdotool.h"

#include "EventLoop.h"

#include <QProcess>
#include <QRegularExpression>

namespace linvox::testing {
namespace {

constexpr int kCommandTimeoutMs = 10000;

}  // namespace

QString Xdotool::run(const QStringList& arguments) const {
    QProcess xdotool;
    xdotool.setProcessEnvironment(m_display.environment());
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(kCommandTimeoutMs) || xdotool.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(xdotool.readAllStandardOutput());
}

QStringList Xdotool::visibleWindows(const QString& title) const {
    const QString pattern = QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
    return run({"search", "--onlyvisible", "--name", pattern}).split(u'\n', Qt::SkipEmptyParts);
}

QString Xdotool::waitForWindow(const QString& title, std::chrono::milliseconds timeout) const {
    QString window;
    RunEventsUntil(
        [&] {
            const QStringList found = visibleWindows(title);
            window = found.isEmpty() ? QString() : found.first();
            return !window.isEmpty();
        },
        timeout);
    return window;
}

void Xdotool::pressKeys(const QString& window, const QStringList& keys) const {
    run({"windowfocus", "--sync", window});
    run(QStringList{"key", "--clearmodifiers"} + keys);
}

}  // namespace linvox::testing

namespace linvox::testing {

void Xdotool::click(const QString& window, QPoint point) const {
    run({"mousemove", "--window", window, QString::number(point.x()), QString::number(point.y()),
         "click", "1"});
}

QSize Xdotool::size(const QString& window) const {
    static const QRegularExpression geometry(QStringLiteral("Geometry: (\\d+)x(\\d+)"));
    const QRegularExpressionMatch match = geometry.match(run({"getwindowgeometry", window}));
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

}  // namespace linvox::testing

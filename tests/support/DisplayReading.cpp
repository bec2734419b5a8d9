// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayReading.h"

#include <algorithm>
#include <cstdlib>

#include <QProcess>

namespace linvox::testing {
namespace {

constexpr int kCommandTimeoutMs = 10000;

}  // namespace

QImage CaptureWindow(const VirtualDisplay& display, const QString& window) {
    QProcess capture;
    QProcess convert;
    capture.setProcessEnvironment(display.environment());
    capture.setStandardOutputProcess(&convert);
    convert.start(QStringLiteral("xwdtopnm"), {});
    capture.start(QStringLiteral("xwd"),
                  {QStringLiteral("-silent"), QStringLiteral("-id"), window});
    // The converter first: its output is read only while it is waited for, and a window larger
    // than a pipe holds would stall both until then.
    convert.waitForFinished(kCommandTimeoutMs);
    capture.waitForFinished(kCommandTimeoutMs);
    return QImage::fromData(convert.readAllStandardOutput(), "PPM");
}

int CountPixelsOfHue(const QImage& image, int hue, int tolerance) {
    constexpr int kClearlyColoured = 96;
    constexpr int kFullCircle = 360;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y).toHsv();
            const int distance = std::abs(pixel.hsvHue() - hue) % kFullCircle;
            if (pixel.hsvSaturation() >= kClearlyColoured && pixel.value() >= kClearlyColoured &&
                std::min(distance, kFullCircle - distance) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

int CountGreyPixels(const QImage& image, int level, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - level) <= tolerance &&
                std::abs(pixel.green() - level) <= tolerance &&
                std::abs(pixel.blue() - level) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

QString ClipboardText(const VirtualDisplay& display) {
    QProcess paste;
    paste.setProcessEnvironment(display.environment());
    paste.start(QStringLiteral("xclip"), {QStringLiteral("-out"), QStringLiteral("-selection"),
                                          QStringLiteral("clipboard")});
    if (!paste.waitForFinished(kCommandTimeoutMs) || paste.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(paste.readAllStandardOutput());
}

}  // namespace linvox::testing

#include "DisplayReading.h"

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
    capture.waitForFinished(kCommandTimeoutMs);
    convert.waitForFinished(kCommandTimeoutMs);
    return QImage::fromData(convert.readAllStandardOutput(), "PPM");
}

int CountPixelsNear(const QImage& image, QColor colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) <= tolerance &&
                std::abs(pixel.green() - colour.green()) <= tolerance &&
                std::abs(pixel.blue() - colour.blue()) <= tolerance) {
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReadableColours.h"

#include "app/LabelTextRect.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QPainter>

namespace linvox {
namespace {

constexpr double kReadableContrast = 4.5;
// The light grey of a classic window, on which the form's blue and orange were chosen.
const QColor kLightWindowFace(0xF0, 0xF0, 0xF0);
// The form fixes its colours for the active and the inactive window alike.
constexpr QPalette::ColorGroup kFixedGroups[] = {QPalette::Active, QPalette::Inactive};

// Fills the rectangle behind a label's text with the label's background before the label draws
// the text: the text reads, and the rest of the label stays in the theme's colour.
class TextBackdrop : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* label = static_cast<QLabel*>(watched);
        if (event->type() == QEvent::Paint && !label->text().isEmpty()) {
            QPainter(label).fillRect(LabelTextRect(*label).adjusted(-1, 0, 1, 0),
                                     label->palette().brush(label->backgroundRole()));
        }
        return false;
    }
};

double RelativeLuminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableText(const QColor& preferred, const QColor& background) {
    if (ContrastRatio(preferred, background) >= kReadableContrast) {
        return preferred;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

QColor ReadableBackground(const QColor& text, const QColor& themeBackground) {
    if (ContrastRatio(text, themeBackground) < kReadableContrast &&
        ContrastRatio(text, kLightWindowFace) >= kReadableContrast) {
        return kLightWindowFace;
    }
    return themeBackground;
}

void MakeTextReadable(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : kFixedGroups) {
        palette.setColor(
            group, text,
            ReadableText(palette.color(group, text), palette.color(group, background)));
    }
    widget->setPalette(palette);
}

void MakeBackgroundReadable(QLabel* label) {
    QPalette palette = label->palette();
    bool changed = false;
    for (const QPalette::ColorGroup group : kFixedGroups) {
        const QColor theme = palette.color(group, label->backgroundRole());
        const QColor readable =
            ReadableBackground(palette.color(group, label->foregroundRole()), theme);
        changed = changed || readable != theme;
        palette.setColor(group, label->backgroundRole(), readable);
    }
    if (changed) {
        label->setPalette(palette);
        label->installEventFilter(new TextBackdrop(label));
    }
}

}  // namespace linvox

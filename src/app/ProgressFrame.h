// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgressShape.h"
#include "modems/ProgressView.h"

#include <algorithm>
#include <cmath>

#include <QGroupBox>

namespace linvox {

// Paints a search's or check's progress on a frame of the window: its caption, and its bar,
// which keeps its left edge and height. A screen reader hears the bar as a progress bar named by
// the caption. View is the interface of the search or check.
template <typename View>
class ProgressFrame : public View {
public:
    ProgressFrame(QGroupBox* frame, ProgressShape* bar) : m_frame(frame), m_bar(bar) {
        m_bar->setBackgroundRole(QPalette::Highlight);
        m_bar->setAccessibleName(m_frame->title());
    }

    void ShowBar() override { m_bar->show(); }

    void SetBarWidth(double twips) override {
        constexpr double kTwipsPerPixel = 15;
        // A bar of a few twips is still drawn, as a sliver.
        const int pixels = std::max(1, static_cast<int>(std::lround(twips / kTwipsPerPixel)));
        m_bar->resize(pixels, m_bar->height());
        // The share of its way from empty to full.
        const double share = (twips - kEmptyBarTwips) / (kFullBarTwips - kEmptyBarTwips);
        m_bar->setValue(std::clamp(static_cast<int>(std::lround(share * 100)), 0, 100));
    }

    void SetBarColour(BarColour colour) override {
        QPalette palette = m_bar->palette();
        palette.setColor(QPalette::Window, QColor(0x00, 0xFF, 0x00));
        m_bar->setPalette(palette);
        m_bar->setBackgroundRole(colour == BarColour::Green ? QPalette::Window
                                                            : QPalette::Highlight);
    }

    void SetCaption(const QString& caption) override {
        m_frame->setTitle(caption);
        m_bar->setAccessibleName(caption);
    }

private:
    QGroupBox* m_frame;
    ProgressShape* m_bar;
};

}  // namespace linvox

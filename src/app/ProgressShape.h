// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressBar>

namespace linvox {

// The bar of a search's or check's progress as the window draws it: a rectangle filled with its
// background colour, whose width shows how far the work has got. Assistive technology meets it
// as a progress bar from 0 to 100, named by its accessible name.
class ProgressShape : public QProgressBar {
    Q_OBJECT

public:
    explicit ProgressShape(QWidget* parent = nullptr);

protected:
    // The filled background is the whole drawing.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressShape.h"

namespace linvox {

ProgressShape::ProgressShape(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void ProgressShape::paintEvent(QPaintEvent*) {}

}  // namespace linvox

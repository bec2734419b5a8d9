// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QRect>

namespace linvox {

// Where a label's text stands within it, laid out as the label lays it out.
inline QRect LabelTextRect(const QLabel& label) {
    const int flags =
        static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    return label.fontMetrics().boundingRect(label.contentsRect(), flags, label.text());
}

}  // namespace linvox

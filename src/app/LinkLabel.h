// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace linvox {

// A label that works as a link: a click of the left mouse button opens it, and so does Enter
// once Tab has reached it. Assistive technology announces it as a link it can press.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

    // Reports the link as clicked, whichever way it was pressed.
    void Activate();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LinkLabel.h"

#include "app/LabelTextRect.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace linvox {
namespace {

// A link to assistive technology: its name is the label's text, and it can be pressed.
class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return static_cast<const LinkLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State linkState = QAccessibleWidget::state();
        linkState.linked = true;
        return linkState;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            static_cast<LinkLabel*>(widget())->Activate();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

QAccessibleInterface* AccessibleLinkFor(const QString&, QObject* object) {
    auto* label = qobject_cast<LinkLabel*>(object);
    return label ? new AccessibleLink(label) : nullptr;
}

}  // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    static const bool accessibleAsLink = (QAccessible::installFactory(AccessibleLinkFor), true);
    Q_UNUSED(accessibleAsLink);
    // Reached by Tab alone: a click opens the link without leaving a focus frame behind.
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::Activate() {
    emit clicked();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Activate();
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Activate();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QStylePainter painter(this);
    QStyleOptionFocusRect focusFrame;
    focusFrame.initFrom(this);
    focusFrame.backgroundColor = palette().color(backgroundRole());
    focusFrame.rect = LabelTextRect(*this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focusFrame);
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

namespace linvox {

// WCAG's contrast ratio of two colours: 1 for the same luminance, 21 for black on white.
double ContrastRatio(const QColor& first, const QColor& second);

// The colour of text on background: preferred where it reads (4.5:1, as WCAG asks of body
// text), else black or white, whichever reads better.
QColor ReadableText(const QColor& preferred, const QColor& background);

// The background under text in a fixed colour: the light window face the form's colours were
// chosen for where the text reads there but not on the theme's; else the theme's.
QColor ReadableBackground(const QColor& text, const QColor& themeBackground);

// Gives widget's text role a colour that reads on its background role, which the form fixes.
void MakeTextReadable(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text);

// Puts a background the text reads on behind a label whose text colour the form fixes, where the
// theme's does not do.
void MakeBackgroundReadable(QLabel* label);

}  // namespace linvox

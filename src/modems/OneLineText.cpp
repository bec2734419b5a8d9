// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/OneLineText.h"

namespace linvox {

QString OneLineText(const QString& text) {
    QString line = text;
    for (QChar& c : line) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            c = QChar::ReplacementCharacter;
        }
    }
    return line;
}

}  // namespace linvox

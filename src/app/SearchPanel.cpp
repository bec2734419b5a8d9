// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SearchPanel.h"

namespace linvox {

SearchPanel::SearchPanel(QGroupBox* frame, ProgressShape* bar, QPlainTextEdit* results)
    : ProgressFrame(frame, bar), m_results(results) {}

void SearchPanel::SetResultText(const QString& text) {
    // Entries are joined with CR LF; the box breaks lines at LF and would show the CR too.
    m_results->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CheckPanel.h"

namespace linvox {

CheckPanel::CheckPanel(QGroupBox* frame, ProgressShape* bar, const PortRows& rows,
                       QRadioButton* singlePhone)
    : ProgressFrame(frame, bar), m_rows(rows), m_singlePhone(singlePhone) {}

bool CheckPanel::SinglePhoneSelected() const {
    return m_singlePhone->isChecked();
}

QString CheckPanel::PortFieldText(std::size_t row) const {
    return m_rows.at(row).field->text();
}

void CheckPanel::SetRowResult(std::size_t row, const QString& text) {
    QLabel* result = m_rows.at(row).resultLabel;
    result->setText(text);
    // A result may run past the window's edge, as a long model name does: its tooltip is whole.
    result->setToolTip(text);
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgressFrame.h"
#include "modems/SearchModemPorts.h"

#include <QPlainTextEdit>

namespace linvox {

// The port search's part of the window: Frame1 with its bar Shape1, and the result box Text4.
class SearchPanel final : public ProgressFrame<SearchView> {
public:
    SearchPanel(QGroupBox* frame, ProgressShape* bar, QPlainTextEdit* results);

    void SetResultText(const QString& text) override;

private:
    QPlainTextEdit* m_results;
};

}  // namespace linvox

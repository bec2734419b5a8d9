// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/CheckSelectedPorts.h"
#include "modems/SearchModemPorts.h"

#include <array>

#include <QStringList>

namespace linvox::testing {

// Logs what a search or check paints on its frame: "bar", "width=723", "colour=green",
// "caption=Выполнено: 20%", and whatever the view adds.
template <typename View>
class RecordingProgress : public View {
public:
    void ShowBar() override { log.append(QStringLiteral("bar")); }
    void SetBarWidth(double twips) override { log.append(QStringLiteral("width=%1").arg(twips)); }
    void SetBarColour(BarColour colour) override {
        log.append(colour == BarColour::Green ? QStringLiteral("colour=green")
                                              : QStringLiteral("colour=highlight"));
    }
    void SetCaption(const QString& caption) override { log.append("caption=" + caption); }

    // Only what the log holds of one kind, e.g. every "caption=".
    QStringList logged(const QString& kind) const { return log.filter(kind + u'='); }

    QStringList log;
};

// The captions a search or check logs: its wait caption, then "Выполнено: " and each percentage.
inline QStringList ProgressCaptions(Phrase wait, const QList<int>& percents) {
    QStringList captions{"caption=" + Say(wait)};
    for (const int percent : percents) {
        captions.append("caption=" + DoneCaption(percent));
    }
    return captions;
}

struct RecordingSearchView : RecordingProgress<SearchView> {
    void SetResultText(const QString& text) override {
        log.append("result=" + text);
        resultText = text;
    }
    QString resultText;
};

struct RecordingCheckView : RecordingProgress<CheckView> {
    bool SinglePhoneSelected() const override { return singlePhone; }
    QString PortFieldText(std::size_t row) const override { return fields.at(row); }
    void SetRowResult(std::size_t row, const QString& text) override { results.at(row) = text; }

    bool singlePhone = false;
    std::array<QString, kPortRowCount> fields;
    std::array<QString, kPortRowCount> results;
};

}  // namespace linvox::testing

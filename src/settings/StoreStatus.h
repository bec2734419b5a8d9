// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Phrases.h"

#include <QString>

namespace linvox {

// The outcome of a write to the settings store: stored, or refused with a reason for the user.
// A stored write may carry a notice the user should read, such as where an unreadable settings
// file was put aside.
class [[nodiscard]] StoreStatus {
public:
    static StoreStatus Stored(QString notice = {}) { return StoreStatus(true, std::move(notice)); }
    static StoreStatus Refused(QString reason) { return StoreStatus(false, std::move(reason)); }

    bool stored() const { return m_stored; }
    // Why the write was refused, or the notice of a stored one (empty when there is none).
    const QString& text() const { return m_text; }

private:
    StoreStatus(bool stored, QString text) : m_stored(stored), m_text(std::move(text)) {}

    bool m_stored;
    QString m_text;
};

// What the user is told when a setting could not be saved, with the store's reason.
inline QString RefusedSettingText(const QString& reason) {
    return Say(Phrase::SettingNotSaved).arg(reason);
}

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Phrases.h"

#include <QString>

namespace linvox {

// Why a call or a probe could not use its port; callers decide by kind, never by wording.
enum class LineFailure {
    None,
    InvalidPortNumber,     // the port number names no usable device
    DeviceNotOpen,         // the device cannot be reached
    PortAlreadyOpen,       // another program holds the port
    AccessDenied,          // the user may not open the device
    StoredNumberOverflow,  // the stored port number does not fit 16 bits
    UnreadableSettings,    // the settings cannot be read, so no port is known
    System,                // anything else, told by the system's own description
};

// The outcome of an operation on the serial line: done, or failed with a kind and a description.
// The three usual kinds carry the serial component's own descriptions; the messages of the dial
// routine and of the port probe word those three by kind, and show every other one's
// description.
class [[nodiscard]] LineStatus {
public:
    static LineStatus Done() { return LineStatus(LineFailure::None, QString()); }
    static LineStatus InvalidPortNumber() {
        return LineStatus(LineFailure::InvalidPortNumber, QStringLiteral("Invalid port number"));
    }
    static LineStatus DeviceNotOpen() {
        return LineStatus(LineFailure::DeviceNotOpen, QStringLiteral("The device is not open"));
    }
    static LineStatus PortAlreadyOpen() {
        return LineStatus(LineFailure::PortAlreadyOpen, QStringLiteral("Port already open"));
    }
    // The device exists but the user's rights do not let them open it: the description names the
    // device and the group that usually grants access, and says how to join it.
    static LineStatus AccessDenied(const QString& device, const QString& group) {
        return LineStatus(LineFailure::AccessDenied,
                          Say(Phrase::NoAccessToPort).arg(device, group));
    }
    // Shown by its name, as the serial component's callers have always shown an overflow.
    static LineStatus StoredNumberOverflow() {
        return LineStatus(LineFailure::StoredNumberOverflow, Say(Phrase::Overflow));
    }
    // reason: why the settings store cannot be read, naming it.
    static LineStatus UnreadableSettings(const QString& reason) {
        return LineStatus(LineFailure::UnreadableSettings,
                          Say(Phrase::SettingsNotRead).arg(reason));
    }
    static LineStatus System(QString description) {
        return LineStatus(LineFailure::System, std::move(description));
    }

    bool done() const { return m_failure == LineFailure::None; }
    LineFailure failure() const { return m_failure; }
    const QString& description() const { return m_description; }

    friend bool operator==(const LineStatus&, const LineStatus&) = default;

private:
    LineStatus(LineFailure failure, QString description)
        : m_failure(failure), m_description(std::move(description)) {}

    LineFailure m_failure;
    QString m_description;
};

}  // namespace linvox

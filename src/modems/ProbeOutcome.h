// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <optional>

#include <QString>

namespace linvox {

// What a probe found on a port.
class ProbeOutcome {
public:
    // A silent device is one that sent nothing in time, or nothing but unsolicited result codes.
    enum class Kind {
        Answered,     // the device's cleaned answer
        ListedModem,  // a silent device, on a port where the system lists a modem: its name
        NoModem,      // a silent device, on a port where the system lists none
        NoData,       // a device that answered only with what cleaning removes, every time
        Failed,       // the port or the system's modem list failed
    };

    static ProbeOutcome Answered(QString answer) { return {Kind::Answered, std::move(answer)}; }
    static ProbeOutcome ListedModem(QString name) { return {Kind::ListedModem, std::move(name)}; }
    static ProbeOutcome NoModem() { return {Kind::NoModem, {}}; }
    static ProbeOutcome NoData() { return {Kind::NoData, {}}; }
    static ProbeOutcome Failed(Failure failure) {
        ProbeOutcome outcome{Kind::Failed, {}};
        outcome.m_failure = std::move(failure);
        return outcome;
    }

    Kind kind() const { return m_kind; }
    // The device's cleaned answer, or the listed modem's name; empty for the other kinds.
    const QString& found() const { return m_found; }
    // Why it failed; only for Failed.
    const std::optional<Failure>& failure() const { return m_failure; }

    // Whether the search and the check take the port for one with nothing on it: it failed, or a
    // silent device with no modem listed. Callers once told this by the result text "ER", so a
    // device whose whole cleaned answer is "ER" counts too.
    bool FoundNothing() const {
        return m_kind == Kind::Failed || m_kind == Kind::NoModem ||
               (m_kind == Kind::Answered && m_found == u"ER");
    }

    friend bool operator==(const ProbeOutcome&, const ProbeOutcome&) = default;

private:
    ProbeOutcome(Kind kind, QString found) : m_kind(kind), m_found(std::move(found)) {}

    Kind m_kind;
    QString m_found;
    std::optional<Failure> m_failure;
};

// The text that tells the user what a probe found: the answer or the modem's name, "Неизвестно"
// for a silent port with no modem listed, "Нет данных", or, for a failure, ProbeErrorText.
QString ProbeResultText(const ProbeOutcome& outcome);

// The short text for a failure: "Неверный порт", "Не удаётся подключиться" or "Порт модема
// используется другой программой" for the three usual kinds of the serial line, else the failure
// in its own words.
QString ProbeErrorText(const Failure& failure);

}  // namespace linvox

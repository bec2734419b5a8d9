// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/SerialLine.h"
#include "messages/Phrases.h"
#include "modems/ModemInventory.h"

#include <chrono>

#include <QString>

namespace linvox {

// The command that asks a phone or modem for its model.
inline const QString kIdentifyCommand = QStringLiteral("AT+GMM");

// Whether a probe words for the user what it could not find. The report flag was a 16-bit number
// of which only exactly 1 counted; the callers only ever passed 0 or 1.
enum class ProbeMode { Silent, Report };

// What a probe found on a port, and the text it gives for that: the probe's result text.
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
    static ProbeOutcome NoModem(ProbeMode mode) {
        return {Kind::NoModem, mode == ProbeMode::Report ? Say(Phrase::ProbeUnknown) : kFailure};
    }
    static ProbeOutcome NoData() { return {Kind::NoData, Say(Phrase::ProbeNoData)}; }
    // reportedText: why, in words for the user; a silent probe gives the failure text.
    static ProbeOutcome Failed(ProbeMode mode, QString reportedText) {
        return {Kind::Failed, mode == ProbeMode::Report ? std::move(reportedText) : kFailure};
    }

    Kind kind() const { return m_kind; }
    const QString& text() const { return m_text; }

    // Whether the search and the check take the port for one with nothing on it: it failed, or
    // a silent probe found no modem there. The callers told this by comparing the whole result
    // with the failure text "ER", so a device whose cleaned answer is exactly "ER" counts too.
    bool FoundNothing() const {
        return m_text == kFailure &&
               (m_kind == Kind::Failed || m_kind == Kind::NoModem || m_kind == Kind::Answered);
    }

    friend bool operator==(const ProbeOutcome&, const ProbeOutcome&) = default;

private:
    static inline const QString kFailure = QStringLiteral("ER");

    ProbeOutcome(Kind kind, QString text) : m_kind(kind), m_text(std::move(text)) {}

    Kind m_kind;
    QString m_text;
};

// Asks the device on one port what it is.
class PortProbe {
public:
    virtual ~PortProbe() = default;

    // Sends command (nothing when empty) with a CR to port portNumber and gives the device's
    // cleaned answer; when the device stays silent, or sends only unsolicited result codes, the
    // name of the modem the system lists on the port, or NoModem. A failure gives Failed, worded by
    // ProbeErrorText in report mode: nothing fails towards the caller. The port is left open.
    virtual ProbeOutcome ProbePort(const QString& command, qint16 portNumber, ProbeMode mode) = 0;
};

// The probe on the program's serial line. The first byte is awaited for 149,999 polls and the
// answer gathered for 50,000 reads; at a poll of 10 µs and a read of 20 µs that is 1.5 s with
// the window's events running and then 1 s without, on any machine. A device that answers only
// with what cleaning removes is asked again, three times in all.
class SerialPortProbe : public PortProbe {
public:
    static constexpr int kFirstBytePolls = 149'999;
    static constexpr std::chrono::microseconds kPollTime{10};
    static constexpr int kReads = 50'000;
    static constexpr std::chrono::microseconds kReadTime{20};
    static constexpr int kAttempts = 3;
    // A flooding device is read for the whole read time; what it sends beyond this is dropped.
    static constexpr qsizetype kKeptAnswerBytes = 64 * 1024;

    SerialPortProbe(SerialLine& line, ModemInventory& inventory);

    ProbeOutcome ProbePort(const QString& command, qint16 portNumber, ProbeMode mode) override;

private:
    struct Answer {
        QByteArray gathered;
        // How much of gathered the cleaning sees: all but the last read's bytes.
        qsizetype cleanedLength = 0;
    };

    // Opens the port afresh and sends command with a CR (nothing when empty).
    LineStatus Ask(qint16 portNumber, const QString& command);
    void GatherAnswer(Answer& answer);
    // The name of the modem the system lists on the port, else unlisted.
    ProbeOutcome ListedNameOr(qint16 portNumber, const ProbeOutcome& unlisted, ProbeMode mode);

    SerialLine& m_line;
    ModemInventory& m_inventory;
};

// The short text for a failure: "Неверный порт", "Не удаётся подключиться" or "Порт модема
// используется другой программой" for the three usual kinds, else its description unchanged.
QString ProbeErrorText(const LineStatus& failure);

}  // namespace linvox

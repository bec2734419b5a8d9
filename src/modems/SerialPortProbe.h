// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"
#include "line/SerialLine.h"
#include "modems/ModemInventory.h"
#include "modems/PortProbe.h"

#include <chrono>

namespace linvox {

// The probe on the program's serial line. The first byte is awaited for 149,999 polls and the
// answer gathered for 50,000 reads; at a poll of 10 µs and a read of 20 µs that is 1.5 s with
// the window's events running and then 1 s without, on any machine. A device that answers only
// with what cleaning removes is asked again, three times in all. A port whose modem another
// program manages is not asked: its model is the one the manager reports.
class SerialPortProbe : public PortProbe {
public:
    static constexpr int kFirstBytePolls = 149'999;
    static constexpr std::chrono::microseconds kPollTime{10};
    static constexpr int kReads = 50'000;
    static constexpr std::chrono::microseconds kReadTime{20};
    static constexpr int kAttempts = 3;
    // A flooding device is read for the whole read time; what it sends beyond this is dropped.
    static constexpr qsizetype kKeptAnswerBytes = 64 * 1024;

    SerialPortProbe(SerialLine& line, ManagedModems& managed, ModemInventory& inventory);

    ProbeOutcome ProbePort(const QString& command, qint16 portNumber) override;

private:
    struct Answer {
        QByteArray gathered;
        // How much of gathered the cleaning sees: all but the last read's bytes.
        qsizetype cleanedLength = 0;
    };

    // Opens the port afresh and sends command with a CR (nothing when empty).
    Status Ask(qint16 portNumber, const QString& command);
    void GatherAnswer(Answer& answer);
    // The name of the modem the system lists on the port, else unlisted.
    ProbeOutcome ListedNameOr(qint16 portNumber, const ProbeOutcome& unlisted);

    SerialLine& m_line;
    ManagedModems& m_managed;
    ModemInventory& m_inventory;
};

}  // namespace linvox

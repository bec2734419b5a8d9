#pragma once

#include "line/SerialLine.h"
#include "modems/ModemInventory.h"

#include <chrono>

#include <QString>

namespace linvox {

// The command that asks a phone or modem for its model.
inline const QString kIdentifyCommand = QStringLiteral("AT+GMM");

// Report flags of ProbePort: only exactly kReportMode words failures for the user.
inline constexpr qint16 kSilentMode = 0;
inline constexpr qint16 kReportMode = 1;

// What ProbePort gives in silent mode for a port with nothing to show; callers compare with it.
inline const QString kProbeFailed = QStringLiteral("ER");
// In report mode, for a silent device on a port where the system lists no modem.
inline const QString kUnknownDevice = QStringLiteral("Неизвестно");
// For a device whose every answer was only its echo and "OK", on a port with no listed modem.
inline const QString kNoAnswerData = QStringLiteral("Нет данных");

// Asks the device on one port what it is.
class PortProbe {
public:
    virtual ~PortProbe() = default;

    // Sends command (nothing when empty) with a CR to port portNumber and gives the cleaned
    // answer; when the device stays silent, the listed modem's name ("(name)"), else
    // kUnknownDevice in report mode or kProbeFailed in silent mode. A failure gives
    // ProbeErrorText of it in report mode and kProbeFailed in silent mode: nothing
    // fails towards the caller. The port is left open.
    virtual QString ProbePort(const QString& command, qint16 portNumber, qint16 report) = 0;
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

    QString ProbePort(const QString& command, qint16 portNumber, qint16 report) override;

private:
    struct Answer {
        QByteArray gathered;
        // How much of gathered the cleaning sees: all but the last read's bytes.
        qsizetype cleanedLength = 0;
    };

    // Opens the port afresh and sends command with a CR (nothing when empty).
    LineStatus Ask(qint16 portNumber, const QString& command);
    void GatherAnswer(Answer& answer);
    QString ListedNameOr(qint16 portNumber, const QString& unlisted, bool reporting);

    SerialLine& m_line;
    ModemInventory& m_inventory;
};

// The short text for a failure: "Неверный порт", "Не удаётся подключиться" or "Порт модема
// используется другой программой" for the three usual kinds, else its description unchanged.
QString ProbeErrorText(const LineStatus& failure);

}  // namespace linvox

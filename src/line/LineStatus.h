#pragma once

#include <QString>

namespace linvox {

// What went wrong on the serial line; callers decide by kind, never by wording.
enum class LineFailure {
    None,
    InvalidPortNumber,  // the port number names no usable device
    DeviceNotOpen,      // the device cannot be reached
    PortAlreadyOpen,    // another program holds the port
    AccessDenied,       // the user may not open the device
    Other,              // anything else, told by its description alone
};

// The outcome of an operation on the serial line: done, or failed with a kind and a description.
// The three usual failures carry the serial component's own texts below, which the messages of
// the dial routine and the port probe are chosen by.
class [[nodiscard]] LineStatus {
public:
    static inline const QString kInvalidPortNumber = QStringLiteral("Invalid port number");
    static inline const QString kDeviceNotOpen = QStringLiteral("The device is not open");
    static inline const QString kPortAlreadyOpen = QStringLiteral("Port already open");

    static LineStatus Done() { return LineStatus(LineFailure::None, QString()); }
    static LineStatus InvalidPortNumber() {
        return LineStatus(LineFailure::InvalidPortNumber, kInvalidPortNumber);
    }
    static LineStatus DeviceNotOpen() {
        return LineStatus(LineFailure::DeviceNotOpen, kDeviceNotOpen);
    }
    static LineStatus PortAlreadyOpen() {
        return LineStatus(LineFailure::PortAlreadyOpen, kPortAlreadyOpen);
    }
    // The device exists but the user's rights do not let them open it: the description names the
    // device and the group that usually grants access, and says how to join it.
    static LineStatus AccessDenied(const QString& device, const QString& group) {
        return LineStatus(
            LineFailure::AccessDenied,
            QStringLiteral("Нет доступа к порту модема %1. Доступ к нему даёт группа %2: "
                           "добавьте себя в неё (sudo adduser $USER %2) и войдите в систему "
                           "заново.")
                .arg(device, group));
    }
    // A failure told by its description; one of the three texts above gives that kind.
    static LineStatus Failed(QString description) {
        const LineFailure failure = description == kInvalidPortNumber
                                        ? LineFailure::InvalidPortNumber
                                    : description == kDeviceNotOpen   ? LineFailure::DeviceNotOpen
                                    : description == kPortAlreadyOpen ? LineFailure::PortAlreadyOpen
                                                                      : LineFailure::Other;
        return LineStatus(failure, std::move(description));
    }

    bool done() const { return m_failure == LineFailure::None; }
    LineFailure failure() const { return m_failure; }
    const QString& description() const { return m_description; }

private:
    LineStatus(LineFailure failure, QString description)
        : m_failure(failure), m_description(std::move(description)) {}

    LineFailure m_failure;
    QString m_description;
};

}  // namespace linvox

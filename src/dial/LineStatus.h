#pragma once

#include <QString>

namespace linvox {

// The outcome of an operation on the serial line: done, or failed with a description. Callers
// tell the usual failures apart by comparing the description with the three texts below.
class [[nodiscard]] LineStatus {
public:
    static inline const QString kInvalidPortNumber = QStringLiteral("Invalid port number");
    static inline const QString kDeviceNotOpen = QStringLiteral("The device is not open");
    static inline const QString kPortAlreadyOpen = QStringLiteral("Port already open");

    static LineStatus Done() { return LineStatus(true, QString()); }
    static LineStatus InvalidPortNumber() { return Failed(kInvalidPortNumber); }
    static LineStatus DeviceNotOpen() { return Failed(kDeviceNotOpen); }
    static LineStatus PortAlreadyOpen() { return Failed(kPortAlreadyOpen); }
    static LineStatus Failed(QString description) {
        return LineStatus(false, std::move(description));
    }

    bool done() const { return m_done; }
    const QString& description() const { return m_description; }

private:
    LineStatus(bool done, QString description)
        : m_done(done), m_description(std::move(description)) {}

    bool m_done;
    QString m_description;
};

}  // namespace linvox

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

    static LineStatus Done() { return LineStatus(QString()); }
    static LineStatus InvalidPortNumber() { return LineStatus(kInvalidPortNumber); }
    static LineStatus DeviceNotOpen() { return LineStatus(kDeviceNotOpen); }
    static LineStatus PortAlreadyOpen() { return LineStatus(kPortAlreadyOpen); }
    static LineStatus Failed(QString description) { return LineStatus(std::move(description)); }

    bool done() const { return m_description.isNull(); }
    const QString& description() const { return m_description; }

private:
    explicit LineStatus(QString description) : m_description(std::move(description)) {}

    QString m_description;
};

}  // namespace linvox

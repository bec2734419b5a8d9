#pragma once

#include <QString>

namespace linvox {

// The outcome of a write to the settings store: stored, or refused with a reason for the user.
class [[nodiscard]] StoreStatus {
public:
    static StoreStatus Stored() { return StoreStatus(QString()); }
    static StoreStatus Refused(QString reason) { return StoreStatus(std::move(reason)); }

    bool stored() const { return m_reason.isNull(); }
    const QString& reason() const { return m_reason; }

private:
    explicit StoreStatus(QString reason) : m_reason(std::move(reason)) {}

    QString m_reason;
};

}  // namespace linvox

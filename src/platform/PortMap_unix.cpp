#include "platform/PortMap.h"

#include <QSettings>

namespace linvox {

PortMap::PortMap(SettingsLocation location) : m_location(std::move(location)) {}

QString PortMap::DevicePath(qint16 port) const {
    QSettings settings(m_location.path, m_location.format);
    settings.beginGroup(QStringLiteral("ports"));
    const QString mapped = settings.value(QStringLiteral("COM%1").arg(port)).toString();
    return mapped.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : mapped;
}

}  // namespace linvox

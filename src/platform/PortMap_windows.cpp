#include "platform/PortMap.h"

namespace linvox {

PortMap::PortMap(SettingsLocation location) : m_file(std::move(location)) {}

QString PortMap::DevicePath(qint16 port) const {
    return ComPortName(port);
}

}  // namespace linvox

#include "platform/PortMap.h"

#include <algorithm>
#include <limits>
#include <sys/stat.h>

#include <QFile>

namespace linvox {
namespace {

const QString kPortsGroup = QStringLiteral("ports");
// COM1 and COM2 stay with the machine's own serial ports, as on Windows.
constexpr qint16 kFirstAssignedPort = 3;

// The number of a key "COM<n>" with n from 1 to 32767 written in plain digits; 0 otherwise.
qint16 PortOfKey(const QString& key) {
    if (!key.startsWith(u"COM")) {
        return 0;
    }
    bool isNumber = false;
    const int port = key.mid(3).toInt(&isNumber);
    return isNumber && port >= 1 && port <= 32767 ? static_cast<qint16>(port) : 0;
}

// Whether both paths lead to one file, links followed: the same inode on the same file system.
// Compared by stat() rather than by resolved paths: the sandbox that stands in for /dev in the
// tests (umockdev) redirects stat() faithfully, realpath() not.
bool SameDevice(const QString& device, const QString& deviceNode) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(device).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(deviceNode).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

PortMap::PortMap(SettingsLocation location) : m_file(std::move(location)) {}

QString PortMap::DevicePath(qint16 port) const {
    const QString mapped = m_file.Read(kPortsGroup, ComPortName(port)).value_or(QString());
    return mapped.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : mapped;
}

QList<PortMap::Mapping> PortMap::Mappings() const {
    QList<Mapping> mappings;
    for (const SettingsFile::Entry& entry : m_file.ReadGroup(kPortsGroup)) {
        if (const qint16 port = PortOfKey(entry.key); port != 0) {
            mappings.append({port, entry.value});
        }
    }
    std::sort(mappings.begin(), mappings.end(),
              [](const Mapping& a, const Mapping& b) { return a.port < b.port; });
    return mappings;
}

PortMap::Numbering PortMap::NumberDevice(const QString& deviceNode, const QString& stablePath) {
    const QList<Mapping> mappings = Mappings();
    for (const Mapping& mapping : mappings) {
        if (SameDevice(mapping.device, deviceNode)) {
            return {mapping.port};
        }
    }
    int port = kFirstAssignedPort;
    for (const Mapping& mapping : mappings) {
        if (mapping.port == port) {
            ++port;
        }
    }
    if (port > std::numeric_limits<qint16>::max()) {
        return {0, StoreStatus::Refused(QStringLiteral("все номера COM-портов заняты"))};
    }
    const auto number = static_cast<qint16>(port);
    return {number, m_file.Write(kPortsGroup, ComPortName(number), stablePath)};
}

}  // namespace linvox

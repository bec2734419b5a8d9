// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modemlist/DeviceNumbering_linux.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <utility>

#include <QFile>
#include <QHash>
#include <QSet>

namespace linvox {
namespace {

// COM1 and COM2 stay with the machine's own serial ports, as on Windows.
constexpr int kFirstAssignedPort = 3;
constexpr int kLastPort = 32767;

// The number of a key that is the name of a COM number, ComPortName(n) with n from 1 to 32767;
// 0 for any other key. Opening reads the key ComPortName(n), so listing counts no other spelling.
qint16 PortOfKey(const QString& key) {
    bool isNumber = false;
    const int port = key.startsWith(u"COM") ? key.mid(3).toInt(&isNumber) : 0;
    const bool named =
        isNumber && port >= 1 && port <= kLastPort && ComPortName(static_cast<qint16>(port)) == key;
    return named ? static_cast<qint16>(port) : 0;
}

QList<DeviceNumbering::Mapping> MappingsOf(const QList<SettingsBackend::Entry>& entries) {
    QList<DeviceNumbering::Mapping> mappings;
    for (const SettingsBackend::Entry& entry : entries) {
        // A path with a control character names no device: its port is refused when opened.
        if (const qint16 port = PortOfKey(entry.key);
            port != 0 && !HoldsControlCharacter(entry.value)) {
            mappings.append({port, entry.value});
        }
    }
    std::sort(mappings.begin(), mappings.end(),
              [](const DeviceNumbering::Mapping& a, const DeviceNumbering::Mapping& b) {
                  return a.port < b.port;
              });
    return mappings;
}

// Which file a path leads to, links followed: its file system and inode. Compared by stat()
// rather than by resolved paths: the sandbox that stands in for /dev in the tests (umockdev)
// redirects stat() faithfully, realpath() not.
using FileIdentity = std::pair<quint64, quint64>;

std::optional<FileIdentity> IdentityOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

// The COM numbers of the [ports] entries by the device each names: by the path as written, and
// by the file it leads to, which takes a stat of every entry and is only looked up for a device
// whose path no entry names as written.
class PortsByDevice {
public:
    explicit PortsByDevice(const QList<DeviceNumbering::Mapping>& mappings) : m_mappings(mappings) {
        // A device that two entries name keeps the lower number, as the user reads [ports].
        for (const DeviceNumbering::Mapping& mapping : mappings) {
            if (!m_byPath.contains(mapping.device)) {
                m_byPath.insert(mapping.device, mapping.port);
            }
        }
    }

    std::optional<qint16> PortOf(const DeviceNumbering::AttachedDevice& device) {
        for (const QString& path : {device.stablePath, device.node}) {
            if (const auto named = m_byPath.constFind(path); named != m_byPath.cend()) {
                return *named;
            }
        }
        if (!m_filesKnown) {
            for (const DeviceNumbering::Mapping& mapping : m_mappings) {
                if (const std::optional<FileIdentity> file = IdentityOf(mapping.device);
                    file && !m_byFile.contains(*file)) {
                    m_byFile.insert(*file, mapping.port);
                }
            }
            m_filesKnown = true;
        }
        const std::optional<FileIdentity> identity =
            m_byFile.isEmpty() ? std::nullopt : IdentityOf(device.node);
        const auto found = identity ? m_byFile.constFind(*identity) : m_byFile.cend();
        return found == m_byFile.cend() ? std::nullopt : std::optional(*found);
    }

    void Add(const DeviceNumbering::AttachedDevice& device, qint16 port) {
        m_byPath.insert(device.node, port);
    }

private:
    QList<DeviceNumbering::Mapping> m_mappings;
    QHash<QString, qint16> m_byPath;
    QHash<FileIdentity, qint16> m_byFile;
    bool m_filesKnown = false;
};

struct NumberChoice {
    QList<qint16> ports;
    // Whether each device got its number now, rather than from an entry it had.
    QList<bool> numberedNow;
    QList<SettingsBackend::Entry> added;
    bool numbersLeft = true;
};

// The number of each device given the entries of [ports], and the entries for those that need
// a new one.
NumberChoice ChooseNumbers(const QList<SettingsBackend::Entry>& entries,
                           const QList<DeviceNumbering::AttachedDevice>& devices) {
    const QList<DeviceNumbering::Mapping> mappings = MappingsOf(entries);
    PortsByDevice known(mappings);
    QSet<int> used;
    for (const DeviceNumbering::Mapping& mapping : mappings) {
        used.insert(mapping.port);
    }
    NumberChoice choice;
    int next = kFirstAssignedPort;
    for (const DeviceNumbering::AttachedDevice& device : devices) {
        if (const std::optional<qint16> port = known.PortOf(device)) {
            choice.ports.append(*port);
            choice.numberedNow.append(false);
            continue;
        }
        while (used.contains(next)) {
            ++next;
        }
        choice.numbersLeft = choice.numbersLeft && next <= kLastPort;
        const auto port = static_cast<qint16>(next <= kLastPort ? next : 0);
        choice.ports.append(port);
        choice.numberedNow.append(port != 0);
        if (port != 0) {
            used.insert(port);
            choice.added.append({ComPortName(port), device.stablePath});
            known.Add(device, port);
        }
    }
    return choice;
}

}  // namespace

QList<DeviceNumbering::Mapping> DeviceNumbering::Mappings() const {
    return MappingsOf(m_settings.ReadGroup(kPortsGroup));
}

DeviceNumbering::Numbering DeviceNumbering::NumberDevices(const QList<AttachedDevice>& devices) {
    // Devices that all have their numbers, as they have at every listing but the first after a
    // plug-in, need neither the lock nor a write.
    NumberChoice choice = ChooseNumbers(m_settings.ReadGroup(kPortsGroup), devices);
    if (choice.added.isEmpty() && choice.numbersLeft) {
        return {choice.ports};
    }
    StoreStatus stored =
        m_settings.Update(kPortsGroup, [&](const QList<SettingsBackend::Entry>& entries) {
            choice = ChooseNumbers(entries, devices);
            return choice.added;
        });
    if (stored.ok()) {
        return {choice.ports, std::move(stored), choice.numbersLeft};
    }
    // The file holds the numbers of the devices that had one before, with or without the lock.
    for (qsizetype i = 0; i < choice.ports.size(); ++i) {
        if (choice.numberedNow[i]) {
            choice.ports[i] = 0;
        }
    }
    return {choice.ports, std::move(stored), choice.numbersLeft};
}

}  // namespace linvox

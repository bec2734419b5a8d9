// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages/Phrases.h"
#include "platform/modemlist/DeviceNumbering_linux.h"
#include "platform/modemlist/SystemModemList.h"
#include "platform/serial/PortMap.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <libudev.h>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <utility>

#include <QFile>

namespace linvox {
namespace {

// The serial devices that appear when a user plugs something in or binds it: CDC ACM phones and
// modems, USB serial adapters and phone data cables, Bluetooth serial ports. The machine's own
// UARTs (ttyS*) exist whether or not anything is attached, so only [ports] brings them in.
constexpr std::array kAttachedDevicePrefixes{"ttyACM", "ttyUSB", "rfcomm"};
constexpr char kBluetoothPrefix[] = "rfcomm";
constexpr char kTtyClassFolder[] = "/sys/class/tty";
// udev's link named after the USB serial number: the same for a phone wherever it is plugged.
const QString kStableLinkFolder = QStringLiteral("/dev/serial/by-id/");

struct UdevRelease {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
};

template <typename Object>
using UdevPointer = std::unique_ptr<Object, UdevRelease>;

QString Text(const char* value) {
    return value == nullptr ? QString() : QString::fromUtf8(value).trimmed();
}

Failure Unreadable(int error) {
    return Failure(FailureCode::DeviceListNotRead, {}, {}, error);
}

bool IsAttachedByUser(const QString& systemName) {
    for (const char* prefix : kAttachedDevicePrefixes) {
        if (systemName.startsWith(QLatin1String(prefix))) {
            return true;
        }
    }
    return false;
}

// Whether system name a comes before b: by the letters, then by the number they end in.
bool InNaturalOrder(const QString& a, const QString& b) {
    const auto split = [](const QString& name) {
        qsizetype digits = name.size();
        while (digits > 0 && name[digits - 1].isDigit()) {
            --digits;
        }
        return std::pair(name.left(digits), name.mid(digits).toULongLong());
    };
    return split(a) < split(b);
}

// The /dev/serial/by-id/ link of the device where udev made one, else its node.
QString StablePath(udev_device* device, const QString& node) {
    const QStringList links =
        Text(udev_device_get_property_value(device, "DEVLINKS")).split(u' ', Qt::SkipEmptyParts);
    for (const QString& link : links) {
        if (link.startsWith(kStableLinkFolder)) {
            return link;
        }
    }
    return node;
}

// A string as udev encodes it for its records ("Phone\x20Maker"): the bytes the device reported.
QString DecodedUdevString(const char* encoded) {
    const QByteArray text(encoded);
    QByteArray decoded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QByteArray digits = text.mid(i + 2, 2);
        const bool escape = text[i] == '\\' && text.mid(i + 1, 1) == "x" && digits.size() == 2 &&
                            std::all_of(digits.begin(), digits.end(), [](char c) {
                                return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                            });
        decoded += escape ? static_cast<char>(digits.toInt(nullptr, 16)) : text[i];
        i += escape ? 3 : 0;
    }
    return QString::fromUtf8(decoded).trimmed();
}

// What the user knows the device by: "Bluetooth" and the address for a Bluetooth port; else the
// maker and product strings of its USB device, or, for a device that reports none, what the USB
// ID database gives for them. Empty when udev knows none of these. udev keeps the strings in the
// serial device's own record, in place of which it puts the numeric ID when the device reports
// none; only for a device it has not recorded yet are they read from the USB device itself.
QString DeviceName(udev_device* device) {
    if (Text(udev_device_get_sysname(device)).startsWith(QLatin1String(kBluetoothPrefix))) {
        return Say(Phrase::BluetoothDevice)
            .arg(Text(udev_device_get_sysattr_value(device, "address")))
            .trimmed();
    }
    const auto property = [device](const char* name) {
        return udev_device_get_property_value(device, name);
    };
    const auto reported = [&](const char* encodedProperty, const char* idProperty,
                              const char* attribute) {
        if (const char* encoded = property(encodedProperty); encoded != nullptr) {
            return Text(encoded) == Text(property(idProperty)) ? QString()
                                                               : DecodedUdevString(encoded);
        }
        // Owned by the device, not released here.
        udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
        return usb == nullptr ? QString() : Text(udev_device_get_sysattr_value(usb, attribute));
    };
    QString maker = reported("ID_VENDOR_ENC", "ID_VENDOR_ID", "manufacturer");
    if (maker.isEmpty()) {
        maker = Text(property("ID_VENDOR_FROM_DATABASE"));
    }
    QString product = reported("ID_MODEL_ENC", "ID_MODEL_ID", "product");
    if (product.isEmpty()) {
        product = Text(property("ID_MODEL_FROM_DATABASE"));
    }
    return QStringList{maker, product}.join(u' ').trimmed();
}

// The name of the character device with this number, empty when udev knows none.
QString DeviceNameByNumber(udev* context, dev_t number) {
    const UdevPointer<udev_device> device(udev_device_new_from_devnum(context, 'c', number));
    return device == nullptr ? QString() : DeviceName(device.get());
}

// A device that a user attached, as udev knows it, with what the user knows it by.
struct Attached {
    DeviceNumbering::AttachedDevice device;
    QString name;
};

// The attached serial devices. Listed from the tty class folder, where each name tells whether
// a user attached the device, rather than through udev_enumerate, which builds every tty device
// (consoles and UARTs: a hundred on a plain machine) to match it, and leaves the caller to build
// those it keeps a second time.
Outcome<QList<Attached>> AttachedDevices(udev* context) {
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(kTtyClassFolder), ::closedir);
    if (folder == nullptr) {
        return Unreadable(errno);
    }
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder.get());
        if (entry == nullptr) {
            if (errno != 0) {
                return Unreadable(errno);
            }
            break;
        }
        if (const QString name = QString::fromLocal8Bit(entry->d_name); IsAttachedByUser(name)) {
            names.append(name);
        }
    }
    // Devices new at once are numbered in the order of their names (ttyACM0 before ttyACM1, and
    // ttyACM2 before ttyACM10), not in the folder's order, which the file system chooses.
    std::sort(names.begin(), names.end(), InNaturalOrder);
    QList<Attached> listing;
    for (const QString& entryName : names) {
        const UdevPointer<udev_device> device(udev_device_new_from_syspath(
            context,
            (QByteArray(kTtyClassFolder) + '/' + QFile::encodeName(entryName)).constData()));
        // A device unplugged meanwhile has no node left to list.
        const QString node =
            device == nullptr ? QString() : Text(udev_device_get_devnode(device.get()));
        if (node.isEmpty()) {
            continue;
        }
        const QString name = DeviceName(device.get());
        listing.append({{node, StablePath(device.get(), node)}, name.isEmpty() ? node : name});
    }
    return listing;
}

// Adds the AT ports of the modems that another program manages to the attached devices, or names
// a device already there after its modem. When they cannot be had, the user hears why.
void AddManagedPorts(ManagedModems& managed, QList<Attached>& attached, QList<Failure>& notices) {
    const Outcome<QList<ManagedPort>> ports = managed.AtPorts();
    if (!ports.ok()) {
        notices.append(Failure(FailureCode::ModemListNotRead).Because(ports.failure()));
        return;
    }
    for (const ManagedPort& port : ports.value()) {
        const QString name = port.name.isEmpty() ? port.device : port.name;
        const auto listed = std::ranges::find(
            attached, port.device, [](const Attached& device) { return device.device.node; });
        if (listed != attached.end()) {
            listed->name = name;
        } else {
            attached.append({{port.device, port.device}, name});
        }
    }
}

// Gives the attached devices their COM numbers, all in one step, and names them. The user is
// told when a number could not be remembered, and which devices are left without one.
void ListAttachedDevices(const QList<Attached>& attached, DeviceNumbering& numbering,
                         std::map<qint16, QString>& namesByPort, QList<Failure>& notices) {
    QList<DeviceNumbering::AttachedDevice> devices;
    for (const Attached& device : attached) {
        devices.append(device.device);
    }
    const DeviceNumbering::Numbering numbered = numbering.NumberDevices(devices);
    QStringList unnumbered;
    for (qsizetype i = 0; i < attached.size(); ++i) {
        if (const qint16 port = numbered.ports.value(i); port != 0) {
            namesByPort.insert_or_assign(port, attached[i].name);
        } else {
            unnumbered.append(attached[i].name + QStringLiteral(" (") + attached[i].device.node +
                              u')');
        }
    }
    if (numbered.stored.ok() && numbered.stored.value().notice) {
        notices.append(*numbered.stored.value().notice);
    }
    if (numbered.stored.ok() && numbered.numbersLeft) {
        return;
    }
    Failure notice = Failure(FailureCode::SettingNotSaved)
                         .Because(numbered.stored.ok() ? Failure(FailureCode::AllComNumbersTaken)
                                                       : numbered.stored.failure());
    if (!unnumbered.isEmpty()) {
        notice =
            Failure(FailureCode::DevicesLeftUnnumbered, {}, unnumbered.join(QStringLiteral("; ")))
                .Because(notice);
    }
    notices.append(notice);
}

// Adds the [ports] entries whose device is present and whose COM number is not listed yet, named
// after the device where udev knows it, else by the path as written.
void ListMappedDevices(udev* context, const DeviceNumbering& numbering,
                       std::map<qint16, QString>& namesByPort) {
    for (const DeviceNumbering::Mapping& mapping : numbering.Mappings()) {
        struct stat status {};
        if (namesByPort.contains(mapping.port) ||
            ::stat(QFile::encodeName(mapping.device).constData(), &status) != 0) {
            continue;
        }
        const QString name =
            S_ISCHR(status.st_mode) ? DeviceNameByNumber(context, status.st_rdev) : QString();
        namesByPort.emplace(mapping.port, name.isEmpty() ? mapping.device : name);
    }
}

}  // namespace

Outcome<ModemListing> SystemModemList::Query() {
    const UdevPointer<udev> context(udev_new());
    if (context == nullptr) {
        return Unreadable(errno);
    }
    Outcome<QList<Attached>> attached = AttachedDevices(context.get());
    if (!attached.ok()) {
        return attached.failure();
    }
    ModemListing listing;
    AddManagedPorts(m_managed, attached.value(), listing.notices);
    std::map<qint16, QString> namesByPort;
    DeviceNumbering numbering(m_settings);
    ListAttachedDevices(attached.value(), numbering, namesByPort, listing.notices);
    ListMappedDevices(context.get(), numbering, namesByPort);
    for (const auto& [port, name] : namesByPort) {
        listing.entries.append({ComPortName(port), name});
    }
    return listing;
}

}  // namespace linvox

#include "platform/SystemModemList.h"
#include "settings/StoreStatus.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <libudev.h>
#include <map>
#include <memory>
#include <sys/stat.h>

#include <QFile>

namespace linvox {
namespace {

// The serial devices that appear when a user plugs something in or binds it: CDC ACM phones and
// modems, USB serial adapters and phone data cables, Bluetooth serial ports. The machine's own
// UARTs (ttyS*) exist whether or not anything is attached, so only [ports] brings them in.
constexpr std::array kAttachedDevicePrefixes{"ttyACM", "ttyUSB", "rfcomm"};
constexpr char kBluetoothPrefix[] = "rfcomm";
// udev's link named after the USB serial number: the same for a phone wherever it is plugged.
const QString kStableLinkFolder = QStringLiteral("/dev/serial/by-id/");

struct UdevRelease {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_enumerate* enumeration) const { udev_enumerate_unref(enumeration); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
};

template <typename Object>
using UdevPointer = std::unique_ptr<Object, UdevRelease>;

QString Text(const char* value) {
    return value == nullptr ? QString() : QString::fromUtf8(value).trimmed();
}

ModemListing Unreadable(int error) {
    return {{},
            QStringLiteral("Не удалось прочитать список устройств системы (udev): ") +
                QString::fromLocal8Bit(std::strerror(error)),
            {}};
}

bool IsAttachedByUser(const QString& systemName) {
    for (const char* prefix : kAttachedDevicePrefixes) {
        if (systemName.startsWith(QLatin1String(prefix))) {
            return true;
        }
    }
    return false;
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

// What the user knows the device by: "Bluetooth" and the address for a Bluetooth port; else the
// maker and product strings of its USB device, or, for a device that reports none, what the USB
// ID database gives for them. Empty when udev knows none of these.
QString DeviceName(udev_device* device) {
    if (Text(udev_device_get_sysname(device)).startsWith(QLatin1String(kBluetoothPrefix))) {
        return (QStringLiteral("Bluetooth ") +
                Text(udev_device_get_sysattr_value(device, "address")))
            .trimmed();
    }
    // Owned by the device, not released here.
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    const auto reported = [usb](const char* attribute) {
        return usb == nullptr ? QString() : Text(udev_device_get_sysattr_value(usb, attribute));
    };
    const auto catalogued = [device](const char* property) {
        return Text(udev_device_get_property_value(device, property));
    };
    QString maker = reported("manufacturer");
    if (maker.isEmpty()) {
        maker = catalogued("ID_VENDOR_FROM_DATABASE");
    }
    QString product = reported("product");
    if (product.isEmpty()) {
        product = catalogued("ID_MODEL_FROM_DATABASE");
    }
    return QStringList{maker, product}.join(u' ').trimmed();
}

// The name of the character device with this number, empty when udev knows none.
QString DeviceNameByNumber(udev* context, dev_t number) {
    const UdevPointer<udev_device> device(udev_device_new_from_devnum(context, 'c', number));
    return device == nullptr ? QString() : DeviceName(device.get());
}

// Gives each attached device its COM number, telling the user of an entry that could not be
// remembered, and names it.
void ListAttachedDevices(udev* context, udev_enumerate* enumeration, PortMap& portMap,
                         std::map<qint16, QString>& namesByPort, QStringList& notices) {
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration)) {
        const UdevPointer<udev_device> device(
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry)));
        // A device unplugged since the scan has no node left to list.
        const QString node =
            device == nullptr ? QString() : Text(udev_device_get_devnode(device.get()));
        if (node.isEmpty() || !IsAttachedByUser(Text(udev_device_get_sysname(device.get())))) {
            continue;
        }
        const PortMap::Numbering numbering =
            portMap.NumberDevice(node, StablePath(device.get(), node));
        if (!numbering.stored.stored()) {
            notices.append(RefusedSettingText(numbering.stored.text()));
        } else if (!numbering.stored.text().isEmpty()) {
            notices.append(numbering.stored.text());
        }
        if (numbering.port != 0) {
            const QString name = DeviceName(device.get());
            namesByPort.insert_or_assign(numbering.port, name.isEmpty() ? node : name);
        }
    }
}

// Adds the [ports] entries whose device is present and whose COM number is not listed yet, named
// after the device where udev knows it, else by the path as written.
void ListMappedDevices(udev* context, const PortMap& portMap,
                       std::map<qint16, QString>& namesByPort) {
    for (const PortMap::Mapping& mapping : portMap.Mappings()) {
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

SystemModemList::SystemModemList(SettingsLocation location) : m_portMap(std::move(location)) {}

ModemListing SystemModemList::Query() {
    const UdevPointer<udev> context(udev_new());
    if (context == nullptr) {
        return Unreadable(errno);
    }
    const UdevPointer<udev_enumerate> enumeration(udev_enumerate_new(context.get()));
    if (enumeration == nullptr) {
        return Unreadable(errno);
    }
    int result = udev_enumerate_add_match_subsystem(enumeration.get(), "tty");
    if (result >= 0) {
        result = udev_enumerate_scan_devices(enumeration.get());
    }
    if (result < 0) {
        return Unreadable(-result);
    }

    ModemListing listing;
    std::map<qint16, QString> namesByPort;
    ListAttachedDevices(context.get(), enumeration.get(), m_portMap, namesByPort, listing.notices);
    ListMappedDevices(context.get(), m_portMap, namesByPort);
    for (const auto& [port, name] : namesByPort) {
        listing.entries.append({ComPortName(port), name});
    }
    return listing;
}

}  // namespace linvox

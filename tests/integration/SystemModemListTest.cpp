// The Linux modem list through the real libudev, over devices that umockdev makes up: CTest runs
// this program under umockdev-run, whose preload library shows it a sandbox's /sys and /dev in
// place of the machine's.
#include "platform/SystemModemList.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <string>
#include <umockdev.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace linvox {
inline void PrintTo(const ModemEntry& entry, std::ostream* out) {
    *out << '{' << entry.attachedTo << ", " << entry.name << '}';
}
}  // namespace linvox

namespace linvox::testing {
namespace {

const QString kPhoneLink = QStringLiteral("serial/by-id/usb-Phone_Maker_Phone_123-if00");
const QString kOtherPhoneLink = QStringLiteral("serial/by-id/usb-Other_Maker_Phone_9-if00");

// A USB device with its first interface, in umockdev-record's format; attributes are its "A:"
// lines.
std::string UsbDevice(const std::string& name, const std::string& attributes) {
    return "P: /devices/" + name + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" + attributes +
           "\nP: /devices/" + name + "/" + name + ":1.0\nE: SUBSYSTEM=usb\n" +
           "E: DEVTYPE=usb_interface\n\n";
}

// A serial device with a /dev node (a pseudo-terminal in the sandbox), below usbInterface when
// one is given.
std::string SerialDevice(const std::string& usbInterface, const std::string& node, int major,
                         int minor, const std::string& more = {}) {
    const std::string parent = usbInterface.empty() ? "" : usbInterface + "/tty/";
    const std::string number = std::to_string(major) + ":" + std::to_string(minor);
    return "P: /devices/" + parent + node + "\nN: " + node +
           "\nE: SUBSYSTEM=tty\nE: DEVNAME=/dev/" + node + "\nE: MAJOR=" + std::to_string(major) +
           "\nE: MINOR=" + std::to_string(minor) + "\nA: dev=" + number + "\n" + more + "\n";
}

const std::string kPhoneUsb =
    UsbDevice("usb1", "A: manufacturer=Phone Maker\nA: product=Phone 123\n");
const std::string kPhone =
    SerialDevice("usb1/usb1:1.0", "ttyACM0", 166, 0,
                 "E: DEVLINKS=/dev/" + kPhoneLink.toStdString() + " /dev/serial/by-path/usb1\n");

// Shows this process a /sys and /dev of its own; devices come and go as the test says.
class DeviceSandbox {
public:
    DeviceSandbox() : m_testbed(umockdev_testbed_new()) {
        gchar* root = umockdev_testbed_get_root_dir(m_testbed);
        m_root = QString::fromUtf8(root);
        g_free(root);
    }
    ~DeviceSandbox() { g_object_unref(m_testbed); }

    DeviceSandbox(const DeviceSandbox&) = delete;
    DeviceSandbox& operator=(const DeviceSandbox&) = delete;

    void plug(const std::string& description) {
        GError* error = nullptr;
        if (!umockdev_testbed_add_from_string(m_testbed, description.c_str(), &error)) {
            ADD_FAILURE() << "umockdev refused a device: " << error->message;
            g_error_free(error);
        }
    }

    // Removes the device below /sys/devices/ and its /dev node.
    void unplug(const std::string& path) {
        umockdev_testbed_remove_device(m_testbed, ("/sys/devices/" + path).c_str());
    }

    // Points the by-id link at /dev/<node> as udev's rules do (relative, so that it stays in the
    // sandbox), or removes it when node is empty.
    void link(const QString& byIdLink, const QString& node) {
        const QString path = root() + "/dev/" + byIdLink;
        QFile::remove(path);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        ASSERT_TRUE(node.isEmpty() || QFile::link("../../" + node, path));
    }

    const QString& root() const { return m_root; }

private:
    UMockdevTestbed* m_testbed;
    QString m_root;
};

class SystemModemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(umockdev_in_mock_environment())
            << "run under umockdev-run, or the machine's own devices are listed";
    }

    QList<ModemEntry> entries() {
        const ModemListing listing = modems.Query();
        EXPECT_EQ(listing.failure, "");
        EXPECT_EQ(listing.notices, QStringList());
        return listing.entries;
    }

    DeviceSandbox sandbox;
    ScratchSettings scratch;
    SystemModemList modems{scratch.location()};
};

TEST_F(SystemModemListTest, ListsWhatAUserAttachesAndWhatPortsNamesByComNumber) {
    sandbox.plug(kPhoneUsb + kPhone);
    sandbox.link(kPhoneLink, "ttyACM0");
    // A data cable that reports no strings: udev's USB ID database names it.
    sandbox.plug(UsbDevice("usb2", "") +
                 SerialDevice("usb2/usb2:1.0", "ttyUSB0", 188, 0,
                              "E: ID_VENDOR_FROM_DATABASE=Prolific Technology, Inc.\n"
                              "E: ID_MODEL_FROM_DATABASE=PL2303 Serial Port\n"));
    sandbox.plug(SerialDevice("", "rfcomm0", 216, 0, "A: address=00:1A:7D:DA:71:13\n"));
    sandbox.plug(SerialDevice("", "ttyS0", 4, 64));
    // A USB modem of a driver not listed unasked: [ports] brings it in, named as udev knows it.
    sandbox.plug(UsbDevice("usb3", "A: manufacturer=Option\nA: product=GlobeTrotter\n") +
                 SerialDevice("usb3/usb3:1.0", "ttyHS0", 245, 0));
    scratch.writeRawFile(
        QStringLiteral("[ports]\nCOM3=/dev/gone\nCOM4=/dev/rfcomm0\nCOM5=not a path\n"
                       "COM6=\nCOM7=/dev/%1\nCOM12=/dev/ttyUSB0\n")
            .arg(kPhoneLink)
            .toUtf8());
    const QString ports = QString::fromUtf8(scratch.rawFile());

    EXPECT_EQ(entries(),
              (QList<ModemEntry>{{"COM4", "Bluetooth 00:1A:7D:DA:71:13"},
                                 {"COM7", "Phone Maker Phone 123"},
                                 {"COM12", "Prolific Technology, Inc. PL2303 Serial Port"}}));
    EXPECT_EQ(QString::fromUtf8(scratch.rawFile()), ports) << "every device had its number already";

    scratch.mapPort(1, "/dev/ttyS0");
    scratch.mapPort(2, "/dev/ttyHS0");
    const QList<ModemEntry> listed = entries();
    ASSERT_EQ(listed.size(), 5);
    EXPECT_EQ(listed[0], (ModemEntry{"COM1", "/dev/ttyS0"}));
    EXPECT_EQ(listed[1], (ModemEntry{"COM2", "Option GlobeTrotter"}));
}

TEST_F(SystemModemListTest, GivesNewDevicesTheFirstFreeNumberAndKeepsIt) {
    sandbox.plug(kPhoneUsb + kPhone);
    sandbox.link(kPhoneLink, "ttyACM0");
    EXPECT_EQ(entries(), (QList<ModemEntry>{{"COM3", "Phone Maker Phone 123"}}));

    // Unplugged: its number stays taken. (umockdev cannot give a removed node to another device,
    // so the next phone comes as ttyACM1.)
    sandbox.unplug("usb1/usb1:1.0/tty/ttyACM0");
    sandbox.link(kPhoneLink, {});
    sandbox.plug(UsbDevice("usb2", "A: manufacturer=Other Maker\nA: product=Phone 9\n") +
                 SerialDevice("usb2/usb2:1.0", "ttyACM1", 166, 1,
                              "E: DEVLINKS=/dev/" + kOtherPhoneLink.toStdString() + "\n"));
    sandbox.link(kOtherPhoneLink, "ttyACM1");
    EXPECT_EQ(entries(), (QList<ModemEntry>{{"COM4", "Other Maker Phone 9"}}));

    // Back under another node, and a Bluetooth port, which has no link to be remembered by.
    sandbox.plug(SerialDevice("", "rfcomm0", 216, 0, "A: address=00:1A:7D:DA:71:13\n"));
    sandbox.plug(SerialDevice("usb1/usb1:1.0", "ttyACM2", 166, 2,
                              "E: DEVLINKS=/dev/" + kPhoneLink.toStdString() + "\n"));
    sandbox.link(kPhoneLink, "ttyACM2");
    EXPECT_EQ(entries(), (QList<ModemEntry>{{"COM3", "Phone Maker Phone 123"},
                                            {"COM4", "Other Maker Phone 9"},
                                            {"COM5", "Bluetooth 00:1A:7D:DA:71:13"}}));
    EXPECT_EQ(QString::fromUtf8(scratch.rawFile()), "[ports]\nCOM3=/dev/" + kPhoneLink +
                                                        "\nCOM4=/dev/" + kOtherPhoneLink +
                                                        "\nCOM5=/dev/rfcomm0\n");
}

TEST_F(SystemModemListTest, ListsADeviceWhoseNumberCannotBeRememberedAndSaysSo) {
    sandbox.plug(kPhoneUsb + kPhone);
    sandbox.link(kPhoneLink, "ttyACM0");
    // A settings path through a regular file refuses every write, root's too.
    scratch.writeRawFile("");
    SystemModemList unwritable({scratch.filePath() + "/MyApp.conf", QSettings::NativeFormat});

    const ModemListing listing = unwritable.Query();
    EXPECT_EQ(listing.entries, (QList<ModemEntry>{{"COM3", "Phone Maker Phone 123"}}));
    ASSERT_EQ(listing.notices.size(), 1);
    EXPECT_TRUE(listing.notices[0].startsWith(RefusedSettingText(""))) << listing.notices[0];
    EXPECT_TRUE(listing.notices[0].contains(scratch.filePath())) << listing.notices[0];
}

TEST_F(SystemModemListTest, SaysWhyWhenUdevCannotBeRead) {
    sandbox.plug(kPhoneUsb + kPhone);
    const QString classes = sandbox.root() + "/sys/class";
    ASSERT_TRUE(QDir(classes).removeRecursively());
    QFile notADirectory(classes);
    ASSERT_TRUE(notADirectory.open(QIODevice::WriteOnly));

    const ModemListing listing = modems.Query();
    EXPECT_EQ(listing.entries, QList<ModemEntry>());
    EXPECT_TRUE(listing.failure.contains("udev")) << listing.failure;
}

}  // namespace
}  // namespace linvox::testing

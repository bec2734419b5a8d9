// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux modem list through the real libudev, over devices that umockdev makes up: CTest runs
// this program under umockdev-run.
#include "platform/modemlist/SystemModemList.h"
#include "support/DeviceSandbox.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

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

const std::string kPhoneUsb =
    UsbDevice("usb1", "A: manufacturer=Phone Maker\nA: product=Phone 123\n");
const std::string kPhone =
    SerialDevice("usb1/usb1:1.0", "ttyACM0", 166, 0,
                 "E: DEVLINKS=/dev/" + kPhoneLink.toStdString() + " /dev/serial/by-path/usb1\n");

class SystemModemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(umockdev_in_mock_environment())
            << "run under umockdev-run, or the machine's own devices are listed";
    }

    void plug(const std::string& description) { EXPECT_EQ(sandbox.plug(description), ""); }
    void link(const QString& byIdLink, const QString& node) {
        EXPECT_TRUE(sandbox.link(byIdLink, node)) << byIdLink;
    }

    QList<ModemEntry> entries() {
        const Outcome<ModemListing> listing = modems.Query();
        EXPECT_TRUE(listing.ok());
        EXPECT_TRUE(listing.ok() && listing.value().notices.isEmpty());
        return listing.ok() ? listing.value().entries : QList<ModemEntry>();
    }

    DeviceSandbox sandbox;
    ScratchSettings scratch;
    NoManagedModems managed;
    SystemModemList modems{scratch.file(), managed};
};

TEST_F(SystemModemListTest, ListsWhatAUserAttachesAndWhatPortsNamesByComNumber) {
    plug(kPhoneUsb + kPhone);
    link(kPhoneLink, "ttyACM0");
    // A data cable that reports no strings: udev records its numeric IDs in their place, and its
    // USB ID database names it.
    plug(UsbDevice("usb2", "") +
         SerialDevice("usb2/usb2:1.0", "ttyUSB0", 188, 0,
                      "E: ID_VENDOR_ENC=067b\nE: ID_VENDOR_ID=067b\nE: ID_MODEL_ENC=2303\n"
                      "E: ID_MODEL_ID=2303\nE: ID_VENDOR_FROM_DATABASE=Prolific Technology, Inc.\n"
                      "E: ID_MODEL_FROM_DATABASE=PL2303 Serial Port\n"));
    // A phone whose strings udev keeps in the serial device's record, encoded.
    plug(UsbDevice("usb4", "") +
         SerialDevice("usb4/usb4:1.0", "ttyACM1", 166, 1,
                      "E: ID_VENDOR_ENC=Phone\\x20Maker\\x2c\\x20Inc.\nE: ID_VENDOR_ID=1234\n"
                      "E: ID_MODEL_ENC=Phone\\x209\nE: ID_MODEL_ID=5678\n"));
    plug(SerialDevice("", "rfcomm0", 216, 0, "A: address=00:1A:7D:DA:71:13\n"));
    plug(SerialDevice("", "ttyS0", 4, 64));
    // A USB modem of a driver not listed unasked: [ports] brings it in, named as udev knows it.
    plug(UsbDevice("usb3", "A: manufacturer=Option\nA: product=GlobeTrotter\n") +
         SerialDevice("usb3/usb3:1.0", "ttyHS0", 245, 0));
    scratch.writeRawFile(
        QStringLiteral("[ports]\nCOM3=/dev/gone\nCOM4=/dev/rfcomm0\nCOM5=not a path\n"
                       "COM6=\nCOM7=/dev/%1\nCOM8=/dev/ttyACM1\nCOM12=/dev/ttyUSB0\n")
            .arg(kPhoneLink)
            .toUtf8());
    const QString ports = QString::fromUtf8(scratch.rawFile());

    EXPECT_EQ(entries(),
              (QList<ModemEntry>{{"COM4", "Bluetooth 00:1A:7D:DA:71:13"},
                                 {"COM7", "Phone Maker Phone 123"},
                                 {"COM8", "Phone Maker, Inc. Phone 9"},
                                 {"COM12", "Prolific Technology, Inc. PL2303 Serial Port"}}));
    EXPECT_EQ(QString::fromUtf8(scratch.rawFile()), ports) << "every device had its number already";

    scratch.mapPort(1, "/dev/ttyS0");
    scratch.mapPort(2, "/dev/ttyHS0");
    const QList<ModemEntry> listed = entries();
    ASSERT_EQ(listed.size(), 6);
    EXPECT_EQ(listed[0], (ModemEntry{"COM1", "/dev/ttyS0"}));
    EXPECT_EQ(listed[1], (ModemEntry{"COM2", "Option GlobeTrotter"}));
}

TEST_F(SystemModemListTest, GivesNewDevicesTheFirstFreeNumberAndKeepsIt) {
    plug(kPhoneUsb + kPhone);
    link(kPhoneLink, "ttyACM0");
    EXPECT_EQ(entries(), (QList<ModemEntry>{{"COM3", "Phone Maker Phone 123"}}));

    // Unplugged: its number stays taken. (umockdev cannot give a removed node to another device,
    // so the next phone comes as ttyACM1.)
    sandbox.unplug("usb1/usb1:1.0/tty/ttyACM0");
    link(kPhoneLink, {});
    plug(UsbDevice("usb2", "A: manufacturer=Other Maker\nA: product=Phone 9\n") +
         SerialDevice("usb2/usb2:1.0", "ttyACM1", 166, 1,
                      "E: DEVLINKS=/dev/" + kOtherPhoneLink.toStdString() + "\n"));
    link(kOtherPhoneLink, "ttyACM1");
    EXPECT_EQ(entries(), (QList<ModemEntry>{{"COM4", "Other Maker Phone 9"}}));

    // Back under another node, and a Bluetooth port, which has no link to be remembered by.
    plug(SerialDevice("", "rfcomm0", 216, 0, "A: address=00:1A:7D:DA:71:13\n"));
    plug(SerialDevice("usb1/usb1:1.0", "ttyACM2", 166, 2,
                      "E: DEVLINKS=/dev/" + kPhoneLink.toStdString() + "\n"));
    link(kPhoneLink, "ttyACM2");
    EXPECT_EQ(entries(), (QList<ModemEntry>{{"COM3", "Phone Maker Phone 123"},
                                            {"COM4", "Other Maker Phone 9"},
                                            {"COM5", "Bluetooth 00:1A:7D:DA:71:13"}}));
    EXPECT_EQ(QString::fromUtf8(scratch.rawFile()), "[ports]\nCOM3=/dev/" + kPhoneLink +
                                                        "\nCOM4=/dev/" + kOtherPhoneLink +
                                                        "\nCOM5=/dev/rfcomm0\n");
}

TEST_F(SystemModemListTest, NumbersDevicesNewAtOnceInTheOrderOfTheirNames) {
    plug(SerialDevice("", "ttyACM10", 166, 10));
    plug(SerialDevice("", "ttyUSB0", 188, 0));
    plug(SerialDevice("", "ttyACM2", 166, 2));
    plug(SerialDevice("", "rfcomm0", 216, 0));

    entries();

    EXPECT_EQ(QString::fromUtf8(scratch.rawFile()),
              "[ports]\nCOM3=/dev/rfcomm0\nCOM4=/dev/ttyACM2\nCOM5=/dev/ttyACM10\n"
              "COM6=/dev/ttyUSB0\n");
}

TEST_F(SystemModemListTest, LeavesOutDevicesWhoseNumbersCannotBeRememberedAndNamesThem) {
    plug(kPhoneUsb + kPhone);
    link(kPhoneLink, "ttyACM0");
    plug(UsbDevice("usb2", "A: manufacturer=Other Maker\nA: product=Phone 9\n") +
         SerialDevice("usb2/usb2:1.0", "ttyACM1", 166, 1));
    plug(SerialDevice("", "rfcomm0", 216, 0, "A: address=00:1A:7D:DA:71:13\n"));
    // The first phone has its number, and a lock that is a directory refuses every save.
    scratch.writeRawFile(("[ports]\nCOM3=/dev/" + kPhoneLink + "\n").toUtf8());
    ASSERT_TRUE(QDir().mkdir(scratch.filePath() + ".lock"));

    const Outcome<ModemListing> listing = modems.Query();
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing.value().entries, (QList<ModemEntry>{{"COM3", "Phone Maker Phone 123"}}));
    const Failure refused =
        Failure(FailureCode::SettingNotSaved)
            .Because(Failure(FailureCode::SettingsLockIsFolder, scratch.filePath() + ".lock"));
    EXPECT_EQ(listing.value().notices,
              QList<Failure>{Failure(FailureCode::DevicesLeftUnnumbered, {},
                                     "Bluetooth 00:1A:7D:DA:71:13 (/dev/rfcomm0); "
                                     "Other Maker Phone 9 (/dev/ttyACM1)")
                                 .Because(refused)});
}

TEST_F(SystemModemListTest, SaysWhyWhenUdevCannotBeRead) {
    plug(kPhoneUsb + kPhone);
    const QString classes = sandbox.root() + "/sys/class";
    ASSERT_TRUE(QDir(classes).removeRecursively());
    QFile notADirectory(classes);
    ASSERT_TRUE(notADirectory.open(QIODevice::WriteOnly));

    EXPECT_TRUE(modems.Query().failedWith(FailureCode::DeviceListNotRead));
}

}  // namespace
}  // namespace linvox::testing

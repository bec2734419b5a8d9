// COM numbers on Linux: the [ports] group read as written, and devices numbered for good.
#include "platform/PortMap.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <QFile>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(PortMap, ReadsADevicePathWithCommasAsWritten) {
    ScratchSettings scratch;
    scratch.writeRawFile("[ports]\nCOM3=/dev/serial/by-id/usb-Maker_Phone,_Inc-if00\n");
    const PortMap map(scratch.location());
    EXPECT_EQ(map.DevicePath(3), "/dev/serial/by-id/usb-Maker_Phone,_Inc-if00");
    EXPECT_EQ(map.DevicePath(4), "/dev/ttyS3");
}

TEST(PortMap, ListsOnlyKeysThatNameACom) {
    ScratchSettings scratch;
    scratch.writeRawFile(
        "[ports]\nCOM7=/b\nCOM3=/a\ncom4=/c\nCOM=/d\nCOM0=/e\nCOM40000=/f\nCOMx=/g\n");
    QList<std::pair<qint16, QString>> listed;
    for (const PortMap::Mapping& mapping : PortMap(scratch.location()).Mappings()) {
        listed.append({mapping.port, mapping.device});
    }
    EXPECT_EQ(listed, (QList<std::pair<qint16, QString>>{{3, "/a"}, {7, "/b"}}));
}

class DeviceNumbering : public ::testing::Test {
protected:
    QString device(const QString& name) {
        const QString path = scratch.directory() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    ScratchSettings scratch;
    PortMap map{scratch.location()};
};

TEST_F(DeviceNumbering, GivesTheFirstFreeNumberFromThreeAndKeepsIt) {
    scratch.writeRawFile("[ports]\nCOM1=/dev/ttyS0\nCOM3=/gone\nCOM5=/gone-too\n");
    const QString first = device("ttyACM0");
    const QString second = device("ttyACM1");

    EXPECT_EQ(map.NumberDevice(first, first).port, 4);
    EXPECT_EQ(map.NumberDevice(second, second).port, 6);
    EXPECT_EQ(map.NumberDevice(first, first).port, 4);
    EXPECT_EQ(map.DevicePath(4), first);
}

TEST_F(DeviceNumbering, FindsTheDeviceThroughItsStableLink) {
    const QString node = device("ttyACM0");
    const QString stable = scratch.directory() + "/usb-Phone-if00";
    ASSERT_TRUE(QFile::link(node, stable));

    EXPECT_EQ(map.NumberDevice(node, stable).port, 3);
    EXPECT_EQ(map.DevicePath(3), stable);
    // Plugged in again under another node: the stable link leads there now.
    const QString renamed = device("ttyACM1");
    ASSERT_TRUE(QFile::remove(stable));
    ASSERT_TRUE(QFile::link(renamed, stable));
    EXPECT_EQ(map.NumberDevice(renamed, stable).port, 3);
}

TEST_F(DeviceNumbering, RefusedEntryStillNumbersTheDeviceForThisRun) {
    const QString node = device("ttyUSB0");
    // A settings path that runs through a regular file refuses every write, root's too.
    const QString blocker = device("not-a-directory");
    PortMap unwritable({blocker + "/MyApp.conf", QSettings::NativeFormat});

    const PortMap::Numbering numbering = unwritable.NumberDevice(node, node);
    EXPECT_EQ(numbering.port, 3);
    EXPECT_FALSE(numbering.stored.stored());
    EXPECT_TRUE(numbering.stored.text().contains(blocker)) << numbering.stored.text();
}

}  // namespace
}  // namespace linvox::testing

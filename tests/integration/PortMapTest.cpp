// COM numbers on Linux: which [ports] keys count, and the first free number for a new device.
// The real modem list proves numbering across plugging and refused writes, under umockdev.
#include "platform/PortMap.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <QFile>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

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

}  // namespace
}  // namespace linvox::testing

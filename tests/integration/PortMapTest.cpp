// SPDX-License-Identifier: GPL-3.0-or-later
// COM numbers on Linux: which [ports] keys count, and numbering new devices, also by programs
// racing. The real modem list proves numbering across plugging and refused writes, under umockdev.
#include "platform/modemlist/DeviceNumbering_linux.h"
#include "platform/serial/PortMap.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/SettingsPeerProcess.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

// Listing and opening read a key alike: a port listed as COM<n> opens the device of its entry,
// and a key that names no port opens nothing.
TEST(PortMap, ReadsAKeyAlikeForListingAndForOpening) {
    const std::pair<QString, qint16> keys[] = {{"COM3", 3},  {"COM40", 40},   {"COM03", 0},
                                               {"COM+4", 0}, {"com4", 0},     {"COM4x", 0},
                                               {"COM0", 0},  {"COM40000", 0}, {"COM", 0}};
    for (const auto& [key, port] : keys) {
        ScratchSettings scratch;
        scratch.writeRawFile(("[ports]\n" + key + "=/dev/phone\n").toUtf8());
        const PortMap map(scratch.file());
        const DeviceNumbering numbering(scratch.file());
        QList<qint16> listed;
        for (const DeviceNumbering::Mapping& mapping : numbering.Mappings()) {
            listed.append(mapping.port);
        }
        EXPECT_EQ(listed, port == 0 ? QList<qint16>() : QList<qint16>{port}) << key;
        for (const qint16 opened : QList<qint16>{3, 4, 40}) {
            EXPECT_EQ(map.DevicePath(opened) == Outcome<QString>("/dev/phone"), opened == port)
                << key << opened;
        }
    }
}

// A hand-edited path with a control character names no device: it is neither listed nor opened.
TEST(PortMap, RefusesAPathWithAControlCharacterAsAnUnusableSetting) {
    for (const QByteArray path : {"/tmp/x-tty\\0/dev/ttyS9", "/dev/tty\\x1bS0", "/dev/ttyS0\\n"}) {
        ScratchSettings scratch;
        scratch.writeRawFile("[ports]\nCOM3=" + path + "\n");
        EXPECT_EQ(
            PortMap(scratch.file()).DevicePath(3),
            Outcome<QString>(Failure(FailureCode::SettingsNotRead)
                                 .Because(Failure(FailureCode::DevicePathHasControl, {}, "COM3"))))
            << path.toStdString();
        EXPECT_TRUE(DeviceNumbering(scratch.file()).Mappings().isEmpty());
    }
}

class NewDevices : public ::testing::Test {
protected:
    // Regular files stand in for devices: numbering tells devices apart by file.
    QString device(const QString& name) {
        const QString path = scratch.directory() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QList<qint16> number(const QStringList& nodes) {
        QList<DeviceNumbering::AttachedDevice> devices;
        for (const QString& node : nodes) {
            devices.append({node, node});
        }
        return numbering.NumberDevices(devices).ports;
    }

    ScratchSettings scratch;
    PortMap map{scratch.file()};
    DeviceNumbering numbering{scratch.file()};
};

TEST_F(NewDevices, GivesTheFirstFreeNumbersFromThreeAndKeepsThem) {
    scratch.writeRawFile("[ports]\nCOM1=/dev/ttyS0\nCOM3=/gone\nCOM5=/gone-too\n");
    const QString first = device("ttyACM0");
    const QString second = device("ttyACM1");
    const QString third = device("ttyACM2");

    EXPECT_EQ(number({first, second}), (QList<qint16>{4, 6}));
    EXPECT_EQ(number({third, second, first}), (QList<qint16>{7, 6, 4}));
    EXPECT_EQ(map.DevicePath(4).value(), first);
    EXPECT_EQ(map.DevicePath(7).value(), third);
}

TEST_F(NewDevices, KnowsADeviceThatTwoEntriesNameByTheLowerNumber) {
    const QString phone = device("ttyACM0");
    scratch.writeRawFile(QStringLiteral("[ports]\nCOM4=%1\nCOM9=%1\nCOM3=%2\nCOM8=%2\n")
                             .arg(phone, scratch.directory() + "/./ttyACM0")
                             .toUtf8());

    // By the path as written, and by the file for a path that no entry spells so.
    EXPECT_EQ(number({phone}), (QList<qint16>{4}));
    EXPECT_EQ(number({scratch.directory() + "//ttyACM0"}), (QList<qint16>{3}));
}

TEST_F(NewDevices, ProgramsNumberingAtOnceGiveEachDeviceItsOwnNumberAndKeepEveryEntry) {
    constexpr int kDevicesEach = 15;
    for (int round = 0; round < 4; ++round) {
        ScratchSettings settings;
        QStringList seenByFirst;
        QStringList seenBySecond;
        for (int i = 0; i < kDevicesEach; ++i) {
            seenByFirst.append(device(QStringLiteral("round%1-first%2").arg(round).arg(i)));
            seenBySecond.append(device(QStringLiteral("round%1-second%2").arg(round).arg(i)));
        }
        SettingsPeerProcess first(settings.filePath());
        SettingsPeerProcess second(settings.filePath());
        first.send("number " + seenByFirst.join(' '));
        second.send("number " + seenBySecond.join(' '));
        const QStringList answers = first.answer().split(' ') + second.answer().split(' ');
        const QStringList devices = seenByFirst + seenBySecond;

        ASSERT_EQ(answers.size(), devices.size()) << answers.join(' ');
        const PortMap written(settings.file());
        EXPECT_EQ(DeviceNumbering(settings.file()).Mappings().size(), devices.size())
            << "round " << round;
        QSet<qint16> ports;
        for (qsizetype i = 0; i < devices.size(); ++i) {
            const auto port = static_cast<qint16>(answers[i].toInt());
            ports.insert(port);
            EXPECT_EQ(written.DevicePath(port).value(), devices[i]) << "round " << round;
        }
        EXPECT_EQ(ports.size(), devices.size()) << "round " << round;
    }
}

}  // namespace
}  // namespace linvox::testing

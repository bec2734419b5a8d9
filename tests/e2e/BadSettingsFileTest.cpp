// The link handler with settings files that a careless hand can leave behind: a call goes where
// the file says, or nowhere, with the reason, and never where defaults would send it.
#include "support/LinvoxProcess.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// The settings of a user whose MTS phone is COM2, that phone being device.
QByteArray SettingsForPhone(const QString& device) {
    return "[linvox]\nport_mts=2\n\n[ports]\nCOM2=" + QFile::encodeName(device) + "\n";
}

// Lets root be refused by file permissions as any user is, by giving up the capabilities that
// override them; a no-op for other users.
void WithoutPermissionOverride() {
    if (::geteuid() == 0) {
        ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
        ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
    }
}

struct BadFileCase {
    const char* name;
    // Puts the bad file in place of the settings file, given the phone the user means.
    std::function<void(const ScratchSettings&, const PhoneSimulator&)> make;
    // The reason given with the file's path for %1; empty when the call goes through.
    QString reason;
    std::function<void()> inChild = {};
};

void PrintTo(const BadFileCase& bad, std::ostream* out) {
    *out << bad.name;
}

class BadSettingsFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadSettingsFile, DialsWhereTheFileSaysOrNowhereWithTheReason) {
    ScratchSettings scratch;
    PhoneSimulator phone;
    GetParam().make(scratch, phone);

    LinvoxProcess linvox({"tel:0501234567"}, scratch.directory(),
                         LinvoxProcess::HeadlessEnvironment(), GetParam().inChild);
    ASSERT_TRUE(linvox.waitForExit(10s)) << "still running";

    if (GetParam().reason.isEmpty()) {
        EXPECT_EQ(linvox.exitStatus(), 0);
        EXPECT_EQ(linvox.standardError(), "");
        EXPECT_TRUE(phone.waitForCommands(1, 10s));
        EXPECT_EQ(phone.transcript(), "ATD0501234567;\r");
    } else {
        EXPECT_EQ(linvox.exitStatus(), 1);
        EXPECT_EQ(linvox.standardError(),
                  "Модем: Ошибка соединения с модемом:\n"
                  "Настройки не прочитаны: " +
                      GetParam().reason.arg(scratch.filePath()) + "\n");
        EXPECT_EQ(phone.transcript(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSettingsFile,
    ::testing::Values(
        BadFileCase{"a device path with a comma",
                    [](const ScratchSettings& scratch, const PhoneSimulator& phone) {
                        const QString byId = scratch.directory() + "/usb-Maker_Phone,_Inc-if00";
                        ASSERT_TRUE(QFile::link(phone.devicePath(), byId));
                        scratch.writeRawFile(SettingsForPhone(byId));
                    },
                    ""},
        BadFileCase{"a directory",
                    [](const ScratchSettings& scratch, const PhoneSimulator&) {
                        ASSERT_EQ(::mkdir(QFile::encodeName(scratch.filePath()), 0700), 0);
                    },
                    "файл настроек %1 — это каталог, а не файл"},
        BadFileCase{"a FIFO",
                    [](const ScratchSettings& scratch, const PhoneSimulator&) {
                        ASSERT_EQ(::mkfifo(QFile::encodeName(scratch.filePath()), 0600), 0);
                    },
                    "файл настроек %1 — не обычный файл, а канал или устройство"},
        BadFileCase{"a link to /dev/zero",
                    [](const ScratchSettings& scratch, const PhoneSimulator&) {
                        ASSERT_TRUE(QFile::link("/dev/zero", scratch.filePath()));
                    },
                    "файл настроек %1 — не обычный файл, а канал или устройство"},
        BadFileCase{"a link to itself",
                    [](const ScratchSettings& scratch, const PhoneSimulator&) {
                        ASSERT_TRUE(QFile::link(scratch.filePath(), scratch.filePath()));
                    },
                    "файл настроек %1 — ссылка, которая никуда не ведёт"},
        BadFileCase{"a file the user may not read",
                    [](const ScratchSettings& scratch, const PhoneSimulator& phone) {
                        scratch.writeRawFile(SettingsForPhone(phone.devicePath()));
                        ASSERT_EQ(::chmod(QFile::encodeName(scratch.filePath()), 0), 0);
                    },
                    "нет доступа на чтение к файлу настроек %1", WithoutPermissionOverride}));

}  // namespace
}  // namespace linvox::testing

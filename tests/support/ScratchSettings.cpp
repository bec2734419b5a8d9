#include "ScratchSettings.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace linvox::testing {

ScratchSettings::ScratchSettings() { EXPECT_TRUE(m_directory.isValid()); }

QString ScratchSettings::filePath() const {
    return m_directory.filePath(QStringLiteral("MyApp.conf"));
}

SettingsLocation ScratchSettings::location() const {
    return {filePath(), QSettings::NativeFormat};
}

QByteArray ScratchSettings::rawFile() const {
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ScratchSettings::writeRawFile(const QByteArray& bytes) const {
    QFile file(filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void ScratchSettings::preset(std::initializer_list<std::pair<QString, QString>> values) const {
    SettingsStore settings = store();
    for (const auto& [key, value] : values) {
        ASSERT_TRUE(settings.WriteSetting(key, value).stored()) << key.toStdString();
    }
}

void ScratchSettings::mapPort(qint16 port, const QString& device) const {
    QSettings settings(filePath(), QSettings::NativeFormat);
    settings.setValue(QStringLiteral("ports/COM%1").arg(port), device);
    settings.sync();
    ASSERT_EQ(settings.status(), QSettings::NoError);
}

QString Key(const SettingKey& key) { return ToQString(key.name); }

}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScratchSettings.h"

#include <stdexcept>

#include <QDateTime>
#include <QFile>
#include <QSettings>

namespace linvox::testing {

ScratchSettings::ScratchSettings() : m_file(location()) {
    if (!m_directory.isValid()) {
        throw std::runtime_error("no temporary directory for the settings");
    }
}

QString ScratchSettings::filePath() const {
    return m_directory.filePath(QStringLiteral("MyApp.conf"));
}

SettingsLocation ScratchSettings::location() const {
    return {filePath(), QSettings::IniFormat};
}

QByteArray ScratchSettings::rawFile() const {
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ScratchSettings::writeRawFile(const QByteArray& bytes, Written written) const {
    QFile file(filePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush() ||
        (written == Written::LongAgo &&
         !file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                           QFileDevice::FileModificationTime))) {
        throw std::runtime_error("cannot write " + filePath().toStdString());
    }
}

void ScratchSettings::preset(std::initializer_list<std::pair<QString, QString>> values) const {
    for (const auto& [key, value] : values) {
        if (!m_file.Write(kSettingsSection, key, value).ok()) {
            throw std::runtime_error("cannot store " + key.toStdString());
        }
    }
}

void ScratchSettings::mapPort(qint16 port, const QString& device) const {
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("ports/COM%1").arg(port), device);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        throw std::runtime_error("cannot map COM" + std::to_string(port));
    }
}

}  // namespace linvox::testing

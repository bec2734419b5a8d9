// SPDX-License-Identifier: GPL-3.0-or-later
// A second process on the same settings file, for tests of what one process sees of another's
// writes. Reads commands from stdin, one per line, and answers each with one line:
//   read <key>             -> the stored text, or "<absent>"
//   write <key> <value>    -> "stored", or "refused: " and the reason
//   number <device>...     -> the COM number of each device, as the modem list gives them (0 for
//                             one left without), parted by blanks
#include "platform/modemlist/DeviceNumbering_linux.h"
#include "platform/settingsfile/SettingsFile.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: settings-peer <settings file>\n";
        return 2;
    }
    linvox::SettingsFile file({QString::fromLocal8Bit(argv[1]), QSettings::IniFormat});
    linvox::DeviceNumbering numbering(file);
    QTextStream in(stdin);
    QTextStream out(stdout);
    const QString absent = QStringLiteral("<absent>");
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList words = line.split(u' ');
        if (words.size() == 2 && words[0] == u"read") {
            out << file.Read(linvox::kSettingsSection, words[1]).value_or(absent) << Qt::endl;
        } else if (words.size() == 3 && words[0] == u"write") {
            const linvox::StoreStatus status =
                file.Write(linvox::kSettingsSection, words[1], words[2]);
            out << (status.ok() ? QStringLiteral("stored") : "refused: " + Say(status.failure()))
                << Qt::endl;
        } else if (words.size() > 1 && words[0] == u"number") {
            QList<linvox::DeviceNumbering::AttachedDevice> devices;
            for (const QString& device : words.mid(1)) {
                devices.append({device, device});
            }
            QStringList ports;
            for (const qint16 port : numbering.NumberDevices(devices).ports) {
                ports.append(QString::number(port));
            }
            out << ports.join(u' ') << Qt::endl;
        } else {
            out << "bad command" << Qt::endl;
        }
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt floor for the start-up benchmark: a bare Qt Core program that opens the serial device
// and puts a dial string on it, with no settings, routing, locks or words of its own.
#include <cstdio>

#include <QCoreApplication>
#include <QFile>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: qt-open-and-write <device> <text>\n", stderr);
        return 2;
    }
    QFile device(QString::fromLocal8Bit(argv[1]));
    if (!device.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(device.errorString()));
        return 1;
    }
    const QByteArray line = QByteArray(argv[2]) + '\r';
    return device.write(line) == line.size() ? 0 : 1;
}

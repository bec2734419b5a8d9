// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt floor for the start-up benchmark: a bare Qt Core program that opens the serial line the
// Qt way and puts a dial string on it, with no settings, routing, locks or words of its own.
#include <cstdio>

#include <QCoreApplication>
#include <QSerialPort>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: qt-open-and-write <device> <text>\n", stderr);
        return 2;
    }
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(port.errorString()));
        return 1;
    }
    const QByteArray line = QByteArray(argv[2]) + '\r';
    const bool written = port.write(line) == line.size() && port.waitForBytesWritten(1000);
    return written ? 0 : 1;
}

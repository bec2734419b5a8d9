// SPDX-License-Identifier: GPL-3.0-or-later
// The window's port search and check on the real serial line, against simulated phones that
// answer, stay silent, flood, hang up and are held by another program.
#include "app/FormPort.h"
#include "commands/LineCommands.h"
#include "platform/modemlist/SystemModemList.h"
#include "platform/modemmanager/ModemManagerModems.h"
#include "platform/modemmanager/QtSystemBus.h"
#include "platform/process/EventLoopPause.h"
#include "platform/serial/SystemSerialLine.h"
#include "support/FakeShell.h"
#include "support/LinvoxProcess.h"
#include "support/ModemManagerSession.h"
#include "support/PhoneSimulator.h"
#include "support/RecordingMessageSink.h"
#include "support/ScratchSettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace linvox::testing {

using namespace std::chrono_literals;

// The real window on the real serial line and modem list, over a scratch settings file, with the
// modems another program manages.
struct DiscoveryWindow {
    DiscoveryWindow(ScratchSettings& scratch, ManagedModems& managed)
        : settings(scratch.store()),
          line(PortMap(scratch.file())),
          modems(scratch.file(), managed),
          lineCommands(line, managed, modems, settings, messages, pause),
          window({settings, messages, shell, lineCommands, [] {}}) {
        window.LoadSettings();
    }

    QWidget* control(const char* name) const {
        return window.findChild<QWidget*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return qobject_cast<QLabel*>(control(name))->text(); }

    SettingsStore settings;
    SystemSerialLine line;
    SystemModemList modems;
    RecordingMessageSink messages;
    EventLoopPause pause;
    FakeShell shell;
    LineCommands lineCommands;
    FormPort window;
};

class PhoneDiscoveryTest : public QObject {
    Q_OBJECT

private slots:
    void searchAndCheckShowWhatAnswersAndTheLinkHandlerDialsAfterAManualCall();
    void searchAndCheckNameTheModemThatModemManagerManages();
};

void PhoneDiscoveryTest::searchAndCheckShowWhatAnswersAndTheLinkHandlerDialsAfterAManualCall() {
    PhoneSimulator modelX({"--model", "MODEL X1"});
    PhoneSimulator modelY({"--model", "PHONE Y2"});
    PhoneSimulator silent({"--silent"});
    PhoneSimulator flooding({"--flood"});
    PhoneSimulator unplugged({"--hang-up-after", "0"});
    PhoneSimulator held({"--busy"});
    ScratchSettings scratch;
    qint16 port = 3;
    for (const PhoneSimulator* phone : {&modelX, &modelY, &silent, &flooding, &unplugged, &held}) {
        scratch.mapPort(port++, phone->devicePath());
    }
    NoManagedModems managed;
    DiscoveryWindow discovery(scratch, managed);
    discovery.window.show();
    const auto control = [&](const char* name) { return discovery.control(name); };
    const auto text = [&](const char* name) { return discovery.text(name); };

    QTest::mouseClick(control("Command5"), Qt::LeftButton);
    const QString found = qobject_cast<QPlainTextEdit*>(control("Text4"))->toPlainText();
    QStringList lines = found.split(u'\n');
    // The phone unplugged mid-probe is listed while its device lingers, by name only.
    lines.removeOne("7 - (" + unplugged.devicePath() + ")");
    QVERIFY2(lines.size() == 5, qPrintable(lines.last().left(100)));
    QCOMPARE(lines.first(4), QStringList({"", "3 - MODEL X1", "4 - PHONE Y2",
                                          "5 - (" + silent.devicePath() + ")"}));
    QVERIFY(lines[4].startsWith("6 - ") && lines[4].contains("+FLOOD: 0123456789"));
    QCOMPARE(qobject_cast<QGroupBox*>(control("Frame1"))->title(), DoneCaption(100));
    QCOMPARE(control("Shape1")->width(), 241);
    QCOMPARE(control("Shape1")->palette().color(control("Shape1")->backgroundRole()),
             QColor(0, 255, 0));

    const std::pair<const char*, const char*> ports[] = {
        {"Text3", "3"}, {"Text5", "4"}, {"Text6", "5"}, {"Text7", "6"}, {"Text1", "8"}};
    for (const auto& [field, number] : ports) {
        qobject_cast<QLineEdit*>(control(field))->setText(number);
    }
    QTest::mouseClick(control("Command7"), Qt::LeftButton);
    QCOMPARE(text("Label2"), "MODEL X1");
    QCOMPARE(text("Label3"), "PHONE Y2");
    QCOMPARE(text("Label4"), "(" + silent.devicePath() + ")");
    QVERIFY(text("Label5").contains("+FLOOD: 0123456789"));
    QCOMPARE(text("Label8"), Say(Phrase::ProbePortHeld));
    QCOMPARE(qobject_cast<QGroupBox*>(control("Frame2"))->title(), DoneCaption(100));

    // The window gives the phone back after a call, so a link clicked meanwhile reaches it.
    qobject_cast<QLineEdit*>(control("Text2"))->setText("0501234567");
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    LinvoxProcess linkHandler({"tel:0661234567"}, scratch.directory());
    QVERIFY(linkHandler.waitForExit(20s));
    QCOMPARE(linkHandler.exitStatus(), 0);
    QVERIFY(modelX.waitForCommands(2, 5s));
    QStringList dialed;
    for (const ReceivedCommand& command : modelX.receivedCommands()) {
        dialed.append(QString::fromLatin1(command.text));
    }
    QVERIFY2(dialed.last(2) == QStringList({"ATD0501234567;", "ATD0661234567;"}),
             qPrintable(dialed.join(' ')));
    QVERIFY2(discovery.messages.messages.size() == 2,
             qPrintable(discovery.messages.messages.last().text));
}

void PhoneDiscoveryTest::searchAndCheckNameTheModemThatModemManagerManages() {
    if (!ModemManagerSession::Installed()) {
        QSKIP("ModemManager, socat or dbus-daemon is not installed");
    }
    ModemManagerSession session;
    PhoneSimulator phone({"--modem-manager", "--model", "PHONE-SIM MM"});
    ScratchSettings scratch;
    scratch.mapPort(3, session.addModem(phone.devicePath()));
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", session.address().toUtf8());
    ModemManagerModems managed(PortMap(scratch.file()), [] {
        return Outcome<std::unique_ptr<SystemBus>>(std::make_unique<QtSystemBus>());
    });
    DiscoveryWindow discovery(scratch, managed);
    const auto control = [&](const char* name) { return discovery.control(name); };

    QTest::mouseClick(control("Command5"), Qt::LeftButton);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(control("Text4"))->toPlainText().split(u'\n').value(1),
             "3 - PHONE-SIM MM");
    qobject_cast<QLineEdit*>(control("Text3"))->setText("3");
    QTest::mouseClick(control("Command7"), Qt::LeftButton);
    QCOMPARE(discovery.text("Label2"), "PHONE-SIM MM");
    // Nothing reached the phone but what ModemManager asks of a modem it sets up.
    QVERIFY(!phone.transcript().contains("AT+GMM"));
}

}  // namespace linvox::testing

QTEST_MAIN(linvox::testing::PhoneDiscoveryTest)
#include "PhoneDiscoveryTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The real window, offscreen, driven by the object names of its controls as a user would.
#include "app/FormPort.h"
#include "app/ReadableColours.h"
#include "support/FormHarness.h"

#include <cmath>
#include <memory>
#include <optional>

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

namespace linvox::testing {

const Message kNotAPortNumber{Say(Phrase::PortMustBeDigits), kProgramTitle};

class FormPortTest : public QObject {
    Q_OBJECT

private slots:
    void everyKeystrokeInAPortFieldIsStored_data();
    void everyKeystrokeInAPortFieldIsStored();
    void portFieldStoresNumbersAsTypedAndRefusesTheRest_data();
    void portFieldStoresNumbersAsTypedAndRefusesTheRest();
    void refusedWriteIsShownToTheUser();
    void everyControlShowsItsCaption_data();
    void everyControlShowsItsCaption();
    void viewSwitchSetsTheOuterSizes();
    void switchingModesKeepsTheHiddenFieldsAndKeys();
    void bareStartOnAnEmptyStoreWritesTheOperatorPortsAndTheMode();
    void storedModeChoosesTheLayout_data();
    void storedModeChoosesTheLayout();
    void storedPortsAreShownAsNumbers_data();
    void storedPortsAreShownAsNumbers();
    void manualCallDialsTheCleanedNumber_data();
    void manualCallDialsTheCleanedNumber();
    void secondCallDuringTheWaitIsRefusedAndTheWindowStaysResponsive();
    void closingEndsTheProgramAtOnceAlsoDuringTheWait();
    void supportLinkOpensTheSiteOrSaysWhyNot();
    void enterAndSpacePressEveryButton();
    void fixedColoursKeepAReadablePartnerInEveryTheme_data();
    void fixedColoursKeepAReadablePartnerInEveryTheme();
    void colouredButtonsShowTheirColourAndFocusUnderAnyStyle();
    void aDevicesAnswerIsShownAsPlainText();
    void aScreenReaderHearsWhatEachFieldAndResultIsFor();
};

void FormPortTest::everyKeystrokeInAPortFieldIsStored_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("key");
    QTest::newRow("MTS") << "Text3"
                         << "port_mts";
    QTest::newRow("Kyivstar") << "Text5"
                              << "port_ks";
    QTest::newRow("Life") << "Text6"
                          << "port_lf";
    QTest::newRow("Beeline") << "Text7"
                             << "port_be";
    QTest::newRow("everything else") << "Text1"
                                     << "port";
}

void FormPortTest::everyKeystrokeInAPortFieldIsStored() {
    QFETCH(QString, field);
    QFETCH(QString, key);
    Harness harness;
    harness.window.LoadSettings();
    auto* portField = harness.window.findChild<QLineEdit*>(field);
    QVERIFY(portField);
    portField->setFocus();
    QTest::keyClick(portField, Qt::Key_End);

    QTest::keyClick(portField, Qt::Key_Backspace);
    QCOMPARE(portField->text(), QString());
    QCOMPARE(harness.messages.messages, QList<Message>{kNotAPortNumber});
    QCOMPARE(harness.stored(key), field == "Text1" ? "<absent>" : "1");

    QTest::keyClick(portField, Qt::Key_1);
    QCOMPARE(harness.stored(key), "1");
    QTest::keyClick(portField, Qt::Key_2);
    QCOMPARE(harness.stored(key), "12");
    QCOMPARE(harness.messages.messages.size(), 1);
}

void FormPortTest::portFieldStoresNumbersAsTypedAndRefusesTheRest_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("digits") << "7"
                            << "7";
    QTest::newRow("blank before") << " 7"
                                  << " 7";
    QTest::newRow("decimal comma") << "1,5"
                                   << "1,5";
    QTest::newRow("sign") << "+4"
                          << "+4";
    QTest::newRow("COM3") << "COM3"
                          << "3";
    QTest::newRow("letters after") << "3a"
                                   << "3";
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("٣") << "3";
}

void FormPortTest::portFieldStoresNumbersAsTypedAndRefusesTheRest() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Harness harness;
    harness.window.LoadSettings();
    auto* field = harness.control<QLineEdit>("Text3");
    field->setText("3");
    harness.messages.messages.clear();

    field->setText(typed);

    QCOMPARE(harness.stored("port_mts"), stored);
    QCOMPARE(harness.messages.messages.isEmpty(), typed == stored);
    QCOMPARE(field->text(), typed);
}

void FormPortTest::refusedWriteIsShownToTheUser() {
    ScratchSettings scratch;
    QFile blocker(scratch.directory() + "/not-a-directory");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Harness harness(SettingsLocation{blocker.fileName() + "/MyApp.conf", QSettings::IniFormat});

    harness.window.LoadSettings();
    QCOMPARE(harness.messages.messages.size(), 1);
    harness.control<QLineEdit>("Text3")->setText("4");

    QCOMPARE(harness.messages.messages.size(), 2);
    QCOMPARE(harness.messages.messages.first().title, "Linvox");
    QVERIFY(harness.messages.messages.first().text.startsWith(
        Say(Phrase::SettingNotSaved).arg(QString())));
    QCOMPARE(harness.stored("port_mts"), "<absent>");
}

void FormPortTest::everyControlShowsItsCaption_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    const std::pair<const char*, const char*> captions[] = {
        {"Command1", "Позвонить"},
        {"Command4", "Настройки"},
        {"Command5", "Поиск портов модемов"},
        {"Command7", "Проверить выбранные порты"},
        {"Frame1", "Индикатор поиска портов"},
        {"Frame2", "Индикатор проверки портов"},
        {"Label1", "Настройка принадлежности портов:"},
        {"Label6", "MTS, JEANS"},
        {"Label7", "KYIVSTAR, DJUICE"},
        {"Label10", "LIFE"},
        {"Label11", "BEELINE"},
        {"Label12", "Всё остальное"},
        {"Option1", "Используется только один телефон"},
        {"Option2", "Используется несколько телефонов"},
        {"Label9", "Техподдержка на сайте:"},
    };
    for (const auto& [control, caption] : captions) {
        QTest::newRow(control) << control << QString::fromUtf8(caption);
    }
}

void FormPortTest::everyControlShowsItsCaption() {
    QFETCH(QString, control);
    QFETCH(QString, caption);
    Harness harness;
    harness.window.LoadSettings();
    QCOMPARE(harness.window.windowTitle(), "Linvox");
    QWidget* widget = harness.window.findChild<QWidget*>(control);
    QVERIFY(widget);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QCOMPARE(button->text(), caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        QCOMPARE(frame->title(), caption);
    } else {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
    }
}

void FormPortTest::viewSwitchSetsTheOuterSizes() {
    Harness harness;
    harness.window.LoadSettings();
    harness.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&harness.window));
    auto* viewSwitch = harness.control<QPushButton>("Command4");
    // 15 twips to a pixel: 5460 x 1800 and 8640 x 6360 twips, frame and title bar included.
    const QSize compact(364, 120);
    const QSize settingsView(576, 424);

    QTest::mouseClick(viewSwitch, Qt::LeftButton);
    QCOMPARE(viewSwitch->text(), Say(Phrase::HideSettingsCaption));
    QCOMPARE(harness.window.frameGeometry().size(), settingsView);

    QTest::mouseClick(viewSwitch, Qt::LeftButton);
    QCOMPARE(viewSwitch->text(), Say(Phrase::ShowSettingsCaption));
    QCOMPARE(harness.window.frameGeometry().size(), compact);
}

void FormPortTest::switchingModesKeepsTheHiddenFieldsAndKeys() {
    Harness harness;
    harness.scratch.preset(
        {{"port_mts", "2"}, {"port_ks", "3"}, {"port_lf", "4"}, {"port_be", "5"}, {"port", "9"}});
    harness.window.LoadSettings();
    harness.window.show();
    harness.openSettingsView();
    const QStringList operatorControls{"Text3",  "Text5",  "Text6",   "Text7",
                                       "Label6", "Label7", "Label10", "Label11",
                                       "Label2", "Label3", "Label4",  "Label5"};
    const auto operatorRowsShown = [&](bool shown) {
        for (const QString& name : operatorControls) {
            if (harness.window.findChild<QWidget*>(name)->isVisibleTo(&harness.window) != shown) {
                return false;
            }
        }
        return true;
    };
    QVERIFY(operatorRowsShown(true));

    QTest::mouseClick(harness.control<QRadioButton>("Option1"), Qt::LeftButton);
    QVERIFY(operatorRowsShown(false));
    QCOMPARE(harness.control<QLabel>("Label12")->text(), Say(Phrase::PortForAllCallsCaption));
    QCOMPARE(harness.stored("1telefon"), "True");

    QTest::mouseClick(harness.control<QRadioButton>("Option2"), Qt::LeftButton);
    QVERIFY(operatorRowsShown(true));
    QCOMPARE(harness.control<QLabel>("Label12")->text(), Say(Phrase::EveryOtherNumberCaption));
    QCOMPARE(harness.stored("1telefon"), "False");
    // The form's fields in the order of the operator table.
    const QStringList fields{"Text3", "Text5", "Text6", "Text7", "Text1"};
    const QStringList ports{"2", "3", "4", "5", "9"};
    for (std::size_t i = 0; i < kOperators.size(); ++i) {
        const auto row = static_cast<qsizetype>(i);
        QCOMPARE(harness.window.findChild<QLineEdit*>(fields[row])->text(), ports[row]);
        QCOMPARE(harness.stored(ToQString(kOperators[i].port.key)), ports[row]);
    }
    QVERIFY(harness.messages.messages.isEmpty());
}

void FormPortTest::bareStartOnAnEmptyStoreWritesTheOperatorPortsAndTheMode() {
    Harness harness;
    harness.window.LoadSettings();
    for (std::size_t row = 0; row < kAllCallsRow; ++row) {
        QCOMPARE(harness.stored(ToQString(kOperators[row].port.key)), "1");
    }
    QCOMPARE(harness.stored("1telefon"), "False");
    QCOMPARE(harness.stored("port"), "<absent>");
    QVERIFY(harness.control<QRadioButton>("Option2")->isChecked());
    QCOMPARE(harness.control<QLineEdit>("Text1")->text(), "1");
}

void FormPortTest::storedModeChoosesTheLayout_data() {
    QTest::addColumn<QString>("storedMode");
    QTest::addColumn<bool>("singlePhone");
    QTest::addColumn<QString>("modeAfterStart");
    QTest::newRow("True") << "True" << true << "True";
    QTest::newRow("true") << "true" << false << "False";
    QTest::newRow("TRUE") << "TRUE" << false << "False";
    QTest::newRow("False") << "False" << false << "False";
    QTest::newRow("absent") << QString() << false << "False";
}

void FormPortTest::storedModeChoosesTheLayout() {
    QFETCH(QString, storedMode);
    QFETCH(bool, singlePhone);
    QFETCH(QString, modeAfterStart);
    Harness harness;
    if (!storedMode.isNull()) {
        harness.scratch.preset({{"1telefon", storedMode}});
    }
    harness.window.LoadSettings();
    harness.openSettingsView();
    QCOMPARE(harness.control<QRadioButton>("Option1")->isChecked(), singlePhone);
    QCOMPARE(harness.control<QRadioButton>("Option2")->isChecked(), !singlePhone);
    QCOMPARE(harness.control<QLineEdit>("Text3")->isVisibleTo(&harness.window), !singlePhone);
    QCOMPARE(
        harness.control<QLabel>("Label12")->text(),
        singlePhone ? Say(Phrase::PortForAllCallsCaption) : Say(Phrase::EveryOtherNumberCaption));
    QCOMPARE(harness.stored("1telefon"), modeAfterStart);
}

void FormPortTest::storedPortsAreShownAsNumbers_data() {
    QTest::addColumn<QString>("storedText");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "4"
                           << "4";
    QTest::newRow("blank before") << " 7"
                                  << "7";
    QTest::newRow("half") << "2.5"
                          << "2";
    QTest::newRow("letters") << "COM3"
                             << "0";
    QTest::newRow("hexadecimal") << "&H10"
                                 << "16";
    QTest::newRow("beyond 16 bits, shown as stored") << "40000"
                                                     << "40000";
}

void FormPortTest::storedPortsAreShownAsNumbers() {
    QFETCH(QString, storedText);
    QFETCH(QString, shown);
    Harness harness;
    harness.scratch.preset({{"port_lf", storedText}});
    harness.window.LoadSettings();
    QCOMPARE(harness.control<QLineEdit>("Text6")->text(), shown);
    QCOMPARE(harness.stored("port_lf"), shown);
    QVERIFY(harness.messages.messages.isEmpty());
}

void FormPortTest::manualCallDialsTheCleanedNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("messageTitles");
    QTest::newRow("empty") << "" << QStringList{} << QStringList{Say(Phrase::NumberCheckTitle)};
    QTest::newRow("three blanks") << "   " << QStringList{} << QStringList{"Linvox"};
    QTest::newRow("international")
        << "+38 (050) 123-45-67" << QStringList{"Output=ATD380501234567;\r"} << QStringList{};
    QTest::newRow("national") << "050-123-45-67" << QStringList{"Output=ATD0501234567;\r"}
                              << QStringList{};
    QTest::newRow("11 digits") << "8 050 123 45 67" << QStringList{}
                               << QStringList{Say(Phrase::NumberCheckTitle)};
    QTest::newRow("13 digits") << "+3800501234567" << QStringList{}
                               << QStringList{Say(Phrase::NumberCheckTitle)};
}

void FormPortTest::manualCallDialsTheCleanedNumber() {
    QFETCH(QString, typed);
    QFETCH(QStringList, written);
    QFETCH(QStringList, messageTitles);
    Harness harness;
    harness.window.LoadSettings();
    harness.messages.messages.clear();
    QTest::keyClicks(harness.control<QLineEdit>("Text2"), typed);

    QTest::mouseClick(harness.control<QPushButton>("Command1"), Qt::LeftButton);

    QCOMPARE(harness.line.log.filter("Output="), written);
    QStringList titles;
    for (const Message& message : harness.messages.messages) {
        titles.append(message.title);
    }
    QCOMPARE(titles, messageTitles);
    QCOMPARE(harness.control<QLineEdit>("Text2")->text(), typed);
}

void FormPortTest::secondCallDuringTheWaitIsRefusedAndTheWindowStaysResponsive() {
    Harness harness;
    harness.window.LoadSettings();
    harness.window.show();
    auto* call = harness.control<QPushButton>("Command1");
    auto* viewSwitch = harness.control<QPushButton>("Command4");
    harness.control<QLineEdit>("Text2")->setText("0501234567");
    bool switchedDuringWait = false;
    harness.pause.duringPause = [&] {
        if (harness.pause.requests.size() > 1) {
            return;  // a second call got through; let it end instead of pressing again
        }
        call->click();
        QTest::mouseClick(viewSwitch, Qt::LeftButton);
        switchedDuringWait = viewSwitch->text() == Say(Phrase::HideSettingsCaption);
    };

    QTest::mouseClick(call, Qt::LeftButton);

    QCOMPARE(harness.line.log.filter("Output=").size(), 1);
    QCOMPARE(harness.pause.requests.size(), 1);
    QVERIFY(switchedDuringWait);

    harness.pause.duringPause = nullptr;
    QTest::mouseClick(call, Qt::LeftButton);
    QCOMPARE(harness.line.log.filter("Output=").size(), 2);
}

void FormPortTest::closingEndsTheProgramAtOnceAlsoDuringTheWait() {
    Harness harness;
    harness.window.LoadSettings();
    harness.window.show();
    harness.control<QLineEdit>("Text2")->setText("0501234567");
    bool portOpenAtEnd = true;
    harness.pause.duringPause = [&] {
        harness.window.close();
        portOpenAtEnd = harness.line.PortOpen();
        QCOMPARE(harness.programEnds, 1);
    };

    QTest::mouseClick(harness.control<QPushButton>("Command1"), Qt::LeftButton);

    QCOMPARE(harness.programEnds, 1);
    QVERIFY(!portOpenAtEnd);
}

void FormPortTest::supportLinkOpensTheSiteOrSaysWhyNot() {
    Harness harness;
    harness.window.LoadSettings();
    auto* link = harness.control<QLabel>("Label13");
    const QString address = link->text();
    QVERIFY(address.startsWith("http://"));

    QList<Qt::CursorShape> cursorsWhileOpening;
    harness.shell.onOpen = [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        cursorsWhileOpening.append(cursor ? cursor->shape() : Qt::ArrowCursor);
    };
    bool arrowWhileMessageShown = false;
    harness.messages.onShow = [&](const Message&) {
        arrowWhileMessageShown = QGuiApplication::overrideCursor() == nullptr;
    };

    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(harness.shell.opened, (QStringList{address, address, address}));
    QCOMPARE(cursorsWhileOpening,
             (QList<Qt::CursorShape>{Qt::WaitCursor, Qt::WaitCursor, Qt::WaitCursor}));
    QVERIFY(harness.messages.messages.isEmpty());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    harness.shell.outcome = {false, 1155};
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(arrowWhileMessageShown);
    const Message failure{JoinLines({Say(Phrase::CannotOpenPage).arg(address), "", "1155"}),
                          Say(Phrase::CannotOpenPageTitle)};
    QCOMPARE(harness.messages.messages, QList<Message>{failure});
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void FormPortTest::enterAndSpacePressEveryButton() {
    Harness harness;
    harness.window.LoadSettings();
    harness.openSettingsView();
    for (QAbstractButton* button : harness.window.findChildren<QAbstractButton*>()) {
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(button, key);
        }
        QVERIFY2(clicks.count() == 3, qPrintable(button->objectName()));
    }
}

// A dark theme as applications often set one up, tooltips white on white included.
QPalette DarkPalette() {
    QPalette dark(QColor(0x353535), QColor(0x353535));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText}) {
        dark.setColor(role, Qt::white);
    }
    dark.setColor(QPalette::Base, QColor(0x191919));
    dark.setColor(QPalette::ToolTipBase, Qt::white);
    return dark;
}

void FormPortTest::fixedColoursKeepAReadablePartnerInEveryTheme_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPalette::ColorRole>("fixedRole");
    QTest::addColumn<QColor>("fixedColour");  // invalid: the theme's tooltip colour
    const std::tuple<const char*, QPalette::ColorRole, QColor> rows[] = {
        {"Text2", QPalette::Base, QColor(0xFFFF00)},
        {"Text4", QPalette::Base, QColor()},
        {"Command1", QPalette::Button, QColor(0x00FF00)},
        {"Command5", QPalette::Button, QColor(0xC0C0C0)},
        {"Command7", QPalette::Button, QColor(0x808080)},
        {"Label6", QPalette::WindowText, QColor(0xFF8000)},
        {"Label2", QPalette::WindowText, QColor(0x0000FF)},
        {"Label13", QPalette::WindowText, QColor(0x0000FF)}};
    for (const bool dark : {false, true}) {
        for (const auto& [control, role, colour] : rows) {
            QTest::addRow("%s, %s", control, dark ? "dark" : "light")
                << dark << control << role << colour;
        }
    }
}

void FormPortTest::fixedColoursKeepAReadablePartnerInEveryTheme() {
    QFETCH(bool, dark);
    QFETCH(QString, control);
    QFETCH(QPalette::ColorRole, fixedRole);
    QFETCH(QColor, fixedColour);
    const QPalette lightTheme = QApplication::palette();
    const auto restoreTheme = qScopeGuard([&] { QApplication::setPalette(lightTheme); });
    if (dark) {
        QApplication::setPalette(DarkPalette());
    }
    Harness harness;

    const QPalette painted = harness.control<QWidget>(qPrintable(control))->palette();
    const QPalette::ColorRole partnerRole = fixedRole == QPalette::Base     ? QPalette::Text
                                            : fixedRole == QPalette::Button ? QPalette::ButtonText
                                                                            : QPalette::Window;
    const QColor fixed = painted.color(QPalette::Active, fixedRole);
    const QColor partner = painted.color(QPalette::Active, partnerRole);
    QCOMPARE(fixed, fixedColour.isValid() ? fixedColour
                                          : QApplication::palette().color(QPalette::ToolTipBase));
    if (dark) {
        QVERIFY2(ContrastRatio(fixed, partner) >= 4.5,
                 qPrintable(fixed.name() + " on " + partner.name()));
    } else {
        QCOMPARE(partner,
                 lightTheme.color(control == "Text4" ? QPalette::ToolTipText : partnerRole));
    }
}

const QColor kStyleGrey(0xE1, 0xE1, 0xE1);

// Paints every push button one flat grey whatever its palette says, as Windows' own style does.
class PaletteBlindStyle : public QProxyStyle {
public:
    PaletteBlindStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelButtonCommand) {
            painter->fillRect(option->rect, kStyleGrey);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

double Distance(const QColor& first, const QColor& second) {
    return std::hypot(first.red() - second.red(), first.green() - second.green(),
                      first.blue() - second.blue());
}

void FormPortTest::colouredButtonsShowTheirColourAndFocusUnderAnyStyle() {
    const QString appStyle = QApplication::style()->name();
    const auto restoreStyle = qScopeGuard([&] { QApplication::setStyle(appStyle); });
    QApplication::setStyle(new PaletteBlindStyle);
    Harness harness;
    harness.window.LoadSettings();
    harness.window.show();
    harness.openSettingsView();
    QVERIFY(QTest::qWaitForWindowActive(&harness.window));

    const std::pair<const char*, QColor> faces[] = {{"Command1", QColor(0x00, 0xFF, 0x00)},
                                                    {"Command5", QColor(0xC0, 0xC0, 0xC0)},
                                                    {"Command7", QColor(0x80, 0x80, 0x80)}};
    for (const auto& [button, colour] : faces) {
        const QImage face = harness.control<QWidget>(button)->grab().toImage();
        // Left of the caption, near the bottom, where a shaded face comes closest to its colour.
        const QColor shown = face.pixelColor(6, face.height() - 4);
        QVERIFY2(Distance(shown, colour) < Distance(shown, kStyleGrey),
                 qPrintable(QString(button) + " painted " + shown.name()));
    }

    auto* call = harness.control<QWidget>("Command1");
    const QImage withoutFocus = call->grab().toImage();
    harness.control<QWidget>("Text2")->setFocus();
    QTest::keyClick(harness.control<QWidget>("Text2"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), call);
    QVERIFY(call->grab().toImage() != withoutFocus);
}

void FormPortTest::aDevicesAnswerIsShownAsPlainText() {
    Harness harness;
    harness.scratch.preset({{"1telefon", "True"}, {"port", "2"}});
    harness.window.LoadSettings();
    harness.line.onOpen = [](FakeSerialLine& line) { line.arrivals = {"<b>X</b><img src=a>"}; };

    QTest::mouseClick(harness.control<QPushButton>("Command7"), Qt::LeftButton);

    QCOMPARE(harness.control<QLabel>("Label8")->text(), "<b>X</b><img src=a>");
    for (const char* label : {"Label2", "Label3", "Label4", "Label5", "Label8"}) {
        QCOMPARE(harness.control<QLabel>(label)->textFormat(), Qt::PlainText);
    }
}

void FormPortTest::aScreenReaderHearsWhatEachFieldAndResultIsFor() {
    Harness harness;
    harness.window.LoadSettings();
    const auto heard = [&](const char* control, QAccessible::Text kind) {
        return QAccessible::queryAccessibleInterface(harness.control<QWidget>(control))->text(kind);
    };
    const std::pair<const char*, QString> names[] = {
        {"Text2", "Номер телефона"},
        {"Text4", "Результаты поиска портов модемов"},
        {"Text3", "MTS, JEANS"},
        {"Text5", "KYIVSTAR, DJUICE"},
        {"Text6", "LIFE"},
        {"Text7", "BEELINE"},
        {"Text1", Say(Phrase::EveryOtherNumberCaption)}};
    for (const auto& [field, name] : names) {
        QCOMPARE(heard(field, QAccessible::Name), name);
    }
    harness.control<QLabel>("Label2")->setText("MODEL X1");
    QCOMPARE(heard("Label2", QAccessible::Name), "MODEL X1");
    QCOMPARE(heard("Label2", QAccessible::Description), "MTS, JEANS");

    QTest::mouseClick(harness.control<QRadioButton>("Option1"), Qt::LeftButton);
    QCOMPARE(heard("Text1", QAccessible::Name), Say(Phrase::PortForAllCallsCaption));
    QCOMPARE(heard("Label8", QAccessible::Description), Say(Phrase::PortForAllCallsCaption));
}

}  // namespace linvox::testing

QTEST_MAIN(linvox::testing::FormPortTest)
#include "FormPortTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The window in each language Linvox speaks, offscreen at 96 dpi with the fonts the package
// depends on: every text a fixed control may show fits inside it, neither clipped nor elided.
#include "app/LabelTextRect.h"
#include "messages/Phrases.h"
#include "messages/Translation.h"
#include "modems/ProgressView.h"
#include "support/FormHarness.h"

#include <vector>

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOption>
#include <QtTest>

namespace linvox::testing {
namespace {

// The texts a control shows besides its caption from the form.
struct ControlTexts {
    const char* control;
    std::vector<Phrase> alternatives;
};

const ControlTexts kControls[] = {
    {"Command1", {}},
    {"Command4", {Phrase::ShowSettingsCaption, Phrase::HideSettingsCaption}},
    {"Command5", {}},
    {"Command7", {}},
    {"Frame1", {Phrase::SearchWaitCaption, Phrase::DoneCaption}},
    {"Frame2", {Phrase::CheckWaitCaption, Phrase::DoneCaption}},
    {"Label1", {}},
    {"Label6", {}},
    {"Label7", {}},
    {"Label10", {}},
    {"Label11", {}},
    {"Label12", {Phrase::EveryOtherNumberCaption, Phrase::PortForAllCallsCaption}},
    {"Option1", {}},
    {"Option2", {}},
    {"Label9", {}},
    // The check's results, as long as a probe words them.
    {"Label2",
     {Phrase::ProbeInvalidPort, Phrase::ProbeCannotConnect, Phrase::ProbePortHeld,
      Phrase::ProbeUnknown, Phrase::ProbeNoData}},
    {"Label3", {Phrase::ProbePortHeld}},
    {"Label4", {Phrase::ProbePortHeld}},
    {"Label5", {Phrase::ProbePortHeld}},
    {"Label8", {Phrase::ProbePortHeld}},
};

QString Worded(Phrase phrase) {
    return phrase == Phrase::DoneCaption ? DoneCaption(100) : Say(phrase);
}

QString TextOf(QWidget* control) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    return qobject_cast<QLabel*>(control)->text();
}

void SetText(QWidget* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(text);
    } else {
        qobject_cast<QLabel*>(control)->setText(text);
    }
}

// Whether the control shows its whole text as its style lays it out.
bool ShowsWholeText(QWidget* control) {
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        return option->sizeHint().width() <= option->width();
    }
    QStyle* style = control->style();
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        // The text's width with the margins the style keeps around it, without the least width
        // some styles give every button.
        const int margins = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                            2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() + margins <=
               button->width();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = frame->alignment();
        return frame->rect().contains(
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame));
    }
    // The check's results run past the window's right edge, which hides what stands beyond it.
    const auto* label = qobject_cast<QLabel*>(control);
    const QRect insideWindow(label->mapFrom(label->window(), QPoint(0, 0)),
                             label->window()->size());
    return label->contentsRect().intersected(insideWindow).contains(LabelTextRect(*label));
}

}  // namespace

class TranslatedWindowTest : public QObject {
    Q_OBJECT

private slots:
    void everyTextFitsItsControl_data();
    void everyTextFitsItsControl();
};

void TranslatedWindowTest::everyTextFitsItsControl_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("callCaption");
    // The system's own words for a port held by another program are longer than the row it
    // gives them; the result's tooltip shows them whole.
    QTest::addColumn<QStringList>("tooLongForTheForm");
    QTest::newRow("Russian") << Language::Russian << QStringLiteral("Позвонить")
                             << QStringList{SourceText(Phrase::ProbePortHeld)};
    QTest::newRow("Ukrainian") << Language::Ukrainian << QStringLiteral("Зателефонувати")
                               << QStringList();
    QTest::newRow("English") << Language::English << QStringLiteral("Call") << QStringList();
}

void TranslatedWindowTest::everyTextFitsItsControl() {
    QFETCH(Language, language);
    QFETCH(QString, callCaption);
    QFETCH(QStringList, tooLongForTheForm);
    Translation translation(language);
    translation.Install();
    Harness harness;
    harness.window.LoadSettings();
    harness.window.show();
    harness.openSettingsView();
    QCOMPARE(harness.control<QPushButton>("Command1")->text(), callCaption);
    // Arial, as the form names it, is Liberation Sans where the package is installed.
    QCOMPARE(QFontInfo(harness.window.font()).family(), "Liberation Sans");

    for (const ControlTexts& texts : kControls) {
        auto* control = harness.window.findChild<QWidget*>(QString::fromLatin1(texts.control));
        QVERIFY2(control, texts.control);
        QStringList shown{TextOf(control)};
        for (const Phrase phrase : texts.alternatives) {
            shown.append(Worded(phrase));
        }
        for (const QString& text : shown) {
            if (tooLongForTheForm.contains(text)) {
                continue;
            }
            SetText(control, text);
            QVERIFY2(ShowsWholeText(control),
                     qPrintable(QStringLiteral("%1 cuts \"%2\"").arg(texts.control, text)));
        }
    }
}

}  // namespace linvox::testing

QTEST_MAIN(linvox::testing::TranslatedWindowTest)
#include "TranslatedWindowTest.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// linvox.exe's port search and check under Wine, reading simulated phones through Qt's Windows
// serial code and the modems that the management service lists, as a user sees them: the
// warnings, the results, the progress bars.
#include "WineOnDisplay.h"
#include "messages/Phrases.h"
#include "support/FormPoints.h"
#include "support/PhoneSimulator.h"
#include "support/QtPrinters.h"

#include <array>
#include <chrono>
#include <iostream>
#include <memory>
#include <vector>

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

// Two phones that answer, a Bluetooth modem that stays silent, as Windows lists them; a silent
// port that it does not list lies outside the search.
const QString kFirstModel = "Nokia 6310i";
const QString kSecondModel = "SAMSUNG SGH-E250";
const QString kModems =
    "COM3=Nokia USB Modem;COM4=Standard Modem over Bluetooth link;"
    "COM5=Стандартный модем по соединению через Bluetooth";
const QString kSilentModemsName = "(модем  через Bluetooth)";
constexpr int kUnlistedSilentPort = 11;

// A phone's link goes with the phone, so a COM port of the shared prefix never leads to the
// device of another test's phone.
constexpr auto kLinked = PhoneSimulator::DeviceLink::InTemporaryDirectory;

// The finished progress bar: green, 3615 twips (241 pixels) by 255 (17).
constexpr int kGreen = 120;
constexpr int kHueTolerance = 15;
constexpr int kFullBarPixels = 241 * 17;
constexpr int kBlue = 240;
constexpr int kFewestTextPixels = 20;

bool ProgressIsFull(const QImage& window, const QRect& frame) {
    return CountPixelsOfHue(window.copy(frame), kGreen, kHueTolerance) >= kFullBarPixels * 9 / 10;
}

// The lines of a copied text field.
QStringList Lines(const QString& copied) {
    return QString(copied).remove(u'\r').split(u'\n');
}

class WineDiscovery : public WineOnDisplay<WinePrefix::Harness::SerialAndModemList> {
protected:
    // Phones on the ports of the modem list: their models on COM3 and COM4, silence on COM5 and
    // on the port that the list leaves out.
    void LinkThePhones() {
        for (const auto& [port, arguments] :
             std::vector<std::pair<int, QStringList>>{{3, {"--model", kFirstModel}},
                                                      {4, {"--model", kSecondModel}},
                                                      {5, {"--silent"}},
                                                      {kUnlistedSilentPort, {"--silent"}}}) {
            m_phones.push_back(std::make_unique<PhoneSimulator>(arguments, kLinked));
            s_prefix->linkComPort(port, m_phones.back()->linkPath());
        }
    }

    // The result labels once the check's progress bar has filled.
    static std::array<QImage, 5> CheckedResults(const WineWindowDriver& linvox) {
        QImage window;
        EXPECT_TRUE(RunEventsUntil(
            [&] {
                window = linvox.capture();
                return ProgressIsFull(window, kCheckProgress);
            },
            90s));
        std::array<QImage, 5> labels;
        for (std::size_t row = 0; row < labels.size(); ++row) {
            labels[row] = window.copy(kResultLabels[row]);
        }
        return labels;
    }

    std::vector<std::unique_ptr<PhoneSimulator>> m_phones;
};

TEST_F(WineDiscovery, SearchListsThePhonesByModelAndASilentListedModemByItsName) {
    LinkThePhones();
    const std::unique_ptr<WineWindowDriver> linvox = StartWindow(kModems);
    ASSERT_FALSE(linvox->window().isEmpty());
    ASSERT_TRUE(linvox->openSettings());

    EXPECT_EQ(linvox->pressWarned(kSearchButton),
              (QStringList{"Linvox", SourceText(Phrase::SearchWarning)}));

    EXPECT_EQ(
        Lines(linvox->copiedText(kSearchResults, 60s)),
        (QStringList{"", "3 - " + kFirstModel, "4 - " + kSecondModel, "5 - " + kSilentModemsName}));
    EXPECT_TRUE(ProgressIsFull(linvox->capture(), kSearchProgress));
}

// A check's results are drawn text, which Windows lets no one copy: each is compared with the
// same label showing the same words as a phone's answer, which is written as received.
TEST_F(WineDiscovery, CheckShowsEachPortsModelOrWhyItHasNone) {
    LinkThePhones();
    const std::array<QString, 5> shown{kFirstModel, SourceText(Phrase::ProbeInvalidPort),
                                       SourceText(Phrase::ProbeUnknown), kSilentModemsName,
                                       kSecondModel};
    std::vector<std::unique_ptr<PhoneSimulator>> sayingThem;
    for (std::size_t row = 0; row < shown.size(); ++row) {
        sayingThem.push_back(
            std::make_unique<PhoneSimulator>(QStringList{"--model", shown[row]}, kLinked));
        s_prefix->linkComPort(20 + static_cast<int>(row), sayingThem.back()->linkPath());
    }
    // MTS on the first phone, Kyivstar on a port with no device, Life on the unlisted silent
    // port, Beeline on the listed silent modem, every other number on the second phone.
    const std::array<QString, 5> ports{"3", "9", QString::number(kUnlistedSilentPort), "5", "4"};
    const std::array<QString, 5> keys{"port_mts", "port_ks", "port_lf", "port_be", "port"};
    for (std::size_t row = 0; row < ports.size(); ++row) {
        s_prefix->setSetting(keys[row], ports[row]);
    }
    s_prefix->setSetting("1telefon", "False");

    const std::unique_ptr<WineWindowDriver> linvox = StartWindow(kModems);
    ASSERT_FALSE(linvox->window().isEmpty());
    ASSERT_TRUE(linvox->openSettings());
    EXPECT_EQ(linvox->pressWarned(kCheckButton),
              (QStringList{"Linvox", SourceText(Phrase::CheckWarning)}));
    const std::array<QImage, 5> checked = CheckedResults(*linvox);

    for (std::size_t row = 0; row < ports.size(); ++row) {
        linvox->retype(kPortFields[row], QString::number(20 + row));
    }
    ASSERT_TRUE(linvox->pressAndConfirm(kCheckButton));
    const std::array<QImage, 5> said = CheckedResults(*linvox);

    for (std::size_t row = 0; row < shown.size(); ++row) {
        EXPECT_GE(CountPixelsOfHue(checked[row], kBlue, kHueTolerance), kFewestTextPixels)
            << "row " << row << " shows no blue text";
        EXPECT_TRUE(checked[row] == said[row]) << "row " << row << " does not show " << shown[row];
    }
}

// Under Wine a phone's answer comes with the completion of the command's write about once in
// four searches; Windows may bring them as close. A phone on COM1 alone makes the shortest
// search: COM1 to COM6.
TEST_F(WineDiscovery, FiftySearchesInARowReadEveryAnswer) {
    constexpr int kSearches = 50;
    PhoneSimulator phone({"--model", kFirstModel}, kLinked);
    s_prefix->linkComPort(1, phone.linkPath());
    const std::unique_ptr<WineWindowDriver> linvox = StartWindow("COM1=Nokia USB Modem");
    ASSERT_FALSE(linvox->window().isEmpty());
    ASSERT_TRUE(linvox->openSettings());

    QElapsedTimer elapsed;
    elapsed.start();
    QStringList lost;
    for (int search = 1; search <= kSearches; ++search) {
        ASSERT_TRUE(linvox->pressAndConfirm(kSearchButton)) << "search " << search;
        const QStringList result = Lines(linvox->copiedText(kSearchResults, 60s));
        if (result != QStringList{"", "1 - " + kFirstModel}) {
            // More than one window shown: a box was up while the results were read.
            lost.append(QStringLiteral("search %1: %2 (%3 windows shown)")
                            .arg(search)
                            .arg(result.join(u'|'))
                            .arg(linvox->xdotool().visibleWindows("Linvox").size()));
        }
    }
    EXPECT_TRUE(lost.isEmpty()) << lost.join(u'\n').toStdString();
    std::cout << kSearches << " searches in " << elapsed.elapsed() << " ms\n";
}

}  // namespace
}  // namespace linvox::testing

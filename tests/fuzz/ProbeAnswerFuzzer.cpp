// SPDX-License-Identifier: GPL-3.0-or-later
// From what a device sends back to "AT+GMM" to the text the window shows. Whatever the bytes and
// however they are split across reads, the probe gives one non-empty line of bounded length, the
// same as when they arrive at once. When they end their last line, it is the same too when the
// device also reports of its own accord, on a line of its own, before or after them; unless they
// are only line breaks and blanks, and the device has not answered at all.
#include "Property.h"
#include "modems/SerialPortProbe.h"
#include "support/FakeModemList.h"
#include "support/FakeSerialLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using linvox::fuzzing::Require;

namespace {

// What the probe shows when the device sends pieces, one per read.
QString Probe(const QList<QByteArray>& pieces) {
    linvox::testing::FakeSerialLine line;
    linvox::testing::FakeModemList modems;
    linvox::ModemInventory inventory(modems);
    linvox::NoManagedModems managed;
    linvox::SerialPortProbe probe(line, managed, inventory);
    line.onOpen = [&](linvox::testing::FakeSerialLine& opened) { opened.arrivals = pieces; };
    return linvox::ProbeResultText(probe.ProbePort(linvox::kIdentifyCommand, 3));
}

bool IsLineBreakOrBlank(char c) {
    return c == '\r' || c == '\n' || c == ' ';
}

bool IsLineControl(QChar c) {
    return c == u'\r' || c == u'\n' || c == u'\t' || c == u'\v' || c == u'\b' || c == QChar();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // 0xFF never occurs in UTF-8: here it marks where one read ends and the next begins.
    const QByteArray sent(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QByteArray> pieces = sent.split('\xff');
    pieces.removeAll(QByteArray());
    QByteArray whole;
    for (const QByteArray& piece : pieces) {
        whole += piece;
    }

    const QString shown = Probe(pieces);
    const QString detail = QString::fromLatin1(sent.toHex(' '));
    Require(!shown.isEmpty(), "the probe always shows something", detail);
    Require(std::none_of(shown.begin(), shown.end(), IsLineControl),
            "the answer is one line without control characters", detail);
    Require(!shown.startsWith(u' ') && !shown.endsWith(u' '), "the answer has no outer blanks",
            detail);
    Require(shown.toUtf8().size() <= linvox::SerialPortProbe::kKeptAnswerBytes * 3,
            "a flood is cut to a bounded answer", detail);
    if (whole.isEmpty()) {
        Require(shown == QStringLiteral("Неизвестно"), "a silent unlisted device is unknown",
                detail);
    }
    Require(shown == Probe(whole.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{whole}),
            "an answer split across reads is read as a whole", detail);
    // A device asked again adds to what it sent before, so an unfinished last line would run on
    // into its next answer, and a report would end it there.
    if (!whole.isEmpty() && !whole.endsWith('\r') && !whole.endsWith('\n')) {
        return 0;
    }
    const QByteArray report = "\r\n^RSSI:14\r\n";
    const bool saysNothingElse =
        std::all_of(whole.begin(), whole.end(), [](char c) { return IsLineBreakOrBlank(c); });
    const QString withReport = saysNothingElse ? QStringLiteral("Неизвестно") : shown;
    Require(Probe({report + whole}) == withReport && Probe({whole + report}) == withReport,
            "an unsolicited result code changes nothing", detail);
    return 0;
}

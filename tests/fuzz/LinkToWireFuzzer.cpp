// SPDX-License-Identifier: GPL-3.0-or-later
// From the bytes of a command line to what is written to the phone. Any web page can hand the
// program a link, so whatever the arguments, the line gets one plain dial command or nothing.
#include "PlainDialCommand.h"
#include "Property.h"
#include "dial/CallRequest.h"
#include "dial/LinkCleaning.h"
#include "platform/process/CommandLine.h"
#include "support/DialerRig.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using linvox::fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every port is COM1 and the fake line takes every write: a dial that is not refused is sent.
    static linvox::testing::DialerRig rig;

    // The system hands over NUL-terminated arguments; a NUL in the input starts the next one.
    QList<QByteArray> arguments =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0');
    arguments.prepend(QByteArrayLiteral("linvox"));
    std::vector<char*> argv;
    for (QByteArray& argument : arguments) {
        argv.push_back(argument.data());
    }
    const QString argumentText =
        linvox::CommandLineArgumentText(static_cast<int>(argv.size()), argv.data());
    if (argumentText.isEmpty()) {
        return 0;  // a bare start: no call
    }

    rig.line.log.clear();
    rig.messages.messages.clear();
    const linvox::DialResult result = linvox::PlaceCallRequest(rig.dialer, argumentText);
    const QList<QByteArray> written = linvox::fuzzing::WrittenToLine(rig.line);

    for (const QByteArray& bytes : written) {
        Require(linvox::fuzzing::IsPlainDialCommand(bytes), "only a plain dial command is written",
                QString::fromLatin1(bytes.toPercentEncoding()));
    }
    if (result == linvox::DialResult::Sent) {
        Require(written.size() == 1, "a sent dial writes once");
        Require(written.first() == "ATD" + linvox::CleanLink(argumentText).toLatin1() + ";\r",
                "the number written is the cleaned link", argumentText);
        Require(rig.messages.messages.isEmpty(), "a sent dial shows nothing");
    } else {
        Require(result == linvox::DialResult::Refused,
                "a line that takes every write fails no dial");
        Require(rig.line.log.isEmpty(), "a refused number leaves the line untouched");
        Require(rig.messages.messages.size() == 1, "a refused number is reported once");
    }
    return 0;
}

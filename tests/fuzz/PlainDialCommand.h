// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FakeSerialLine.h"

#include <QByteArray>
#include <QList>

namespace linvox::fuzzing {

// Whether bytes are exactly "ATD", an optional "+", one or more ASCII digits, ";" and CR: the
// only thing a phone may be sent. Anything else would reach it as commands of its own.
bool IsPlainDialCommand(const QByteArray& bytes);

// Every write the fake line took, byte for byte, in order.
QList<QByteArray> WrittenToLine(const testing::FakeSerialLine& line);

}  // namespace linvox::fuzzing

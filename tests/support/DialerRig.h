// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeManagedModems.h"
#include "FakePause.h"
#include "FakeSerialLine.h"
#include "InMemorySettings.h"
#include "RecordingMessageSink.h"
#include "dial/Dialer.h"

namespace linvox::testing {

// A dialer on a fake line, with settings of its own, recording its messages and never waiting.
struct DialerRig {
    InMemorySettings memory;
    SettingsStore settings = memory.store();
    FakeSerialLine line;
    FakeManagedModems managed;
    RecordingMessageSink messages;
    FakePause pause;
    Dialer dialer{line, managed, settings, messages, pause};
};

}  // namespace linvox::testing

#pragma once

#include "FakePause.h"
#include "FakeSerialLine.h"
#include "RecordingMessageSink.h"
#include "ScratchSettings.h"
#include "dial/SendDialCommand.h"

namespace linvox::testing {

// A dialer on a fake line, with settings of its own, recording its messages and never waiting.
struct DialerRig {
    ScratchSettings scratch;
    SettingsStore settings = scratch.store();
    FakeSerialLine line;
    RecordingMessageSink messages;
    FakePause pause;
    Dialer dialer{line, settings, messages, pause};
};

}  // namespace linvox::testing

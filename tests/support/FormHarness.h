// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/FormPort.h"
#include "commands/LineCommands.h"
#include "support/FakeModemList.h"
#include "support/FakePause.h"
#include "support/FakeSerialLine.h"
#include "support/FakeShell.h"
#include "support/RecordingMessageSink.h"
#include "support/ScratchSettings.h"
#include "support/StoredText.h"

#include <optional>

#include <QPushButton>
#include <QTest>

namespace linvox::testing {

// One window with fakes around it and a settings file of its own, or the settings elsewhere.
struct Harness {
    explicit Harness(std::optional<SettingsLocation> elsewhere = std::nullopt)
        : file(elsewhere ? *elsewhere : scratch.location()),
          settings(file),
          window({settings, messages, shell, lineCommands, [this] { ++programEnds; }}) {}

    template <typename Control>
    Control* control(const char* name) {
        return window.findChild<Control*>(QString::fromLatin1(name));
    }
    QString stored(const QString& key) { return StoredText(file, key); }
    void openSettingsView() { QTest::mouseClick(control<QPushButton>("Command4"), Qt::LeftButton); }

    ScratchSettings scratch;
    SettingsFile file;
    SettingsStore settings;
    FakeSerialLine line;
    FakeModemList modems;
    RecordingMessageSink messages;
    FakePause pause;
    FakeShell shell;
    NoManagedModems managed;
    LineCommands lineCommands{line, managed, modems, settings, messages, pause};
    int programEnds = 0;
    FormPort window;
};

}  // namespace linvox::testing

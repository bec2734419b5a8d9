// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// Everything Linvox says to the user outside its form's fixed captions, one phrase per outcome.
// The words are the system's own Russian; translations/linvox_uk.ts and linvox_en.ts hold the
// Ukrainian and English ones. A phrase with %1, %2 is completed with QString::arg; phrases hold
// no line breaks, which the callers add.
enum class Phrase {
    // Titles of message boxes.
    NumberCheckTitle,
    ModemTitle,

    // The number typed or passed in a link.
    WrongNumberForm,
    NoNumberTyped,
    TooFewDigits,
    NumberHasLetters,

    // A failed dial: the heading, then two lines for each usual failure of the serial line.
    ModemConnectionFailed,
    WrongPortForOperator,
    ChangeTheSettings,
    CannotReachModem,
    PhoneMayBeSwitchedOff,
    ModemPortHeldSentence,
    // A stored port number beyond 16 bits, named as the serial component's callers named it.
    Overflow,
    // %1 device, %2 the group that grants access to it.
    NoAccessToPort,
    // ModemManager holds the modem's port and makes no voice calls on it: how to leave it to
    // Linvox.
    ModemWithoutVoice,
    // %1 why, naming the settings file.
    SettingsNotRead,
    // %1 the system's name of the error ("EIO").
    SystemError,
    // A wait or a call cut short because the program was asked to end.
    Interrupted,

    // What a probe found, as the window's check shows it.
    ProbeInvalidPort,
    ProbeCannotConnect,
    ProbePortHeld,
    ProbeUnknown,
    ProbeNoData,

    // The port search and the port check.
    SearchWaitCaption,
    CheckWaitCaption,
    SearchWarning,
    CheckWarning,
    NoModemsFound,
    // %1 percent.
    DoneCaption,
    // %1 why.
    ModemListNotRead,
    // %1 why, from udev.
    DeviceListNotRead,
    // %1 the device's address.
    BluetoothDevice,
    // %1 the devices, joined by "; ".
    DevicesLeftUnnumbered,
    AllComNumbersTaken,
    WmiUnavailable,
    WmiQueryFailed,
    // %1 what failed, %2 the error code in hexadecimal.
    WithErrorCode,
    // %1 the property's name.
    ModemPropertyNotText,

    // The window.
    ShowSettingsCaption,
    HideSettingsCaption,
    EveryOtherNumberCaption,
    PortForAllCallsCaption,
    PortMustBeDigits,
    // %1 the address; the caller adds an empty line and the system's error code.
    CannotOpenPage,
    // The title of the box that says so.
    CannotOpenPageTitle,
    MtsCaption,
    KyivstarCaption,
    LifeCaption,
    BeelineCaption,

    // The settings file. %1 the settings file unless said otherwise.
    // %1 why.
    SettingNotSaved,
    // %2 where the old file was put.
    SettingsFileSetAside,
    SettingsLinkLeadsNowhere,
    SettingsFileTooLarge,
    // %1 the COM number.
    DevicePathHasControl,
    SettingsFileIsFolder,
    SettingsFileIsNoFile,
    SettingsFileNotReadable,
    // %1 the folder, %2 the settings file.
    SettingsFolderNotSearchable,
    SettingsFileNotWritable,
    SettingsFileNotWritten,
    // %2 the lock file.
    SettingsFileLocked,
    SettingsFileDamagedNotRewritten,
    SettingsFileDamagedNotSetAside,
    // %1 the settings lock file.
    SettingsLockIsLink,
    SettingsLockIsFolder,
    SettingsLockIsNoFile,

    // Standard error of a start without a display. %1 why there is none.
    NoDisplayForWindow,
    // %1 a command line that dials.
    DialWithoutWindow,
    NoDisplayAnswers,
    NoWaylandPlugin,
    NoX11Plugin,
    // %1 why, in Qt's words.
    WindowPartMissing,
};

// The phrase in the language that Linvox speaks in this run.
QString Say(Phrase phrase);

// The phrase in the system's own Russian, whatever the language of the run.
QString SourceText(Phrase phrase);

// Every phrase, in the order of the enumeration.
inline constexpr int kPhraseCount = static_cast<int>(Phrase::WindowPartMissing) + 1;

}  // namespace linvox

// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages/Failure.h"

#include "messages/MessageSink.h"
#include "messages/Phrases.h"

#include <cstring>

namespace linvox {
namespace {

// The errno by its symbol ("EIO"), the same in every language, where the C library can name it.
QString ErrorName(int error) {
#ifdef __GLIBC__
    if (const char* name = ::strerrorname_np(error)) {
        return QString::fromLatin1(name);
    }
#endif
    return QString::number(error);
}

QString SayWithCode(Phrase phrase, int code) {
    return Say(Phrase::WithErrorCode)
        .arg(Say(phrase))
        .arg(static_cast<quint32>(code), 8, 16, QLatin1Char('0'));
}

// The failure's own words, without its cause.
QString SayAlone(const Failure& failure) {
    const QString& path = failure.path();
    const QString& detail = failure.detail();
    const QString cause = failure.cause() ? Say(*failure.cause()) : QString();
    switch (failure.code()) {
        case FailureCode::InvalidPortNumber:
            return Say(Phrase::ProbeInvalidPort);
        case FailureCode::DeviceNotOpen:
            return Say(Phrase::ProbeCannotConnect);
        case FailureCode::PortAlreadyOpen:
            return Say(Phrase::ProbePortHeld);
        case FailureCode::PortAccessDenied:
            return Say(Phrase::NoAccessToPort).arg(path, detail);
        case FailureCode::ModemWithoutVoice:
            return Say(Phrase::ModemWithoutVoice);
        case FailureCode::StoredNumberOverflow:
            return Say(Phrase::Overflow);
        case FailureCode::Interrupted:
            return Say(Phrase::Interrupted);
        case FailureCode::SystemError:
            return Say(Phrase::SystemError).arg(ErrorName(failure.systemError()));
        case FailureCode::ForeignError:
        case FailureCode::BusError:
            return detail;
        case FailureCode::SettingsNotRead:
            return Say(Phrase::SettingsNotRead).arg(cause);
        case FailureCode::SettingNotSaved:
            return Say(Phrase::SettingNotSaved).arg(cause);
        case FailureCode::SettingsFileSetAside:
            return Say(Phrase::SettingsFileSetAside).arg(path, detail);
        case FailureCode::SettingsFileTooLarge:
            return Say(Phrase::SettingsFileTooLarge).arg(path);
        case FailureCode::DevicePathHasControl:
            return Say(Phrase::DevicePathHasControl).arg(detail);
        case FailureCode::SettingsLinkLeadsNowhere:
            return Say(Phrase::SettingsLinkLeadsNowhere).arg(path);
        case FailureCode::SettingsFileIsFolder:
            return Say(Phrase::SettingsFileIsFolder).arg(path);
        case FailureCode::SettingsFileIsNoFile:
            return Say(Phrase::SettingsFileIsNoFile).arg(path);
        case FailureCode::SettingsFileNotReadable:
            return Say(Phrase::SettingsFileNotReadable).arg(path);
        case FailureCode::SettingsFolderNotSearchable:
            return Say(Phrase::SettingsFolderNotSearchable).arg(detail, path);
        case FailureCode::SettingsFileNotWritable:
            return Say(Phrase::SettingsFileNotWritable).arg(path);
        case FailureCode::SettingsFileNotWritten:
            return Say(Phrase::SettingsFileNotWritten).arg(path);
        case FailureCode::SettingsFileLocked:
            return Say(Phrase::SettingsFileLocked).arg(path, detail);
        case FailureCode::SettingsFileDamagedNotRewritten:
            return Say(Phrase::SettingsFileDamagedNotRewritten).arg(path);
        case FailureCode::SettingsFileDamagedNotSetAside:
            return Say(Phrase::SettingsFileDamagedNotSetAside).arg(path);
        case FailureCode::SettingsLockIsLink:
            return Say(Phrase::SettingsLockIsLink).arg(path);
        case FailureCode::SettingsLockIsFolder:
            return Say(Phrase::SettingsLockIsFolder).arg(path);
        case FailureCode::SettingsLockIsNoFile:
            return Say(Phrase::SettingsLockIsNoFile).arg(path);
        case FailureCode::ModemListNotRead:
            return Say(Phrase::ModemListNotRead).arg(cause);
        case FailureCode::DeviceListNotRead:
            return Say(Phrase::DeviceListNotRead).arg(ErrorName(failure.systemError()));
        case FailureCode::AllComNumbersTaken:
            return Say(Phrase::AllComNumbersTaken);
        case FailureCode::DevicesLeftUnnumbered:
            // The refused store first, then what it cost.
            return JoinLines({cause, Say(Phrase::DevicesLeftUnnumbered).arg(detail)});
        case FailureCode::WmiUnavailable:
            return SayWithCode(Phrase::WmiUnavailable, failure.systemError());
        case FailureCode::WmiQueryFailed:
            return SayWithCode(Phrase::WmiQueryFailed, failure.systemError());
        case FailureCode::ModemPropertyNotText:
            return Say(Phrase::ModemPropertyNotText).arg(detail);
        case FailureCode::NoDisplayAnswers:
            return Say(Phrase::NoDisplayAnswers);
        case FailureCode::NoWaylandPlugin:
            return Say(Phrase::NoWaylandPlugin);
        case FailureCode::NoX11Plugin:
            return Say(Phrase::NoX11Plugin);
        case FailureCode::WindowPartMissing:
            return Say(Phrase::WindowPartMissing).arg(detail);
    }
    return {};
}

// Whether the failure's own words tell its cause.
bool TellsItsCause(FailureCode code) {
    return code == FailureCode::SettingsNotRead || code == FailureCode::SettingNotSaved ||
           code == FailureCode::ModemListNotRead || code == FailureCode::DevicesLeftUnnumbered;
}

}  // namespace

QString Say(const Failure& failure) {
    const QString words = SayAlone(failure);
    if (failure.cause() == nullptr || TellsItsCause(failure.code())) {
        return words;
    }
    // A cause that the words leave out follows them, as one more reason.
    return words + QStringLiteral("; ") + Say(*failure.cause());
}

}  // namespace linvox

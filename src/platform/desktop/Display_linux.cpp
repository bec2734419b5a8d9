// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/Display.h"

#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QtGlobal>

namespace linvox {
namespace {

bool CanReachX11() {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return false;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

bool CanReachWayland() {
    const QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty()) {
        return false;
    }
    const QByteArray path = name.startsWith('/') ? name : qgetenv("XDG_RUNTIME_DIR") + '/' + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool reachable =
        socket >= 0 &&
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0) {
        ::close(socket);
    }
    return reachable;
}

// The keys of the platform plugins Qt would find, as their metadata names them ("xcb",
// "wayland"), read without loading them.
QStringList InstalledPlatformPlugins() {
    QStringList folders;
    if (const QString pluginPath = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
        !pluginPath.isEmpty()) {
        folders.append(pluginPath);
    }
    for (const QString& libraryPath : QCoreApplication::libraryPaths()) {
        folders.append(libraryPath + QStringLiteral("/platforms"));
    }
    QStringList keys;
    for (const QString& folder : folders) {
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
            const QJsonObject metaData = QPluginLoader(file.absoluteFilePath()).metaData();
            for (const QJsonValue key : metaData.value(QStringLiteral("MetaData"))
                                            .toObject()
                                            .value(QStringLiteral("Keys"))
                                            .toArray()) {
                keys.append(key.toString());
            }
        }
    }
    return keys;
}

// With both at hand: X11 when QT_QPA_PLATFORM names it first, or else the session is X11's.
bool PrefersX11() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.startsWith(QStringLiteral("xcb"))) {
        return true;
    }
    return !platform.startsWith(QStringLiteral("wayland")) &&
           qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("x11");
}

// Whether the user named, in QT_QPA_PLATFORM, a platform that shows on something other than a
// desktop session's display (eglfs, linuxfb, vnc …): one that Linvox cannot check, so the choice
// is theirs. Offscreen and minimal show nothing a user could answer.
bool NamesAnotherKindOfDisplay(const QString& platform) {
    const QString key = platform.section(u';', 0, 0).section(u':', 0, 0);
    return !key.isEmpty() && !key.startsWith(QStringLiteral("xcb")) &&
           !key.startsWith(QStringLiteral("wayland")) && key != QStringLiteral("offscreen") &&
           key != QStringLiteral("minimal");
}

}  // namespace

Outcome<QString> ChooseDisplay() {
    if (const QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM");
        NamesAnotherKindOfDisplay(chosen)) {
        return chosen;
    }
    struct Kind {
        bool answers;
        QString plugin;
        FailureCode missingPlugin;
    };
    // A DISPLAY left over from an ended session names no server, and a plugin may be missing:
    // Qt aborts on either, so it is handed only what answers and has its plugin.
    const Kind kinds[] = {
        {CanReachWayland(), QStringLiteral("wayland"), FailureCode::NoWaylandPlugin},
        {CanReachX11(), QStringLiteral("xcb"), FailureCode::NoX11Plugin},
    };
    if (!kinds[0].answers && !kinds[1].answers) {
        return Failure(FailureCode::NoDisplayAnswers);
    }
    const QStringList installed = InstalledPlatformPlugins();
    QStringList usable;
    std::optional<Failure> missing;
    for (const Kind& kind : kinds) {
        if (kind.answers && installed.contains(kind.plugin)) {
            usable.append(kind.plugin);
        } else if (kind.answers) {
            // Told after the one missing before it.
            missing = missing ? missing->Because(Failure(kind.missingPlugin))
                              : Failure(kind.missingPlugin);
        }
    }
    if (usable.isEmpty()) {
        return *missing;
    }
    if (usable.size() == 2 && PrefersX11()) {
        usable.swapItemsAt(0, 1);
    }
    return usable.join(u';');
}

}  // namespace linvox

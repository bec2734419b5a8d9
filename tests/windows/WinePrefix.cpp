// SPDX-License-Identifier: GPL-3.0-or-later
#include "WinePrefix.h"

#include "support/ChildLifetime.h"
#include "support/LinvoxProcess.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QString kSettingsKey =
    QStringLiteral(R"(HKCU\Software\VB and VBA Program Settings\MyApp\linvox)");
constexpr auto kMakeLimit = 120s;
constexpr int kMakeAttempts = 2;
constexpr auto kCommandLimit = 30s;
constexpr int kStopLimitMs = 5000;
// About a second of CPU; much longer on a loaded machine.
constexpr std::chrono::milliseconds kLocaleCompileLimit = 120s;
// The class of the management service's locator, whose in-process server the harness replaces.
const QString kWbemLocatorServer = QStringLiteral(
    R"(HKLM\Software\Classes\CLSID\{4590F811-1D3A-11D0-891F-00AA004B2E24}\InprocServer32)");

}  // namespace

QString WindowsPath(const QString& path) {
    return QStringLiteral("Z:") + QString(path).replace(u'/', u'\\');
}

WinePrefix::WinePrefix(const QString& display, Harness harness)
    : m_environment(LinvoxProcess::HeadlessEnvironment()) {
    if (!m_folder.isValid()) {
        throw std::runtime_error("cannot create a folder for the Wine prefix");
    }
    if (!display.isEmpty()) {
        m_environment.insert(QStringLiteral("DISPLAY"), display);
    }
    m_environment.insert(QStringLiteral("WINEPREFIX"), m_folder.filePath(QStringLiteral("prefix")));
    m_environment.insert(QStringLiteral("WINEARCH"), QStringLiteral("win64"));
    m_environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    // No .NET or HTML engine to offer to download: nothing here needs them.
    m_environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    // The machine's own serial ports stay out of the prefix.
    m_environment.insert(QStringLiteral("LD_PRELOAD"),
                         QStringLiteral(LINVOX_NO_SERIAL_PORTS_LIBRARY));
    // Wine takes Windows' language from the locale, whatever the machine's.
    for (const QString& name : m_environment.keys()) {
        if (name.startsWith(QStringLiteral("LC_")) || name == QStringLiteral("LANGUAGE")) {
            m_environment.remove(name);
        }
    }
    m_environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    setUserLocale(QStringLiteral("ru_RU"));
    try {
        // Now and then Wine 8 makes the prefix but cannot start wineboot in it ("ShellExecuteEx
        // failed: Internal error"); a second prefix comes up.
        Outcome made;
        for (int attempt = 1; attempt <= kMakeAttempts; ++attempt) {
            if (attempt > 1) {
                stopServer();
                QDir(m_environment.value(QStringLiteral("WINEPREFIX"))).removeRecursively();
            }
            made = run({QStringLiteral("wineboot"), QStringLiteral("--init")}, kMakeLimit);
            if (made.finished && made.exitStatus == 0) {
                break;
            }
        }
        if (!made.finished || made.exitStatus != 0) {
            throw std::runtime_error("wineboot failed: " + made.output.toStdString());
        }
        // Every Windows has Arial, the window's font; Wine brings none, and its stand-in draws no
        // text in a line edit. Liberation Sans has Arial's metrics.
        setValue(R"(HKCU\Software\Wine\Fonts\Replacements)", "Arial", "Liberation Sans");
        if (harness == Harness::SerialAndModemList) {
            setValue(kWbemLocatorServer, {}, WindowsPath(LINVOX_WINE_HARNESS "/fakewmi.dll"));
        }
        waitUntilIdle();
    } catch (...) {
        // No destructor runs for a prefix that was never made, yet its server is running.
        stopServer();
        throw;
    }
}

WinePrefix::~WinePrefix() {
    stopServer();
}

void WinePrefix::stopServer() const {
    QProcess server;
    server.setProcessEnvironment(m_environment);
    server.start(QStringLiteral("wineserver"), {QStringLiteral("--kill")});
    server.waitForFinished(kStopLimitMs);
}

WinePrefix::Outcome WinePrefix::run(const QStringList& arguments,
                                    std::chrono::milliseconds timeout) const {
    return runIn(m_environment, arguments, timeout);
}

WinePrefix::Outcome WinePrefix::runRegistryTool(const QStringList& arguments) const {
    // In the user's language, reg names the default value otherwise, and writes in the console's
    // code page; in the neutral one, its output reads the same for every user.
    QProcessEnvironment neutral = m_environment;
    neutral.remove(QStringLiteral("LC_ALL"));
    neutral.remove(QStringLiteral("LOCPATH"));
    return runIn(neutral, QStringList{QStringLiteral("reg")} + arguments, kCommandLimit);
}

WinePrefix::Outcome WinePrefix::runIn(const QProcessEnvironment& environment,
                                      const QStringList& arguments,
                                      std::chrono::milliseconds timeout) const {
    QProcess wine;
    wine.setProcessEnvironment(environment);
    wine.setProcessChannelMode(QProcess::MergedChannels);
    EndWithTheTest(wine);
    wine.start(QStringLiteral("wine"), arguments);
    Outcome outcome;
    outcome.finished = wine.waitForFinished(static_cast<int>(timeout.count()));
    if (!outcome.finished) {
        wine.kill();
        wine.waitForFinished(kStopLimitMs);
    }
    outcome.exitStatus = wine.exitCode();
    outcome.output = QString::fromUtf8(wine.readAll());
    return outcome;
}

bool WinePrefix::emptyClipboard() const {
    const Outcome emptied =
        run({QStringLiteral(LINVOX_WINE_HARNESS "/emptyclipboard.exe")}, kCommandLimit);
    return emptied.finished && emptied.exitStatus == 0;
}

std::unique_ptr<QProcess> WinePrefix::start(const QStringList& arguments) const {
    auto wine = std::make_unique<QProcess>();
    wine->setProcessEnvironment(m_environment);
    wine->setProcessChannelMode(QProcess::MergedChannels);
    EndWithTheTest(*wine);
    wine->start(QStringLiteral("wine"), arguments);
    wine->waitForStarted(kStopLimitMs);
    return wine;
}

std::unique_ptr<QProcess> WinePrefix::startWithHarness(const QString& program,
                                                       const QString& modems) const {
    QProcessEnvironment environment = m_environment;
    environment.insert(QStringLiteral("LD_PRELOAD"),
                       QStringLiteral(LINVOX_NO_SERIAL_PORTS_LIBRARY " " LINVOX_PTYMODEM_LIBRARY));
    environment.insert(QStringLiteral("FAKEWMI_MODEMS"), modems);
    auto wine = std::make_unique<QProcess>();
    wine->setProcessEnvironment(environment);
    wine->setProcessChannelMode(QProcess::MergedChannels);
    EndWithTheTest(*wine);
    wine->start(QStringLiteral("wine"),
                {QStringLiteral(LINVOX_WINE_HARNESS "/commfix-run.exe"), WindowsPath(program)});
    wine->waitForStarted(kStopLimitMs);
    return wine;
}

void WinePrefix::waitUntilIdle() const {
    QProcess server;
    server.setProcessEnvironment(m_environment);
    server.start(QStringLiteral("wineserver"), {QStringLiteral("--wait")});
    server.waitForFinished(static_cast<int>(std::chrono::milliseconds(kCommandLimit).count()));
}

void WinePrefix::linkComPort(int number, const QString& path) const {
    const QString link = m_folder.filePath(QStringLiteral("prefix/dosdevices/com%1").arg(number));
    QFile::remove(link);
    if (!QFile::link(path, link)) {
        throw std::runtime_error("cannot link " + link.toStdString());
    }
}

void WinePrefix::setValue(const QString& key, const QString& name, const QString& value) const {
    const QStringList valueName = name.isEmpty() ? QStringList{"/ve"} : QStringList{"/v", name};
    const Outcome added = runRegistryTool(QStringList{"add", key} + valueName +
                                          QStringList{"/t", "REG_SZ", "/d", value, "/f"});
    if (added.exitStatus != 0) {
        throw std::runtime_error("reg add failed: " + added.output.toStdString());
    }
}

std::optional<QString> WinePrefix::value(const QString& key, const QString& name) const {
    const QStringList valueName = name.isEmpty() ? QStringList{"/ve"} : QStringList{"/v", name};
    const Outcome queried = runRegistryTool(QStringList{"query", key} + valueName);
    const QString shownName = name.isEmpty() ? QStringLiteral("(Default)") : name;
    const QRegularExpression line(
        QStringLiteral("^    %1    REG_SZ    (.*)$").arg(QRegularExpression::escape(shownName)),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString(queried.output).remove(u'\r'));
    if (queried.exitStatus != 0 || !match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1);
}

bool WinePrefix::hasKey(const QString& key) const {
    return runRegistryTool({"query", key}).exitStatus == 0;
}

void WinePrefix::copyKey(const QString& from, const QString& to) const {
    const Outcome copied = runRegistryTool({"copy", from, to, "/s", "/f"});
    if (copied.exitStatus != 0) {
        throw std::runtime_error("reg copy failed: " + copied.output.toStdString());
    }
}

void WinePrefix::setSetting(const QString& name, const QString& text) const {
    setValue(kSettingsKey, name, text);
}

void WinePrefix::setSetting(const QString& name, const QString& type, const QString& data) const {
    const Outcome added =
        runRegistryTool({"add", kSettingsKey, "/v", name, "/t", type, "/d", data, "/f"});
    if (added.exitStatus != 0) {
        throw std::runtime_error("reg add failed: " + added.output.toStdString());
    }
}

std::optional<QString> WinePrefix::setting(const QString& name) const {
    return value(kSettingsKey, name);
}

QString WinePrefix::userFolder() const {
    // Named after the user running Wine; "Public" is shared by all.
    const QDir users(m_folder.filePath(QStringLiteral("prefix/drive_c/users")));
    for (const QString& name : users.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name != QStringLiteral("Public")) {
            return users.filePath(name);
        }
    }
    return {};
}

void WinePrefix::setUserLocale(const QString& locale) {
    // Compiled once a test program, into a folder of its own: the machine's locales stay as
    // they are, and need not include this one.
    static QTemporaryDir definitions;
    const QString name = locale + QStringLiteral(".UTF-8");
    if (!QFileInfo::exists(definitions.filePath(name))) {
        QProcess compiler;
        compiler.setProcessChannelMode(QProcess::MergedChannels);
        compiler.start(QStringLiteral("localedef"),
                       {QStringLiteral("-i"), locale, QStringLiteral("-f"), QStringLiteral("UTF-8"),
                        definitions.filePath(name)});
        if (!compiler.waitForFinished(static_cast<int>(kLocaleCompileLimit.count())) ||
            compiler.exitCode() != 0) {
            throw std::runtime_error("localedef " + locale.toStdString() + ": " +
                                     compiler.readAll().toStdString());
        }
    }
    m_environment.insert(QStringLiteral("LC_ALL"), name);
    m_environment.insert(QStringLiteral("LOCPATH"), definitions.path());
}

}  // namespace linvox::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a link handler puts the dial string on the wire, and what a whole dial costs in CPU.
// Each run starts a fresh process, as the desktop does for every clicked link, against a
// simulated phone that stamps the moment the dial string's CR arrives.
//   dial_benchmark [runs]
#include "BenchmarkMain.h"
#include "Median.h"
#include "support/PhoneSimulator.h"
#include "support/VirtualDisplay.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

extern char** environ;

namespace linvox::bench {
namespace {

using testing::PhoneSimulator;

constexpr int kDefaultRuns = 15;
constexpr auto kCommandTimeout = std::chrono::seconds(10);
const char* const kLink = "tel:+380501234567";
const char* const kDialString = "ATD+380501234567;";

qint64 MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

struct Run {
    double toWireMs;
    double cpuMs;
    double wallMs;
};

struct Figures {
    QString name;
    std::vector<Run> runs;
};

// Runs argv with environment, and measures from just before the spawn to the phone's stamp of
// the next command, and the CPU the process used until it ended.
std::optional<Run> Measure(PhoneSimulator& phone, const std::vector<QByteArray>& argv,
                           const std::vector<QByteArray>& environment) {
    std::vector<char*> arguments;
    for (const QByteArray& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.constData()));
    }
    arguments.push_back(nullptr);
    std::vector<char*> variables;
    for (const QByteArray& variable : environment) {
        variables.push_back(const_cast<char*>(variable.constData()));
    }
    variables.push_back(nullptr);

    const int commandsBefore = static_cast<int>(phone.receivedCommands().size());
    const qint64 start = MonotonicNanoseconds();
    pid_t child = 0;
    if (posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(), variables.data()) !=
        0) {
        return std::nullopt;
    }
    const bool arrived = phone.waitForCommands(commandsBefore + 1, kCommandTimeout);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const qint64 end = MonotonicNanoseconds();
    if (!arrived || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    const qint64 stamped = phone.receivedCommands().at(commandsBefore).monotonicNanoseconds;
    const qint64 cpuMicroseconds =
        qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000 + usage.ru_utime.tv_usec +
        usage.ru_stime.tv_usec;
    const double cpuMs = double(cpuMicroseconds) / 1e3;
    return Run{double(stamped - start) / 1e6, cpuMs, double(end - start) / 1e6};
}

std::vector<QByteArray> Environment(const QString& configHome, const QString& display) {
    std::vector<QByteArray> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const QByteArray entry(*variable);
        if (!entry.startsWith("DISPLAY=") && !entry.startsWith("WAYLAND_DISPLAY=") &&
            !entry.startsWith("XDG_CONFIG_HOME=") && !entry.startsWith("QT_QPA_PLATFORM=")) {
            environment.push_back(entry);
        }
    }
    environment.push_back("XDG_CONFIG_HOME=" + configHome.toLocal8Bit());
    if (!display.isEmpty()) {
        environment.push_back("DISPLAY=" + display.toLocal8Bit());
    }
    return environment;
}

template <typename Field>
std::vector<double> Column(const std::vector<Run>& runs, Field field) {
    std::vector<double> values;
    for (const Run& run : runs) {
        values.push_back(run.*field);
    }
    return values;
}

void PrintToWire(const Figures& figures) {
    const std::vector<double> toWire = Column(figures.runs, &Run::toWireMs);
    std::printf("  %-24s %8.1f ms %8.1f ms %8.1f ms\n", qPrintable(figures.name), Median(toWire),
                *std::min_element(toWire.begin(), toWire.end()),
                *std::max_element(toWire.begin(), toWire.end()));
}

void PrintCpu(const Figures& figures) {
    const double cpu = Median(Column(figures.runs, &Run::cpuMs));
    const double wall = Median(Column(figures.runs, &Run::wallMs));
    std::printf("  %-24s %8.1f ms CPU over %7.0f ms = %5.2f %% of one core\n",
                qPrintable(figures.name), cpu, wall, 100 * cpu / wall);
}

int Main(int runs) {
    PhoneSimulator phone;
    QTemporaryDir configHome;
    {
        QSettings settings(configHome.filePath("MyApp.conf"), QSettings::NativeFormat);
        settings.setValue("linvox/port_mts", "2");
        settings.setValue("ports/COM2", phone.devicePath());
    }
    const QByteArray linvox = LINVOX_BINARY_PATH;
    const QByteArray opener = LINVOX_OPEN_AND_WRITE_PATH;

    std::optional<testing::VirtualDisplay> display;
    if (!QStandardPaths::findExecutable("Xvfb").isEmpty()) {
        display.emplace();
    }

    struct Subject {
        QString name;
        std::vector<QByteArray> argv;
        std::vector<QByteArray> environment;
    };
    std::vector<Subject> subjects{
        {"open-and-write (floor)",
         {opener, phone.devicePath().toLocal8Bit(), kDialString},
         Environment(configHome.path(), {})},
        {"linvox, no display", {linvox, kLink}, Environment(configHome.path(), {})},
    };
    if (display) {
        subjects.push_back({"linvox, on a display",
                            {linvox, kLink},
                            Environment(configHome.path(), display->name())});
    }

    std::vector<Figures> results;
    for (const Subject& subject : subjects) {
        Figures figures{subject.name, {}};
        // The first run pays for cold caches and the display's first client, as no click on a
        // link in a running desktop does; it is not counted.
        for (int run = -1; run < runs; ++run) {
            const std::optional<Run> measured = Measure(phone, subject.argv, subject.environment);
            if (!measured) {
                std::fprintf(stderr, "%s: run %d failed\n", qPrintable(subject.name), run + 2);
                return 1;
            }
            if (run >= 0) {
                figures.runs.push_back(*measured);
            }
        }
        results.push_back(std::move(figures));
    }

    std::printf(
        "Process start to the dial string's CR at the phone, %d runs each after one "
        "warm-up:\n",
        runs);
    std::printf("  %-24s %11s %11s %11s\n", "", "median", "min", "max");
    for (const Figures& figures : results) {
        PrintToWire(figures);
    }
    std::printf("CPU time over a whole dial (start, dial, the three-second wait, end), median:\n");
    for (std::size_t i = 1; i < results.size(); ++i) {
        PrintCpu(results[i]);
    }
    return 0;
}

}  // namespace
}  // namespace linvox::bench

int main(int argc, char* argv[]) {
    return linvox::bench::RunBenchmark(argc, argv, linvox::bench::kDefaultRuns,
                                       linvox::bench::Main);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a link handler puts the dial string on the wire, and what a whole dial costs in CPU.
// Each run starts a fresh process, as the desktop does for every clicked link, against a
// simulated phone that stamps the moment the dial string's CR arrives.
//   dial_benchmark [runs] [an earlier build's linvox, to measure beside this one]
#include "BenchmarkMain.h"
#include "Median.h"
#include "support/PhoneSimulator.h"
#include "support/VirtualDisplay.h"
#include "support/Xdotool.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <signal.h>
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
const QString kQtFloor = QStringLiteral("Qt open-and-write");

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
pid_t Spawn(const std::vector<QByteArray>& argv, const std::vector<QByteArray>& environment) {
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
    pid_t child = 0;
    return posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(),
                       variables.data()) == 0
               ? child
               : -1;
}

std::optional<Run> Measure(PhoneSimulator& phone, const std::vector<QByteArray>& argv,
                           const std::vector<QByteArray>& environment) {
    const int commandsBefore = static_cast<int>(phone.receivedCommands().size());
    const qint64 start = MonotonicNanoseconds();
    const pid_t child = Spawn(argv, environment);
    if (child <= 0) {
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
            !entry.startsWith("XDG_CONFIG_HOME=") && !entry.startsWith("QT_QPA_PLATFORM=") &&
            !entry.startsWith("LANGUAGE=") && !entry.startsWith("LC_ALL=")) {
            environment.push_back(entry);
        }
    }
    environment.push_back("XDG_CONFIG_HOME=" + configHome.toLocal8Bit());
    // The program's own words, which the box is found by.
    environment.push_back("LC_ALL=C.UTF-8");
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

void PrintToWire(const Figures& figures, double qtFloor) {
    const std::vector<double> toWire = Column(figures.runs, &Run::toWireMs);
    std::printf("  %-40s %8.1f ms %8.1f ms %8.1f ms %8.2fx\n", qPrintable(figures.name),
                Median(toWire), *std::min_element(toWire.begin(), toWire.end()),
                *std::max_element(toWire.begin(), toWire.end()), Median(toWire) / qtFloor);
}

void PrintCpu(const Figures& figures) {
    const double cpu = Median(Column(figures.runs, &Run::cpuMs));
    const double wall = Median(Column(figures.runs, &Run::wallMs));
    std::printf("  %-40s %8.1f ms CPU over %7.0f ms = %5.2f %% of one core\n",
                qPrintable(figures.name), cpu, wall, 100 * cpu / wall);
}

// Spawns argv with environment and measures from just before the spawn until a window titled
// title shows on display; then ends the process.
std::optional<double> MeasureBox(const std::vector<QByteArray>& argv,
                                 const std::vector<QByteArray>& environment,
                                 const testing::Xdotool& xdotool, const QString& title) {
    const qint64 start = MonotonicNanoseconds();
    const pid_t child = Spawn(argv, environment);
    if (child <= 0) {
        return std::nullopt;
    }
    std::optional<double> shown;
    while (!shown && MonotonicNanoseconds() - start < qint64(10) * 1'000'000'000) {
        if (!xdotool.visibleWindows(title).isEmpty()) {
            shown = double(MonotonicNanoseconds() - start) / 1e6;
        }
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return shown;
}

struct Subject {
    QString name;
    std::vector<QByteArray> argv;
    std::vector<QByteArray> environment;
};

// Each subject's runs, after one warm-up run that pays for cold caches and the display's first
// client, as no click on a link in a running desktop does. The subjects take turns run by run, so
// that what else the machine does meanwhile weighs on each alike.
std::optional<std::vector<Figures>> MeasureAll(PhoneSimulator& phone,
                                               const std::vector<Subject>& subjects, int runs) {
    std::vector<Figures> results;
    for (const Subject& subject : subjects) {
        results.push_back({subject.name, {}});
    }
    for (int run = -1; run < runs; ++run) {
        for (std::size_t subject = 0; subject < subjects.size(); ++subject) {
            const std::optional<Run> measured =
                Measure(phone, subjects[subject].argv, subjects[subject].environment);
            if (!measured) {
                std::fprintf(stderr, "%s: run %d failed\n", qPrintable(subjects[subject].name),
                             run + 2);
                return std::nullopt;
            }
            if (run >= 0) {
                results[subject].runs.push_back(*measured);
            }
        }
    }
    return results;
}

// Process start to the box of a refused link, for each program, the median of runs. The programs
// take turns run by run, so that what else the machine does meanwhile weighs on each alike.
void PrintBoxes(const std::vector<QByteArray>& programs, const QString& configHome, int runs) {
    testing::VirtualDisplay display;
    const testing::Xdotool xdotool(display);
    std::printf("Process start to the box of a refused link on a display, median of %d:\n", runs);
    std::vector<std::vector<double>> times(programs.size());
    for (int run = -1; run < runs; ++run) {
        for (std::size_t program = 0; program < programs.size(); ++program) {
            const std::optional<double> shown =
                MeasureBox({programs[program], "tel:050"}, Environment(configHome, display.name()),
                           xdotool, QStringLiteral("Проверка номера"));
            if (shown && run >= 0) {
                times[program].push_back(*shown);
            }
        }
    }
    for (std::size_t program = 0; program < programs.size(); ++program) {
        std::printf("  %-40s %8.1f ms (%zu of %d shown)\n", programs[program].constData(),
                    times[program].empty() ? 0.0 : Median(times[program]), times[program].size(),
                    runs);
    }
}

int Main(int runs) {
    PhoneSimulator phone;
    QTemporaryDir configHome;
    {
        QSettings settings(configHome.filePath("MyApp.conf"), QSettings::NativeFormat);
        settings.setValue("linvox/port_mts", "2");
        settings.setValue("ports/COM2", phone.devicePath());
    }
    // An earlier build of linvox, when one is named, is measured beside this one.
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<QByteArray> programs{LINVOX_BINARY_PATH};
    if (arguments.size() > 2) {
        programs.push_back(arguments[2].toLocal8Bit());
    }
    const QByteArray device = phone.devicePath().toLocal8Bit();
    std::vector<Subject> subjects{
        {"open-and-write (floor)",
         {LINVOX_OPEN_AND_WRITE_PATH, device, kDialString},
         Environment(configHome.path(), {})},
        {kQtFloor,
         {LINVOX_QT_OPEN_AND_WRITE_PATH, device, kDialString},
         Environment(configHome.path(), {})},
    };
    for (const QByteArray& program : programs) {
        subjects.push_back({QString::fromLocal8Bit(program),
                            {program, kLink},
                            Environment(configHome.path(), {})});
    }

    const std::optional<std::vector<Figures>> results = MeasureAll(phone, subjects, runs);
    if (!results) {
        return 1;
    }
    const double qtFloor = Median(Column(results->at(1).runs, &Run::toWireMs));
    std::printf(
        "Process start to the dial string's CR at the phone, no display, %d runs each "
        "after one warm-up:\n",
        runs);
    std::printf("  %-40s %11s %11s %11s %9s\n", "", "median", "min", "max", "/ Qt");
    for (const Figures& figures : *results) {
        PrintToWire(figures, qtFloor);
    }
    std::printf("CPU time over a whole dial (start, dial, the three-second wait, end), median:\n");
    for (std::size_t i = 2; i < results->size(); ++i) {
        PrintCpu(results->at(i));
    }
    if (!QStandardPaths::findExecutable("Xvfb").isEmpty()) {
        PrintBoxes(programs, configHome.path(), runs);
    }
    return 0;
}

}  // namespace
}  // namespace linvox::bench

int main(int argc, char* argv[]) {
    return linvox::bench::RunBenchmark(argc, argv, linvox::bench::kDefaultRuns,
                                       linvox::bench::Main);
}

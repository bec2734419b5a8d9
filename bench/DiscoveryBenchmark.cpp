// SPDX-License-Identifier: GPL-3.0-or-later
// What finding the phones costs: one probe of a silent, an answering and a flooding device, a
// search over six ports with one phone, and a check of five answering rows, on the real serial
// line against simulated phones.
//   discovery_benchmark [runs]
#include "BenchmarkMain.h"
#include "Median.h"
#include "commands/LineCommands.h"
#include "platform/modemlist/SystemModemList.h"
#include "platform/process/EventLoopPause.h"
#include "platform/serial/SystemSerialLine.h"
#include "support/CpuTime.h"
#include "support/PhoneSimulator.h"
#include "support/RecordingMessageSink.h"
#include "support/RecordingViews.h"
#include "support/ScratchSettings.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QFile>

namespace linvox::bench {
namespace {

using namespace testing;

constexpr int kDefaultRuns = 5;
constexpr qint16 kFirstPort = 3;

// The process's peak resident memory in KiB, and a way to start a new peak from here.
qint64 PeakMemoryKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

void ResetPeakMemory() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly)) {
        clearRefs.write("5");
    }
}

struct Sample {
    double seconds;
    double cpuPercent;
    double memoryGrowthMiB;
};

// Phones on COM3 onwards, the settings that map them, and the commands on the real line.
class Bench {
public:
    Bench(const std::vector<QStringList>& phoneOptions, qint16 absentPorts = 0) {
        qint16 port = kFirstPort;
        for (const QStringList& options : phoneOptions) {
            m_phones.push_back(std::make_unique<PhoneSimulator>(options));
            m_scratch.mapPort(port++, m_phones.back()->devicePath());
        }
        for (int absent = 0; absent < absentPorts; ++absent) {
            m_scratch.mapPort(port++, m_scratch.directory() + "/unplugged");
        }
    }

    Sample Measure(const std::function<void(LineCommands&, SerialPortProbe&)>& work) {
        SettingsStore settings = m_scratch.store();
        SystemSerialLine line{PortMap(m_scratch.file())};
        NoManagedModems managed;
        SystemModemList modems(m_scratch.file(), managed);
        RecordingMessageSink messages;
        EventLoopPause pause;
        LineCommands commands(line, managed, modems, settings, messages, pause);
        ModemInventory inventory(modems);
        SerialPortProbe probe(line, managed, inventory);

        ResetPeakMemory();
        const qint64 memoryBefore = PeakMemoryKiB();
        const auto cpuBefore = ProcessCpuTime();
        QElapsedTimer elapsed;
        elapsed.start();
        work(commands, probe);
        const double seconds = double(elapsed.nsecsElapsed()) / 1e9;
        const double cpuSeconds = double((ProcessCpuTime() - cpuBefore).count()) / 1e3;
        return {seconds, 100 * cpuSeconds / seconds, double(PeakMemoryKiB() - memoryBefore) / 1024};
    }

private:
    ScratchSettings m_scratch;
    std::vector<std::unique_ptr<PhoneSimulator>> m_phones;
};

void Report(const char* name, const std::vector<Sample>& samples, double targetSeconds) {
    std::vector<double> seconds;
    std::vector<double> cpu;
    std::vector<double> memory;
    for (const Sample& sample : samples) {
        seconds.push_back(sample.seconds);
        cpu.push_back(sample.cpuPercent);
        memory.push_back(sample.memoryGrowthMiB);
    }
    std::printf("  %-34s %6.2f s (max %5.2f, target %4.1f) %5.1f %% CPU %6.2f MiB\n", name,
                Median(seconds), *std::max_element(seconds.begin(), seconds.end()), targetSeconds,
                Median(cpu), *std::max_element(memory.begin(), memory.end()));
}

template <typename Work>
std::vector<Sample> Repeat(int runs, Bench& bench, Work work) {
    std::vector<Sample> samples;
    for (int run = 0; run < runs; ++run) {
        samples.push_back(bench.Measure(work));
    }
    return samples;
}

int Main(int runs) {
    const auto probeFirstPort = [](LineCommands&, SerialPortProbe& probe) {
        probe.ProbePort(kIdentifyCommand, kFirstPort);
    };
    std::printf("Median of %d runs; memory is the growth of the peak resident set:\n", runs);

    using Phones = std::vector<QStringList>;
    Bench silent(Phones{{"--silent"}});
    Report("probe of a silent port", Repeat(runs, silent, probeFirstPort), 1.6);
    Bench answering(Phones{{"--model", "MODEL X1"}});
    Report("probe of an answering phone", Repeat(runs, answering, probeFirstPort), 1.6);
    Bench flooding(Phones{{"--flood"}});
    Report("probe of a flooding device", Repeat(runs, flooding, probeFirstPort), 3);

    Bench oneOfSix(Phones{{"--model", "MODEL X1"}}, 5);
    Report("search of 6 ports, 1 phone",
           Repeat(runs, oneOfSix,
                  [](LineCommands& commands, auto&) {
                      RecordingSearchView view;
                      commands.SearchPorts(view);
                  }),
           2);
    Bench fivePhones(Phones(5, {"--model", "MODEL X1"}));
    Report("check of 5 answering rows",
           Repeat(runs, fivePhones,
                  [](LineCommands& commands, auto&) {
                      RecordingCheckView view;
                      for (std::size_t row = 0; row < kPortRowCount; ++row) {
                          view.fields.at(row) = QString::number(kFirstPort + row);
                      }
                      commands.CheckPorts(view);
                  }),
           12);
    return 0;
}

}  // namespace
}  // namespace linvox::bench

int main(int argc, char* argv[]) {
    return linvox::bench::RunBenchmark(argc, argv, linvox::bench::kDefaultRuns,
                                       linvox::bench::Main);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// What listing the attached serial devices costs on Linux, by how many there are: the first
// listing, which gives every device its COM number, and a later one, which finds them numbered.
// The devices are made up by umockdev, so the program runs under umockdev-run:
//   umockdev-run -- build/bench/listing_benchmark [runs]
#include "BenchmarkMain.h"
#include "Median.h"
#include "platform/modemlist/SystemModemList.h"
#include "support/DeviceSandbox.h"
#include "support/ScratchSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QElapsedTimer>

namespace linvox::bench {
namespace {

using namespace testing;

constexpr int kDefaultRuns = 5;
constexpr int kCdcAcmMajor = 166;
constexpr double kTargetSecondsFor300 = 0.1;

// count USB phones, each with its by-id link; empty, or why umockdev refused one.
std::string PlugPhones(DeviceSandbox& sandbox, int count) {
    for (int phone = 0; phone < count; ++phone) {
        const std::string usb = "usb" + std::to_string(phone);
        const std::string node = "ttyACM" + std::to_string(phone);
        const std::string link = "serial/by-id/usb-Maker_Phone_" + std::to_string(phone) + "-if00";
        // As udev records a phone: its strings, encoded, in the serial device's own record.
        const std::string refused =
            sandbox.plug(UsbDevice(usb, "A: manufacturer=Maker\nA: product=Phone " +
                                            std::to_string(phone) + "\n") +
                         SerialDevice(usb + "/" + usb + ":1.0", node, kCdcAcmMajor, phone,
                                      "E: DEVLINKS=/dev/" + link +
                                          "\nE: ID_VENDOR_ENC=Maker\nE: ID_VENDOR_ID=1234\n"
                                          "E: ID_MODEL_ENC=Phone\\x20" +
                                          std::to_string(phone) + "\nE: ID_MODEL_ID=5678\n"));
        if (!refused.empty()) {
            return refused;
        }
        if (!sandbox.link(QString::fromStdString(link), QString::fromStdString(node))) {
            return "cannot link " + link;
        }
    }
    return {};
}

double SecondsOf(SystemModemList& modems, int expectedEntries) {
    QElapsedTimer elapsed;
    elapsed.start();
    const Outcome<ModemListing> listing = modems.Query();
    const double seconds = double(elapsed.nsecsElapsed()) / 1e9;
    if (!listing.ok() || listing.value().entries.size() != expectedEntries) {
        std::fprintf(stderr, "listed %lld of %d devices: %s\n",
                     static_cast<long long>(listing.ok() ? listing.value().entries.size() : 0),
                     expectedEntries,
                     qPrintable(listing.ok() ? QString() : Say(listing.failure())));
        std::exit(1);
    }
    return seconds;
}

void Measure(int count, int runs) {
    DeviceSandbox sandbox;
    if (const std::string refused = PlugPhones(sandbox, count); !refused.empty()) {
        std::fprintf(stderr, "umockdev refused a device: %s\n", refused.c_str());
        std::exit(1);
    }
    std::vector<double> first;
    std::vector<double> later;
    for (int run = 0; run < runs; ++run) {
        ScratchSettings scratch;
        NoManagedModems managed;
        SystemModemList modems(scratch.file(), managed);
        first.push_back(SecondsOf(modems, count));
        later.push_back(SecondsOf(modems, count));
    }
    std::printf("  %4d devices: first listing %8.1f ms (max %8.1f), later %8.1f ms (max %8.1f)\n",
                count, Median(first) * 1e3, *std::max_element(first.begin(), first.end()) * 1e3,
                Median(later) * 1e3, *std::max_element(later.begin(), later.end()) * 1e3);
}

int Main(int runs) {
    if (!umockdev_in_mock_environment()) {
        std::fprintf(stderr, "run under umockdev-run, or the machine's own devices are listed\n");
        return 1;
    }
    std::printf("Median of %d runs; target for 300 devices: %.0f ms\n", runs,
                kTargetSecondsFor300 * 1e3);
    for (const int count : {10, 30, 100, 300}) {
        Measure(count, runs);
    }
    return 0;
}

}  // namespace
}  // namespace linvox::bench

int main(int argc, char* argv[]) {
    return linvox::bench::RunBenchmark(argc, argv, linvox::bench::kDefaultRuns,
                                       linvox::bench::Main);
}

// Importing a 10,000-line configuration (a stack of switches, generated)
// in every dialect: the target is at most 20 ms, so that a pasted text is
// read again on every keystroke of the import dialog without delay.
#include <algorithm>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "import/campus_import.hpp"
#include "import/generator/generated_config.hpp"
#include "import/import_apply.hpp"

namespace {

constexpr std::size_t k_lines = 10000;

void import_config(benchmark::State& state, const char* dialect) {
    const std::string text = quarn::generate_config(dialect, k_lines);
    for (auto _ : state) {
        auto result = quarn::import_config(text);
        if (result.ports.empty()) state.SkipWithError("the generated configuration gave no ports");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(import_config, ios, "ios")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, nxos, "nxos")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, aruba, "aruba")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, comware, "comware")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, junos, "junos")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, aoscx, "aoscx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, os10, "os10")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, os6, "os6")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, ciscosb, "ciscosb")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, awplus, "awplus")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, edgeswitch, "edgeswitch")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, fastiron, "fastiron")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, vrp, "vrp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, routeros, "routeros")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(import_config, exos, "exos")->Unit(benchmark::kMillisecond);

// The whole road of the command line: read, then build the new switch.
void import_new_switch(benchmark::State& state) {
    const std::string text = quarn::generate_config("ios", k_lines);
    for (auto _ : state) {
        quarn::Map map;
        quarn::import_new_switch(map, quarn::import_config(text), "stack");
        benchmark::DoNotOptimize(map);
    }
}
BENCHMARK(import_new_switch)->Unit(benchmark::kMillisecond);

// A campus of 200 files, each a switch's configuration and its neighbours
// under their prompts, about 400 lines a file: 10 distribution switches and
// 190 access switches, each access switch with a LAG of two uplinks to one
// distribution switch and phones on its ports. Read and linked into a new
// map in at most 200 ms, so that the import dialog's preview of a whole
// campus comes at once.
constexpr std::size_t k_distribution = 10;
constexpr std::size_t k_access = 190;

std::string lldp_entry(const std::string& local, const std::string& system, const std::string& port,
                       const std::string& description, const char* caps) {
    return "------------------------------------------------\nLocal Intf: " + local +
           "\nChassis id: 00a1.b2c3.0001\nPort id: " + port + "\nPort Description: " + description +
           "\nSystem Name: " + system +
           "\n\nSystem Description: \nCisco IOS Software, Catalyst L3 Switch Software, Version 17.6.5\n"
           "Technical Support: http://www.cisco.com/techsupport\n\nTime remaining: 101 seconds\n"
           "System Capabilities: " +
           caps + "\nEnabled Capabilities: " + caps +
           "\nManagement Addresses:\n    IP: 10.99.0.1\nAuto Negotiation - not supported\nVlan ID: 1\n\n";
}

std::string trunk(const std::string& name, int group) {
    return "interface " + name +
           "\n switchport trunk allowed vlan 10,20,30,99\n switchport mode trunk\n channel-group " +
           std::to_string(group) + " mode active\n!\n";
}

std::vector<quarn::CaptureFile> campus_files() {
    std::vector<quarn::CaptureFile> files;
    const std::string vlans =
        "vlan 10\n name Data\nvlan 20\n name Voice\nvlan 30\n name Guest\nvlan 99\n name Mgmt\n!\n";
    for (std::size_t d = 0; d < k_distribution; ++d) {
        std::string host = "dist-" + std::to_string(d + 1);
        std::string config =
            host + "#show running-config\nBuilding configuration...\n!\nhostname " + host + "\n!\n" + vlans;
        std::string lldp = host + "#show lldp neighbors detail\n";
        std::size_t group = 0;
        for (std::size_t a = d; a < k_access; a += k_distribution) {
            ++group;
            std::string access = "acc-" + std::to_string(a + 1) + ".campus.example.org";
            config += "interface Port-channel" + std::to_string(group) +
                      "\n switchport trunk allowed vlan 10,20,30,99\n switchport mode trunk\n!\n";
            for (int member = 1; member <= 2; ++member) {
                std::string port = "Te1/0/" + std::to_string(2 * group - 2 + member);
                config += trunk("TenGigabitEthernet1/0/" + std::to_string(2 * group - 2 + member),
                                static_cast<int>(group));
                lldp += lldp_entry(port, access, "Te1/1/" + std::to_string(member),
                                   "TenGigabitEthernet1/1/" + std::to_string(member), "B,R");
            }
        }
        files.push_back({host + ".txt", config + "end\n\n" + lldp + host + "#", ""});
    }
    for (std::size_t a = 0; a < k_access; ++a) {
        std::string host = "acc-" + std::to_string(a + 1);
        std::string dist = "dist-" + std::to_string(a % k_distribution + 1) + ".campus.example.org";
        std::size_t group = a / k_distribution + 1;
        std::string config =
            host + "#show running-config\nBuilding configuration...\n!\nhostname " + host + "\n!\n" + vlans;
        config += "interface Port-channel1\n switchport trunk allowed vlan 10,20,30,99\n switchport mode "
                  "trunk\n!\n";
        for (int port = 1; port <= 48; ++port)
            config += "interface GigabitEthernet1/0/" + std::to_string(port) + "\n description Desk " +
                      std::to_string(port) + "\n switchport access vlan 10\n switchport voice vlan 20\n!\n";
        config += trunk("TenGigabitEthernet1/1/1", 1) + trunk("TenGigabitEthernet1/1/2", 1);
        std::string lldp = host + "#show lldp neighbors detail\n";
        for (int member = 1; member <= 2; ++member)
            lldp += lldp_entry("Te1/1/" + std::to_string(member), dist,
                               "Te1/0/" + std::to_string(2 * group - 2 + static_cast<std::size_t>(member)),
                               "TenGigabitEthernet1/0/x", "B,R");
        for (int phone = 1; phone <= 2; ++phone)
            lldp += lldp_entry("Gi1/0/" + std::to_string(phone),
                               "SEP00AABB00" + std::to_string(1000 + a * 10 + phone), "00aa.bb00.0001:P1",
                               "SW PORT", "B,T");
        files.push_back({host + ".txt", config + "end\n\n" + lldp + host + "#", ""});
    }
    return files;
}

void import_campus(benchmark::State& state) {
    const std::vector<quarn::CaptureFile> files = campus_files();
    std::size_t lines = 0;
    for (const quarn::CaptureFile& file : files)
        lines += static_cast<std::size_t>(std::count(file.text.begin(), file.text.end(), '\n'));
    for (auto _ : state) {
        quarn::CampusImport campus = quarn::import_campus(quarn::Map{}, files);
        if (campus.map.switches.size() != files.size() || campus.report.links_made() != k_access)
            state.SkipWithError("the generated campus did not link as built");
        benchmark::DoNotOptimize(campus);
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["lines_per_file"] = static_cast<double>(lines) / static_cast<double>(files.size());
}
BENCHMARK(import_campus)->Unit(benchmark::kMillisecond);

} // namespace

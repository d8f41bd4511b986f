// Import Configuration with several files: what the preview lists, what OK
// takes, and which files a folder gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dialogs/import_files.hpp"
#include "dialogs/import_form.hpp"

namespace quarn::dialogs {
namespace {

struct Seen {
    std::string local;
    std::string system;
    std::string port;
};

// One switch's terminal session: its configuration (access ports in VLAN
// 10) and `show lldp neighbors detail`, under prompts.
ImportSource session(const std::string& host, const std::vector<std::string>& ports,
                     const std::vector<Seen>& seen) {
    std::string text = host + "#show running-config\nhostname " + host + "\nvlan 10\n name Data\n";
    for (const std::string& port : ports) text += "interface " + port + "\n switchport access vlan 10\n";
    text += host + "#show lldp neighbors detail\n";
    for (const Seen& s : seen)
        text += "------------------------------------------------\nLocal Intf: " + s.local +
                "\nChassis id: 0000.0000.0001\nPort id: " + s.port + "\nSystem Name: " + s.system +
                "\n\nSystem Capabilities: B,T\nEnabled Capabilities: B,T\n";
    text += "\nTotal entries displayed: " + std::to_string(seen.size()) + "\n" + host + "#";
    return {host + ".txt", text, ""};
}

const std::vector<std::string> k_core_ports = {"GigabitEthernet1/0/1", "GigabitEthernet1/0/2",
                                               "GigabitEthernet1/0/3"};

ImportSource core(const std::string& acc_port) {
    return session("core", k_core_ports,
                   {{"Gi1/0/1", "acc.corp.example", acc_port}, {"Gi1/0/3", "phone-7", "Port 1"}});
}

ImportSource acc(const std::string& core_port) {
    return session("acc", {"GigabitEthernet1/0/8"}, {{"Gi1/0/8", "core", core_port}});
}

TEST(ImportCampusForm, PreviewListsFilesLinksAndNeighboursOutsideAndOkTakesTheMap) {
    const ImportSource sources[] = {
        core("Gi1/0/8"),
        acc("GigabitEthernet1/0/1"),
        {"notes.txt", "Call the vendor about the fans.\n", ""},
        {"photo.png", "", std::string(k_config_binary_text)},
    };
    ImportDialogInput input;
    ImportPreview preview = preview_campus(input, sources, {});
    EXPECT_EQ(preview.found, "Found: 2 configurations and 2 neighbour lists in 4 files");
    EXPECT_EQ(preview.summary, "Will add 2 switches, update 0 switches and make 1 link");
    EXPECT_EQ(preview.lines, "Files:\n"
                             "  core.txt: adds core (Cisco IOS, 3 ports, 1 VLAN, 2 neighbours)\n"
                             "  acc.txt: adds acc (Cisco IOS, 1 port, 1 VLAN, 1 neighbour)\n"
                             "  notes.txt: no configuration or neighbour output Quarn reads: left out\n"
                             "  photo.png: not read. It holds binary data, not configuration text.\n"
                             "Links:\n"
                             "  core Gi1/0/1 \u2194 acc Gi1/0/8\n"
                             "Neighbours outside the map:\n"
                             "  core Gi1/0/3 \u2192 phone-7 Port 1\n");
    ASSERT_TRUE(preview.form.has_value());
    ASSERT_TRUE(preview.form->campus.has_value());
    const Map& built = *preview.form->campus;
    ASSERT_EQ(built.switches.size(), 2u);
    // A campus reads from the switch with the most links, then by name.
    ASSERT_EQ(built.switches[0].name, "acc");
    ASSERT_EQ(built.switches[1].name, "core");
    EXPECT_EQ(preview.form->first_added, std::optional<std::size_t>(0));
    EXPECT_EQ(built.switches[0].ports[0].link, (PortPeer{"core", "Gi1/0/1"}));
    ASSERT_GE(built.switches[1].ports.size(), 3u);
    EXPECT_EQ(built.switches[1].ports[0].link, (PortPeer{"acc", "Gi1/0/8"}));
    EXPECT_EQ(built.switches[1].ports[2].description, ""); // outside neighbours stay out by default

    // The same files again, into the map they built: nothing to do, OK refused.
    ImportPreview again = preview_campus(ImportDialogInput{built, std::nullopt}, sources, {});
    EXPECT_EQ(again.summary, "The map already matches these files.");
    EXPECT_EQ(again.form, std::nullopt);
    EXPECT_NE(again.lines.find("  core.txt: updates core (Cisco IOS, 3 ports, 1 VLAN, 2 neighbours)\n"
                               "  acc.txt: updates acc"),
              std::string::npos)
        << again.lines;
    EXPECT_NE(again.lines.find("Links:\n  1 link already in the map\n"), std::string::npos) << again.lines;

    // Asked to, the outside neighbours describe their empty ports.
    ImportPreview described = preview_campus(input, sources, {std::nullopt, false, true});
    ASSERT_TRUE(described.form.has_value());
    ASSERT_EQ(described.form->campus->switches.size(), 2u);
    EXPECT_EQ(described.form->campus->switches[1].ports[2].description, "phone-7 Port 1");
    EXPECT_NE(described.lines.find("  core Gi1/0/3 \u2192 phone-7 Port 1 (described)\n"), std::string::npos)
        << described.lines;
}

TEST(ImportCampusForm, DisagreementsAreListedAndNothingFoundIsRefused) {
    // acc says its port goes to core Gi1/0/2, where core has no neighbour;
    // core says its Gi1/0/1 goes to acc's port: the link the far end does not
    // deny is made, the other end's report is listed and not applied.
    const ImportSource disagree[] = {core("Gi1/0/8"), acc("Gi1/0/2")};
    ImportPreview preview = preview_campus({}, disagree, {});
    EXPECT_EQ(preview.summary, "Will add 2 switches, update 0 switches and make 1 link");
    EXPECT_EQ(preview.lines, "Files:\n"
                             "  core.txt: adds core (Cisco IOS, 3 ports, 1 VLAN, 2 neighbours)\n"
                             "  acc.txt: adds acc (Cisco IOS, 1 port, 1 VLAN, 1 neighbour)\n"
                             "Links:\n"
                             "  core Gi1/0/2 \u2194 acc Gi1/0/8\n"
                             "Disagreements, not applied:\n"
                             "  core Gi1/0/1 reports acc Gi1/0/8, but acc Gi1/0/8 reports core Gi1/0/2.\n"
                             "Neighbours outside the map:\n"
                             "  core Gi1/0/3 \u2192 phone-7 Port 1\n");
    ASSERT_TRUE(preview.form.has_value());
    const Map& built = *preview.form->campus;
    ASSERT_EQ(built.switches.size(), 2u);
    ASSERT_EQ(built.switches[1].name, "core");
    EXPECT_EQ(built.switches[1].ports[0].link, std::nullopt);
    EXPECT_EQ(built.switches[1].ports[1].link, (PortPeer{"acc", "Gi1/0/8"}));

    struct Case {
        const char* name;
        std::vector<ImportSource> sources;
    };
    const Case nothing[] = {
        {"no files", {}},
        {"prose and a refusal",
         {{"a.txt", "Nothing to see here.\n", ""}, {"b.bin", "", std::string(k_config_binary_text)}}},
        {"neighbours of a switch the map lacks", {{"x.txt", "x#show lldp neighbors detail\n", ""}}},
    };
    for (const Case& c : nothing) {
        SCOPED_TRACE(c.name);
        ImportPreview refused = preview_campus({}, c.sources, {});
        EXPECT_EQ(refused.summary,
                  "These files hold no switch configuration or neighbour output that Quarn reads.");
        EXPECT_EQ(refused.form, std::nullopt);
    }
}

TEST(ImportCampusForm, AFolderGivesItsFilesByNameWithoutSubfoldersOrHiddenFiles) {
    auto root = std::filesystem::temp_directory_path() / "quarn import files test";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "campus" / "old");
    auto write = [&](const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    };
    write(root / "campus" / "core-confg", "hostname core\n");
    write(root / "campus" / "acc.TXT", "hostname acc\n");
    write(root / "campus" / ".hidden", "hostname hidden\n");
    write(root / "campus" / "old" / "core.txt", "hostname old\n");
    write(root / "campus" / "scan.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    write(root / "single.cfg", "hostname single\n");

    const std::filesystem::path given[] = {root / "single.cfg", root / "campus", root / "gone.txt"};
    EXPECT_EQ(import_file_list(given),
              (std::vector<std::filesystem::path>{root / "single.cfg", root / "campus" / "acc.TXT",
                                                  root / "campus" / "core-confg",
                                                  root / "campus" / "scan.png", root / "gone.txt"}));
    std::vector<ImportSource> sources = read_import_sources(given);
    ASSERT_EQ(sources.size(), 5u);
    EXPECT_EQ(sources[0], (ImportSource{"single.cfg", "hostname single\n", ""}));
    EXPECT_EQ(sources[2], (ImportSource{"core-confg", "hostname core\n", ""}));
    EXPECT_EQ(sources[3], (ImportSource{"scan.png", "", std::string(k_config_binary_text)}));
    EXPECT_EQ(sources[4].name, "gone.txt");
    EXPECT_FALSE(sources[4].refused.empty()); // the system's own words
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace quarn::dialogs

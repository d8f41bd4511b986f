#include "find/find_map.hpp"

#include <gtest/gtest.h>

#include "find/fold.hpp"
#include "model/generator/generated_map.hpp"

namespace quarn {
namespace {

Switch switch_with(std::string name, std::string model, std::string location,
                   std::vector<std::pair<std::string, std::string>> ports) {
    Switch sw;
    sw.name = std::move(name);
    sw.model = std::move(model);
    sw.location = std::move(location);
    for (auto& [label, description] : ports)
        sw.ports.push_back(Port{.label = label, .description = description});
    return sw;
}

Map site() {
    Map map;
    map.vlans = {Vlan{20, "Staff data", {}}, Vlan{120, "Zürich Kameras", {}}, Vlan{30, "", {}}};
    map.switches = {
        switch_with(
            "acc-a1", "Catalyst 9200L", "Building A, floor 1",
            {{"Gi1/0/1", "Desk A1-01"}, {"Gi1/0/2", "Printer 2nd floor"}, {"Te1/1/1", "Uplink to core-1"}}),
        switch_with("core-1", "Aruba 3810M", "", {{"1", "acc-a1 Te1/1/1"}, {"2", "ÉCRAN Salle Ωmega"}}),
        switch_with("Zürich-sw", "", "ZÜRICH HB", {{"1", ""}}),
    };
    return map;
}

// Kind, what and where of each place found, as the list shows them.
std::vector<std::string> shown(const FindResults& results) {
    std::vector<std::string> lines;
    for (const Found& found : results.found) {
        const char* kind = found.kind == FoundKind::Vlan     ? "vlan"
                           : found.kind == FoundKind::Switch ? "switch"
                                                             : "port";
        lines.push_back(std::string(kind) + " | " + found.what + " | " + found.where);
    }
    return lines;
}

TEST(Find, WordsInAnyOrderCaseIgnored) {
    struct Case {
        const char* query;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"", {}},
        {" \t ", {}},
        {"desk", {"port | port Gi1/0/1: Desk A1-01 | acc-a1"}},
        {"DESK a1", {"port | port Gi1/0/1: Desk A1-01 | acc-a1"}},
        // A port takes words from its switch when one word is its own.
        {"printer acc-a1", {"port | port Gi1/0/2: Printer 2nd floor | acc-a1"}},
        {"ACC-A1   printer", {"port | port Gi1/0/2: Printer 2nd floor | acc-a1"}},
        {"acc-a1",
         {"switch | acc-a1 | Building A, floor 1 (Catalyst 9200L)",
          "port | port 1: acc-a1 Te1/1/1 | core-1"}},
        {"floor",
         {"switch | acc-a1 | Building A, floor 1 (Catalyst 9200L)",
          "port | port Gi1/0/2: Printer 2nd floor | acc-a1"}},
        {"aruba", {"switch | core-1 | Aruba 3810M"}},
        {"20",
         {"vlan | VLAN 20 Staff data | VLAN list", "vlan | VLAN 120 Zürich Kameras | VLAN list",
          "switch | acc-a1 | Building A, floor 1 (Catalyst 9200L)"}},
        {"30", {"vlan | VLAN 30 | VLAN list"}},
        {"staff voice", {}},
        {"zürich", {"vlan | VLAN 120 Zürich Kameras | VLAN list", "switch | Zürich-sw | ZÜRICH HB"}},
        {"ZÜRICH hb", {"switch | Zürich-sw | ZÜRICH HB"}},
        {"écran", {"port | port 2: ÉCRAN Salle Ωmega | core-1"}},
        {"ΩMEGA salle", {"port | port 2: ÉCRAN Salle Ωmega | core-1"}},
        {"te1/1/1 uplink", {"port | port Te1/1/1: Uplink to core-1 | acc-a1"}},
        {"gi1/0/ gi1/0/",
         {"port | port Gi1/0/1: Desk A1-01 | acc-a1", "port | port Gi1/0/2: Printer 2nd floor | acc-a1"}},
    };
    const Map map = site();
    for (const Case& c : cases) EXPECT_EQ(shown(find_in_map(map, c.query)), c.expected) << c.query;
}

TEST(Find, ResultsCarryWhatSelectsThem) {
    const Map map = site();
    const FindResults results = find_in_map(map, "e");
    ASSERT_FALSE(results.found.empty());
    for (const Found& found : results.found) {
        switch (found.kind) {
        case FoundKind::Vlan:
            EXPECT_TRUE(find_vlan(map, found.vlan)) << found.what;
            break;
        case FoundKind::Switch:
            EXPECT_EQ(found.what, map.switches[found.switch_index].name);
            break;
        case FoundKind::Port:
            EXPECT_EQ(found.where, map.switches[found.switch_index].name);
            EXPECT_TRUE(found.what.starts_with(
                "port " + map.switches[found.switch_index].ports[found.port_index].label));
            break;
        }
    }
    EXPECT_EQ(find_in_map(map, "ΩMEGA").found,
              (std::vector<Found>{Found{FoundKind::Port, "port 2: ÉCRAN Salle Ωmega", "core-1", 1, 1, 0}}));
}

TEST(Find, ListsAtMostTheLimitAndCountsTheRest) {
    const Map map = generate_map({.switches = 20, .vlans = 12, .seed = 3});
    const FindResults all = find_in_map(map, "gi1/0/", 100000);
    EXPECT_EQ(all.total, 20u * 48u);
    EXPECT_EQ(all.found.size(), all.total);
    const FindResults few = find_in_map(map, "gi1/0/", 5);
    EXPECT_EQ(few.total, all.total);
    EXPECT_EQ(few.found, std::vector<Found>(all.found.begin(), all.found.begin() + 5));
}

TEST(Find, FoldCase) {
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"ABC xyz 09-/", "abc xyz 09-/"},
        {"ÀÉÎÕÜ Þ × ß", "àéîõü þ × ß"},
        {"ŁÓDŹ ĞİŸ Ĳ", "łódź ğİÿ ĳ"},
        {"ΑΘΉΝΑ Ω", "αθήνα ω"},
        {"МОСКВА Ё Ї", "москва ё ї"},
        {"\xff\xc3 \xe2\x82", "\xff\xc3 \xe2\x82"},
        {"€ 日本", "€ 日本"},
    };
    for (const Case& c : cases) EXPECT_EQ(fold_case(c.text), c.folded) << c.text;
    std::string scratch;
    EXPECT_TRUE(holds_folded("Printer Room", "er r", scratch));
    EXPECT_FALSE(holds_folded("Printer", "printers", scratch));
    EXPECT_TRUE(holds_folded("KÖLN", "köln", scratch));
    EXPECT_TRUE(holds_folded("", "", scratch));
}

} // namespace
} // namespace quarn

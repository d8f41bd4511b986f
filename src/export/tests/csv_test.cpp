#include "export/csv.hpp"

#include <gtest/gtest.h>

namespace quarn {
namespace {

constexpr std::string_view k_bom = "\xef\xbb\xbf";
constexpr std::string_view k_header =
    "Switch,Location,Port,Type,Untagged,Tagged,Description,Disabled,LAG,Linked To\r\n";

Map sample() {
    Map map;
    Switch core;
    core.name = "core";
    core.location = "Room 1";
    core.groups = {PortGroup{PortKind::Rj45, 2, 1, Numbering::Rows, 0, 0.0f},
                   PortGroup{PortKind::Dual, 1, 1, Numbering::Rows, 0, 0.0f},
                   PortGroup{PortKind::Sfp, 2, 1, Numbering::Rows, 0, 0.0f}};
    core.ports = {
        Port{.label = "1", .untagged = 10, .tagged = {20, 30, 40}, .description = "Desk 4"},
        Port{.label = "2", .disabled = true, .link = PortPeer{"edge", "Gi1/0/48"}},
        Port{.label = "3", .tagged = {20}},
        Port{.label = "S1"},
        Port{.label = "S2"},
        Port{.label = "extra"}, // beyond every group
    };
    core.lags = {Lag{"Po1", {"S1", "S2"}, LagPeer{"edge", "Po7"}}, Lag{"Po2", {"3"}, std::nullopt}};
    map.switches = {core};
    return map;
}

TEST(MapCsv, WholeFile) {
    EXPECT_EQ(map_csv(sample(), U','), std::string(k_bom) + std::string(k_header) +
                                           "core,Room 1,1,RJ45,10,20 30 40,Desk 4,,,\r\n"
                                           "core,Room 1,2,RJ45,,,,Yes,,edge Gi1/0/48\r\n"
                                           "core,Room 1,3,Dual,,20,,,Po2,\r\n"
                                           "core,Room 1,S1,SFP,,,,,Po1,edge Po7\r\n"
                                           "core,Room 1,S2,SFP,,,,,Po1,edge Po7\r\n"
                                           "core,Room 1,extra,RJ45,,,,,,\r\n");
}

TEST(MapCsv, NoSwitchesGiveTheHeaderOnly) {
    EXPECT_EQ(map_csv(Map{}, U','), std::string(k_bom) + std::string(k_header));
}

TEST(MapCsv, FieldQuotingAndFormulaGuard) {
    struct Case {
        const char* description;
        char32_t separator;
        const char* field;
    };
    const Case cases[] = {
        {"a, b", U',', "\"a, b\""},
        {"a, b", U';', "a, b"},
        {"a; b", U';', "\"a; b\""},
        {"say \"hi\"", U',', "\"say \"\"hi\"\"\""},
        {"two\nlines", U',', "\"two\nlines\""},
        {"cr\rhere", U',', "\"cr\rhere\""},
        {"=SUM(A1)", U',', "\"'=SUM(A1)\""},
        {"-5", U',', "\"'-5\""},
        {"+49 \"x\"", U',', "\"'+49 \"\"x\"\"\""},
        {"@home", U',', "\"'@home\""},
        {"\tindented", U',', "\"'\tindented\""},
        {"\rx", U',', "\"'\rx\""},
        {"a-b=c", U',', "a-b=c"},
        {"tab\tinside", U',', "tab\tinside"},
        {"x\u061by", U'\u061b', "\"x\u061by\""},
        {"x;y", U'\u061b', "x;y"},
    };
    for (const Case& c : cases) {
        Map map;
        Switch sw;
        sw.name = "s";
        sw.groups = {PortGroup{PortKind::Rj45, 1, 1, Numbering::Rows, 0, 0.0f}};
        sw.ports = {Port{.label = "1", .description = c.description}};
        map.switches = {sw};
        const std::string csv = map_csv(map, c.separator);
        std::string sep;
        if (c.separator == U',') sep = ",";
        if (c.separator == U';') sep = ";";
        if (c.separator == U'\u061b') sep = "\u061b";
        const std::string row =
            "s" + sep + sep + "1" + sep + "RJ45" + sep + sep + sep + c.field + sep + sep + sep + "\r\n";
        EXPECT_EQ(csv.substr(csv.size() - row.size()), row) << c.description;
        // The header uses the same separator.
        EXPECT_EQ(csv.substr(3, 6 + sep.size()), "Switch" + sep);
    }
}

} // namespace
} // namespace quarn

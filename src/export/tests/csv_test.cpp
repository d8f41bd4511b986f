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

// The one description field of a one-port map, as written.
std::string description_field(std::string_view description, char32_t separator = U',') {
    Map map;
    Switch sw;
    sw.name = "s";
    sw.groups = {PortGroup{PortKind::Rj45, 1, 1, Numbering::Rows, 0, 0.0f}};
    sw.ports = {Port{.label = "1", .description = std::string(description)}};
    map.switches = {sw};
    const std::string csv = map_csv(map, separator);
    const std::string row_start = "s,,1,RJ45,,,";
    const std::size_t start = csv.find(row_start) + row_start.size();
    return csv.substr(start, csv.size() - start - std::string(",,,\r\n").size());
}

TEST(MapCsv, ControlCharactersNeverReachAFieldAndTheGuardSeesWhatIsLeft) {
    using namespace std::string_literals;
    struct Case {
        std::string description;
        std::string field;
    };
    const Case cases[] = {
        // A spreadsheet drops the NUL on import and would then run the rest.
        {"\0=1+1"s, "\"'=1+1\""},
        {"\x01\x1b-2"s, "\"'-2\""},
        {"\x1b[31mred"s, "[31mred"},
        {"\x7f@x"s, "\"'@x\""},
        {"bell\a and\x1f unit"s, "bell and unit"},
        {"tab\tkept"s, "tab\tkept"},
        {"\x1b\n=2"s, "\"\n=2\""},
        // Bytes that are not UTF-8 are what the spreadsheet decodes them as.
        {"\xff=1"s, "\xef\xbf\xbd=1"},
        {"caf\xc3"s, "caf\xef\xbf\xbd"},
        {"\x7f\x7f"s, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(description_field(c.description), c.field) << c.field;
}

TEST(MapCsv, SeparatorsThatBreakTheTableBecomeACommaAndAreRefused) {
    for (char32_t refused :
         {U'"', U'\'', U'\n', U'\r', U'\0', U'\x1b', U'\x7f', char32_t{0xd800}, char32_t{0x110000}}) {
        EXPECT_FALSE(csv_separator_allowed(refused)) << static_cast<std::uint32_t>(refused);
        EXPECT_EQ(map_csv(Map{}, refused), std::string(k_bom) + std::string(k_header));
    }
    for (char32_t allowed : {U',', U';', U'\t', U'|', U' ', U'\u061b', U'\U0001f600'})
        EXPECT_TRUE(csv_separator_allowed(allowed)) << static_cast<std::uint32_t>(allowed);
}

} // namespace
} // namespace quarn

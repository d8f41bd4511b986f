#include "model/map_file.hpp"

#include <gtest/gtest.h>

namespace quarn {
namespace {

// A map text around the given VLAN and switch lists, on one line so that
// columns are easy to count.
std::string map_text(const std::string& vlans, const std::string& switches, const std::string& format = "1") {
    return R"({"format":)" + format + R"(,"site":"s","notes":"n","vlans":[)" + vlans + R"(],"switches":[)" +
           switches + "]}";
}

std::string switch_text(const std::string& name, const std::string& groups, const std::string& ports,
                        const std::string& lags = "") {
    return R"({"name":")" + name + R"(","location":"","model":"","groups":[)" + groups + R"(],"ports":[)" +
           ports + R"(],"lags":[)" + lags + "]}";
}

std::string port_text(const std::string& label, const std::string& link = "null") {
    return R"({"label":")" + label +
           R"(","untagged":null,"tagged":[],"description":"","disabled":false,"link":)" + link + "}";
}

std::string ports_text(int count) {
    std::string ports;
    for (int i = 1; i <= count; ++i) ports += (i > 1 ? "," : "") + port_text(std::to_string(i));
    return ports;
}

const std::string k_group_2x1 =
    R"({"kind":"Rj45","columns":2,"rows":1,"numbering":"Rows","block":0,"gap_after":0.0})";

std::string error_of(const std::string& text) {
    auto result = load_map(text);
    return result.ok() ? "loaded" : result.error();
}

struct Case {
    const char* name;
    std::string text;
    std::string message;
};

void expect_messages(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(error_of(c.text), c.message) << c.name << "\n" << c.text;
}

const std::string k_unreadable = "This is not a readable Quarn file: ";

TEST(LoadMap, TheHeaderIsJudgedFirst) {
    expect_messages({
        {"empty object", "{}", k_unreadable + "missing field `format` at line 1 column 2"},
        {"format 2, body not a map", R"({"format": 2, "vlans": "none", "switches": {"a": [1, {"b": null}]}})",
         "This map uses file format 2. Update Quarn to open it."},
        {"format after a broken body", R"({"vlans": 5, "site": [], "format": 4294967295})",
         "This map uses file format 4294967295. Update Quarn to open it."},
        {"format 2 but not JSON", R"({"format": 2, "vlans": [})",
         k_unreadable + "syntax error while parsing value - unexpected '}'; expected '[', '{', or a literal "
                        "at line 1 column 25"},
        {"format too large", R"({"format": 4294967296})",
         k_unreadable + "invalid value: integer `4294967296`, expected u32 at line 1 column 21"},
        {"format twice", R"({"format": 1, "format": 1})",
         k_unreadable + "duplicate field `format` at line 1 column 22"},
        {"format as text", R"({"format": "1"})",
         k_unreadable + "invalid type: string \"1\", expected u32 at line 1 column 14"},
        {"not an object", "42",
         k_unreadable + "invalid type: integer `42`, expected struct Header at line 1 column 2"},
        {"empty text", "",
         k_unreadable + "syntax error while parsing value - unexpected end of input; expected '[', '{', or a "
                        "literal at line 1 column 0"},
    });
    EXPECT_TRUE(load_map(map_text("", "", "0")).ok());
}

TEST(LoadMap, TheHeaderAlone) {
    auto empty = load_header("{}");
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error(), k_unreadable + "missing field `format` at line 1 column 2");

    // Only "format" is looked at; everything else is skipped, even when the
    // same unknown key comes twice.
    auto header = load_header(R"({"x": {"y": [1, 2, {"z": null}]}, "x": 1, "format": 7, "switches": "?"})");
    ASSERT_TRUE(header.ok()) << header.error();
    EXPECT_EQ(header.value(), Header{7});

    auto array_form = load_header(R"([3, "site", {"a": 1}])");
    ASSERT_TRUE(array_form.ok()) << array_form.error();
    EXPECT_EQ(array_form.value(), Header{3});

    auto empty_array = load_header("[]");
    ASSERT_FALSE(empty_array.ok());
    EXPECT_EQ(empty_array.error(),
              k_unreadable +
                  "invalid length 0, expected struct Header with 1 or more elements at line 1 column 2");
}

TEST(LoadMap, MissingOptionalKeysTakeTheirDefaults) {
    const std::string port_without = R"({"label":"1","tagged":[],"description":"","disabled":false})";
    const std::string port_with_nulls =
        R"({"label":"2","untagged":null,"tagged":[],"description":"","disabled":false,"link":null})";
    const std::string sw = R"({"name":"core","location":"","model":"","groups":[)" + k_group_2x1 +
                           R"(],"ports":[)" + port_without + "," + port_with_nulls + "]}";
    auto loaded = load_map(map_text("", sw));
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    const Switch& core = loaded.value().switches[0];
    EXPECT_TRUE(core.lags.empty());
    EXPECT_EQ(core.ports[0].untagged, std::nullopt);
    EXPECT_EQ(core.ports[0].link, std::nullopt);

    // A LAG without "peer" too.
    auto lag = load_map(
        map_text("", switch_text("core", k_group_2x1, ports_text(2), R"({"name":"T","members":["1"]})")));
    ASSERT_TRUE(lag.ok()) << lag.error();
    EXPECT_EQ(lag.value().switches[0].lags[0].peer, std::nullopt);
}

TEST(LoadMap, MissingRequiredKeysAndDuplicates) {
    expect_messages({
        {"vlan without colour", map_text(R"({"id":10,"name":"a"})", ""),
         k_unreadable + "missing field `color` at line 1 column 64"},
        {"map without switches", R"({"format":1,"site":"","notes":"","vlans":[]})",
         k_unreadable + "missing field `switches` at line 1 column 44"},
        {"port without disabled",
         map_text("", switch_text("c", k_group_2x1, R"({"label":"1","tagged":[],"description":""})")),
         k_unreadable + "missing field `disabled` at line 1 column 239"},
        {"link without port",
         map_text("", switch_text("c", k_group_2x1, port_text("1", R"({"switch":"e"})"))),
         k_unreadable + "missing field `port` at line 1 column 293"},
        {"peer without lag",
         map_text("", switch_text("c", k_group_2x1, ports_text(2),
                                  R"({"name":"T","members":[],"peer":{"switch":"e"}})")),
         k_unreadable + "missing field `lag` at line 1 column 428"},
        {"known key twice", map_text(R"({"id":10,"name":"a","id":10,"color":"#000000"})", ""),
         k_unreadable + "duplicate field `id` at line 1 column 68"},
        {"unknown key twice", map_text(R"({"id":10,"x":1,"name":"a","x":2,"color":"#000000"})", ""),
         k_unreadable + "duplicate field `x` at line 1 column 73"},
    });
}

TEST(LoadMap, UnknownKeysAreSkippedAtEveryLevel) {
    const std::string extra = R"("later":{"a":[1,2.5,{"b":null,"c":[true,"x"]}],"d":{}},"more":[])";
    const std::string vlan = R"({"id":10,)" + extra + R"(,"name":"a","color":"#0A00FF"})";
    const std::string group = R"({"kind":"Dual",)" + extra +
                              R"(,"columns":1,"rows":1,"numbering":"OddTop","block":0,"gap_after":2})";
    const std::string port =
        R"({"label":"1","untagged":10,"tagged":[20],"description":"d","disabled":true,)" + extra +
        R"(,"link":{"switch":"e",)" + extra + R"(,"port":"9"}})";
    const std::string sw = R"({"name":"c",)" + extra + R"(,"location":"l","model":"m","groups":[)" + group +
                           R"(],"ports":[)" + port + "]}";
    const std::string text = R"({)" + extra + R"(,"format":1,"site":"s","notes":"n","vlans":[)" + vlan +
                             R"(],"switches":[)" + sw + R"(],"last":[{"a":1,"a":2}]})";
    auto loaded = load_map(text);
    ASSERT_TRUE(loaded.ok()) << loaded.error();

    Map expected;
    expected.site = "s";
    expected.notes = "n";
    expected.vlans = {{10, "a", {10, 0, 255}}};
    Switch c{.name = "c", .location = "l", .model = "m"};
    c.groups = {{PortKind::Dual, 1, 1, Numbering::OddTop, 0, 2.0f}};
    c.ports = {Port{.label = "1",
                    .untagged = 10,
                    .tagged = {20},
                    .description = "d",
                    .disabled = true,
                    .link = PortPeer{"e", "9"}}};
    expected.switches = {c};
    EXPECT_EQ(loaded.value(), expected);
}

TEST(LoadMap, ManyUnknownKeysStayFast) {
    std::string keys;
    for (int i = 0; i < 100000; ++i) keys += "\"k" + std::to_string(i) + "\":0,";
    auto loaded = load_map("{" + keys + R"("format":1,"site":"","notes":"","vlans":[],"switches":[]})");
    EXPECT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(error_of("{" + keys + R"("format":1,"k5":1})"),
              k_unreadable + "duplicate field `k5` at line 1 column 1088906");
}

TEST(LoadMap, RecordsMayBeArraysOfTheirValues) {
    const std::string text =
        R"([1,"s","n",[[10,"a","#00ff00"]],[["c","l","m",[["Sfp",2,1,"Rows",0,0.5]],)"
        R"([["1",10,[20,30],"d",false,["e","2"]],["2",null,[],"",true]],[["T",["2"],["e","T"]]]]]])";
    auto loaded = load_map(text);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    Map expected;
    expected.site = "s";
    expected.notes = "n";
    expected.vlans = {{10, "a", {0, 255, 0}}};
    Switch c{.name = "c", .location = "l", .model = "m"};
    c.groups = {{PortKind::Sfp, 2, 1, Numbering::Rows, 0, 0.5f}};
    c.ports = {
        Port{
            .label = "1", .untagged = 10, .tagged = {20, 30}, .description = "d", .link = PortPeer{"e", "2"}},
        Port{.label = "2", .disabled = true}};
    c.lags = {Lag{.name = "T", .members = {"2"}, .peer = LagPeer{"e", "T"}}};
    expected.switches = {c};
    EXPECT_EQ(loaded.value(), expected);

    expect_messages({
        {"vlan too short", map_text(R"([10,"a"])", ""),
         k_unreadable + "invalid length 2, expected struct Vlan with 3 elements at line 1 column 52"},
        {"vlan too long", map_text(R"([10,"a","#000000",{"x":[1]},5])", ""),
         k_unreadable + "invalid length 5, expected struct Vlan with 3 elements at line 1 column 74"},
        {"switch too short", map_text("", R"(["c","l","m",[]])"),
         k_unreadable + "invalid length 4, expected struct Switch with 5 or 6 elements at line 1 column 74"},
        {"peer too long",
         map_text("", switch_text("c", k_group_2x1, ports_text(2), R"(["T",[],["e","T","x"]])")),
         k_unreadable + "invalid length 3, expected struct LagPeer with 2 elements at line 1 column 403"},
        {"map too short", R"([1,"s"])",
         k_unreadable + "invalid length 2, expected struct Map with 5 elements at line 1 column 7"},
    });
}

TEST(LoadMap, ValuesMustFitTheirFields) {
    auto vlan = [](const std::string& id, const std::string& color = "\"#000000\"") {
        return map_text(R"({"id":)" + id + R"(,"name":"a","color":)" + color + "}", "");
    };
    auto group = [](const std::string& fields) {
        return map_text("",
                        R"({"name":"c","location":"","model":"","groups":[{)" + fields + R"(}],"ports":[]})");
    };
    const std::string rest = R"("columns":1,"rows":1,"numbering":"Rows","block":0)";
    expect_messages({
        {"id too large", vlan("70000"),
         k_unreadable + "invalid value: integer `70000`, expected u16 at line 1 column 55"},
        {"id negative", vlan("-1"),
         k_unreadable + "invalid value: integer `-1`, expected u16 at line 1 column 52"},
        {"id fractional", vlan("1.5"),
         k_unreadable + "invalid type: floating point `1.5`, expected u16 at line 1 column 53"},
        {"id 1.0", vlan("1.0"),
         k_unreadable + "invalid type: floating point `1.0`, expected u16 at line 1 column 53"},
        {"id beyond 64 bits", vlan("18446744073709551616"),
         k_unreadable + "invalid value: integer `18446744073709551616`, expected u16 at line 1 column 70"},
        {"id as text", vlan("\"10\""),
         k_unreadable + "invalid type: string \"10\", expected u16 at line 1 column 54"},
        {"id null", vlan("null"), k_unreadable + "invalid type: null, expected u16 at line 1 column 54"},
        {"id object", vlan("{}"), k_unreadable + "invalid type: object, expected u16 at line 1 column 51"},
        {"colour not hex", vlan("10", "\"#0a00fg\""),
         k_unreadable + "not a #rrggbb colour: #0a00fg at line 1 column 81"},
        {"colour short", vlan("10", "\"#fff\""),
         k_unreadable + "not a #rrggbb colour: #fff at line 1 column 78"},
        {"colour number", vlan("10", "255"),
         k_unreadable + "invalid type: integer `255`, expected a #rrggbb colour at line 1 column 75"},
        {"kind unknown", group(R"("kind":"rj45",)" + rest + R"(,"gap_after":0.0)"),
         k_unreadable + "unknown variant `rj45`, expected one of `Rj45`, `Sfp`, `Dual` at line 1 column 119"},
        {"numbering unknown",
         group(R"("kind":"Sfp","columns":1,"rows":1,"numbering":"EvenTop","block":0,"gap_after":0.0)"),
         k_unreadable + "unknown variant `EvenTop`, expected one of `OddTop`, `Rows` at line 1 column 161"},
        {"kind as number", group(R"("kind":0,)" + rest + R"(,"gap_after":0.0)"),
         k_unreadable + "invalid type: integer `0`, expected enum PortKind at line 1 column 114"},
        {"gap beyond float", group(R"("kind":"Sfp",)" + rest + R"(,"gap_after":1e39)"),
         k_unreadable + "invalid value: floating point `1e39`, expected a finite f32 at line 1 column 185"},
        {"gap beyond double", group(R"("kind":"Sfp",)" + rest + R"(,"gap_after":-1e400)"),
         k_unreadable + "number overflow parsing '-1e400' at line 1 column 187"},
        {"gap as text", group(R"("kind":"Sfp",)" + rest + R"(,"gap_after":"1")"),
         k_unreadable + "invalid type: string \"1\", expected f32 at line 1 column 184"},
        {"disabled as number",
         map_text(
             "", switch_text("c", k_group_2x1, R"({"label":"1","tagged":[],"description":"","disabled":0})")),
         k_unreadable + "invalid type: integer `0`, expected a boolean at line 1 column 251"},
        {"tagged not a list", map_text("", switch_text("c", k_group_2x1, R"({"label":"1","tagged":5})")),
         k_unreadable + "invalid type: integer `5`, expected an array at line 1 column 220"},
        {"tagged id too large",
         map_text("", switch_text("c", k_group_2x1, R"({"label":"1","tagged":[1,65536]})")),
         k_unreadable + "invalid value: integer `65536`, expected u16 at line 1 column 227"},
        {"label as array", map_text("", switch_text("c", k_group_2x1, R"({"label":[]})")),
         k_unreadable + "invalid type: array, expected a string at line 1 column 207"},
        {"link as text", map_text("", switch_text("c", k_group_2x1, port_text("1", "\"e:1\""))),
         k_unreadable + "invalid type: string \"e:1\", expected struct PortPeer at line 1 column 284"},
    });

    // Values at the edges of their range, and a gap given as an integer.
    auto edges = load_map(map_text(
        R"({"id":65535,"name":"","color":"#FFFFFF"})",
        switch_text(
            "c",
            R"({"kind":"Sfp","columns":0,"rows":65535,"numbering":"Rows","block":65535,"gap_after":3.4028235e38})",
            ""),
        "0"));
    ASSERT_FALSE(edges.ok());
    EXPECT_EQ(edges.error(), "This map is damaged: VLAN ID 65535 is out of range");
    auto gap = load_map(map_text(
        "",
        switch_text("c", R"({"kind":"Sfp","columns":1,"rows":1,"numbering":"Rows","block":0,"gap_after":-2})",
                    ports_text(1))));
    ASSERT_TRUE(gap.ok()) << gap.error();
    EXPECT_EQ(gap.value().switches[0].groups[0].gap_after, -2.0f);
}

TEST(LoadMap, SyntaxErrorsCarryTheLibrarySentenceAndOurPosition) {
    expect_messages({
        {"cut short", "{",
         k_unreadable + "syntax error while parsing object key - unexpected end of input; expected string "
                        "literal at line 1 column 1"},
        {"trailing text", map_text("", "") + " x",
         k_unreadable +
             "syntax error while parsing value - invalid literal; last read: '\"switches\":[]} x'; "
             "expected end of input at line 1 column 62"},
        {"on the third line", "{\n  \"format\": 1,\n  \"site\" \"x\"\n}",
         k_unreadable + "syntax error while parsing object separator - unexpected string literal; expected "
                        "':' at line 3 column 12"},
        // Columns count characters: ü and 東 are one each, a tab is one.
        {"after wide characters", "{\"site\":\"ü東\",\t\"notes\" 1}",
         k_unreadable + "syntax error while parsing object separator - unexpected number literal; expected "
                        "':' at line 1 column 23"},
        // The byte is quoted as U+FFFD, so that the message is UTF-8.
        {"not UTF-8", "{\"site\":\"\xff\"}",
         k_unreadable + "syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last "
                        "read: '\"\xef\xbf\xbd' at line 1 column 10"},
        {"comment", "{/* no */}",
         k_unreadable + "syntax error while parsing object key - invalid literal; last read: '{/'; expected "
                        "string literal at line 1 column 2"},
    });
}

TEST(LoadMap, PositionsOfProblemsAfterNumbers) {
    // The character that shows where a number ends is not counted as read.
    expect_messages({
        {"number then brace", R"({"format":70000000000})",
         k_unreadable + "invalid value: integer `70000000000`, expected u32 at line 1 column 21"},
        {"number at the end of the text", "70000",
         k_unreadable + "invalid type: integer `70000`, expected struct Header at line 1 column 5"},
        {"number then newline", "{\"format\":\n-1\n}",
         k_unreadable + "invalid value: integer `-1`, expected u32 at line 2 column 2"},
    });
}

std::string nested(std::size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

TEST(LoadMap, NestingIsLimitedTo128Levels) {
    // The map object itself is the first level.
    auto deep_ok =
        load_map(R"({"x":)" + nested(127) + R"(,"format":1,"site":"","notes":"","vlans":[],"switches":[]})");
    EXPECT_TRUE(deep_ok.ok()) << deep_ok.error();
    EXPECT_EQ(error_of(R"({"x":)" + nested(128) + "}"),
              k_unreadable + "recursion limit exceeded at line 1 column 133");
    // Far deeper than any stack could take if reading recursed.
    EXPECT_EQ(error_of(R"({"x":)" + nested(1000000) + "}"),
              k_unreadable + "recursion limit exceeded at line 1 column 133");
    EXPECT_EQ(error_of(std::string(1000000, '[')),
              k_unreadable + "invalid type: array, expected u32 at line 1 column 2");
    auto header = load_header(R"({"x":)" + std::string(1000000, '{'));
    ASSERT_FALSE(header.ok());
    EXPECT_EQ(header.error(), k_unreadable + "syntax error while parsing object key - unexpected '{'; "
                                             "expected string literal at line 1 column 7");
}

TEST(LoadChecks, TheFirstProblemInOrder) {
    const std::string k_damaged = "This map is damaged: ";
    const std::string group_24 =
        R"({"kind":"Rj45","columns":12,"rows":2,"numbering":"OddTop","block":6,"gap_after":0.0})";
    const std::string empty_group =
        R"({"kind":"Rj45","columns":0,"rows":2,"numbering":"OddTop","block":6,"gap_after":0.0})";
    auto vlan = [](int id) { return R"({"id":)" + std::to_string(id) + R"(,"name":"v","color":"#000000"})"; };
    auto lag = [](const std::string& name, const std::string& members) {
        return R"({"name":")" + name + R"(","members":[)" + members + "]}";
    };
    const std::string linked = port_text("1", R"({"switch":"edge","port":"1"})");
    expect_messages({
        {"vlan twice", map_text(vlan(10) + "," + vlan(10), ""), k_damaged + "VLAN 10 appears twice"},
        {"out of range before a later duplicate", map_text(vlan(4095) + "," + vlan(10) + "," + vlan(10), ""),
         k_damaged + "VLAN ID 4095 is out of range"},
        {"vlan 0", map_text(vlan(0), ""), k_damaged + "VLAN ID 0 is out of range"},
        {"vlans before switches",
         map_text(vlan(10) + "," + vlan(10), switch_text("core", group_24, ports_text(26))),
         k_damaged + "VLAN 10 appears twice"},
        {"port count", map_text(vlan(1) + "," + vlan(4094), switch_text("core", group_24, ports_text(26))),
         k_damaged + "core has 26 ports for 24 places"},
        {"no groups, one port", map_text("", switch_text("bare", "", ports_text(1))),
         k_damaged + "bare has 1 ports for 0 places"},
        {"empty group", map_text("", switch_text("core", empty_group, "")),
         k_damaged + "core has an empty port group"},
        {"count before empty group", map_text("", switch_text("core", empty_group, ports_text(1))),
         k_damaged + "core has 1 ports for 0 places"},
        {"lag twice",
         map_text("", switch_text("core", k_group_2x1, ports_text(2), lag("T", "") + "," + lag("T", ""))),
         k_damaged + "core has LAG T twice"},
        {"member missing",
         map_text("", switch_text("core", k_group_2x1, ports_text(2), lag("T", R"("1","3")"))),
         k_damaged + "core LAG T names port 3, which does not exist"},
        {"member twice in one lag",
         map_text("", switch_text("core", k_group_2x1, ports_text(2), lag("T", R"("1","1")"))),
         k_damaged + "core port 1 is in two LAGs"},
        {"member in two lags",
         map_text("", switch_text("core", k_group_2x1, ports_text(2),
                                  lag("T", R"("1")") + "," + lag("U", R"("2","1")"))),
         k_damaged + "core port 1 is in two LAGs"},
        {"member with uplink",
         map_text("",
                  switch_text("core", k_group_2x1, linked + "," + port_text("2"), lag("T", R"("2","1")"))),
         k_damaged + "core port 1 is in a LAG and has an uplink"},
        {"second switch",
         map_text("", switch_text("a", k_group_2x1, ports_text(2)) + "," +
                          switch_text("b", k_group_2x1, ports_text(3))),
         k_damaged + "b has 3 ports for 2 places"},
    });

    // Members met in one switch do not count in the next.
    auto two = load_map(map_text("", switch_text("a", k_group_2x1, ports_text(2), lag("T", R"("1")")) + "," +
                                         switch_text("b", k_group_2x1, ports_text(2), lag("T", R"("1")"))));
    EXPECT_TRUE(two.ok()) << two.error();
    // A label names the first port that has it; a later port of the same
    // label may have an uplink.
    auto twin = load_map(
        map_text("", switch_text("a", k_group_2x1, port_text("1") + "," + linked, lag("T", R"("1")"))));
    EXPECT_TRUE(twin.ok()) << twin.error();
    EXPECT_EQ(find_damage(twin.value()), std::nullopt);
}

TEST(LoadMap, AByteOrderMarkIsToleratedButNeverWritten) {
    auto loaded = load_map("\xEF\xBB\xBF" + map_text("", ""));
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(save_map(loaded.value()).substr(0, 2), "{\n");
}

TEST(LoadMap, HostileInputGivesShortMessagesOfValidText) {
    using namespace std::string_literals;
    const std::string empty_map = map_text("", "");
    const std::string eighty_k(80, 'k');
    const std::string ellipsis = "\xe2\x80\xa6";
    const std::string group_of_kind =
        R"({"kind":")" + std::string(100000, 'k') +
        R"(","columns":2,"rows":1,"numbering":"Rows","block":0,"gap_after":0.0})";
    const std::string long_name(5000, 'n');
    expect_messages({
        // The library takes a NUL for the end of the text; nothing may
        // follow the map but white space.
        {"NUL after the map", empty_map + "\0 garbage {{{"s,
         k_unreadable +
             "syntax error while parsing value - unexpected NUL character; expected end of input at line 1 "
             "column 61"},
        {"NUL as the last byte", empty_map + " \0"s,
         k_unreadable +
             "syntax error while parsing value - unexpected NUL character; expected end of input at line 1 "
             "column 62"},
        {"NUL inside the map", R"({"format":1,)"s + "\0"s + "}",
         k_unreadable +
             "syntax error while parsing object key - unexpected NUL character; expected string literal "
             "at line 1 column 13"},
        {"white space after the map", empty_map + " \r\n\t", "loaded"},
        // As written, not as the number it means.
        {"minus zero", map_text(R"({"id":-0,"name":"x","color":"#000000"})", ""),
         k_unreadable + "invalid value: integer `-0`, expected u16 at line 1 column 52"},
        // Quoted input is cut short, and its bytes that are not UTF-8 are
        // replaced.
        {"a kind of 100,000 characters", map_text("", switch_text("c", group_of_kind, ports_text(2))),
         k_unreadable + "unknown variant `" + eighty_k + ellipsis +
             "`, expected one of `Rj45`, `Sfp`, `Dual` at line 1 column 100115"},
        {"a number of 5,000 digits",
         map_text(R"({"id":)" + std::string(5000, '9') + R"(,"name":"x","color":"#000000"})", ""),
         k_unreadable + "number overflow parsing '" + std::string(80, '9') + ellipsis +
             "' at line 1 column 5050"},
        {"a fraction of 5,000 digits",
         map_text(R"({"id":0.)" + std::string(5000, '5') + R"(,"name":"x","color":"#000000"})", ""),
         k_unreadable + "invalid type: floating point `0." + std::string(78, '5') + ellipsis +
             "`, expected u16 at line 1 column 5052"},
        {"a string for a number",
         map_text(R"({"id":")" + std::string(300, 's') + R"(","name":"x","color":"#000000"})", ""),
         k_unreadable + "invalid type: string \"" + std::string(80, 's') + ellipsis +
             "\", expected u16 at line 1 column 352"},
        {"a long colour", map_text(R"({"id":1,"name":"x","color":"#)" + std::string(200, 'f') + R"("})", ""),
         k_unreadable + "not a #rrggbb colour: #" + std::string(79, 'f') + ellipsis +
             " at line 1 column 274"},
        // The library refuses bytes that are not UTF-8 in a string; the
        // message quotes them as U+FFFD.
        {"bytes that are not UTF-8 in a string",
         map_text(R"({"id":1,"name":"x","color":"#)"s + "\xff\xfe" + R"("})", ""),
         k_unreadable +
             "syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last read: "
             "'\"#\xef\xbf\xbd' at line 1 column 74"},
        {"an unknown key given twice", R"({"format":1,")" + long_name + R"(":1,")" + long_name + R"(":2})",
         k_unreadable + "duplicate field `" + std::string(80, 'n') + ellipsis + "` at line 1 column 10019"},
        // A syntax error keeps the end of what was read, where it is.
        {"a long string with a bad escape", R"({"format":1,"site":")" + std::string(5000, 'x') + R"(\q"})",
         k_unreadable +
             "syntax error while parsing value - invalid string: forbidden character after backslash; "
             "last read: '" +
             ellipsis + std::string(78, 'x') + R"(\q' at line 1 column 5022)"},
        {"a damaged switch with a long name",
         map_text("", switch_text(long_name, k_group_2x1, ports_text(3))),
         "This map is damaged: " + std::string(80, 'n') + ellipsis + " has 3 ports for 2 places"},
    });
}

} // namespace
} // namespace quarn

#include "ops/port_range.hpp"

#include <gtest/gtest.h>

#include <random>

#include "ops/switch_ops.hpp"

namespace quarn {
namespace {

using Positions = std::vector<std::size_t>;

Switch labelled(std::vector<std::string> labels) {
    Switch sw;
    sw.name = "core";
    for (std::string& label : labels) sw.ports.push_back(Port{.label = std::move(label)});
    return sw;
}

// Gi1/0/1..48 then Te1/1/1..4, as a 48+4 switch is labelled.
Switch cisco() {
    Switch sw = make_switch("core", "", "", {"Gi1/0/", 48, 2, 6, 0, 0, false});
    for (int i = 1; i <= 4; ++i) sw.ports.push_back(Port{.label = "Te1/1/" + std::to_string(i)});
    return sw;
}

Positions span(std::size_t from, std::size_t to) {
    Positions list;
    for (std::size_t p = from; p <= to; ++p) list.push_back(p);
    return list;
}

Positions join(std::initializer_list<Positions> parts) {
    Positions list;
    for (const Positions& part : parts) list.insert(list.end(), part.begin(), part.end());
    return list;
}

// What write_port_range gives (below) reads back by the round-trip test; these
// are texts as users type them.
TEST(PortRange, ReadsLabelsNumbersAndRanges) {
    Switch plain = make_switch("edge", "", "", {"", 26, 2, 6, 0, 0, false});
    Switch gi = cisco();
    Switch dashed = labelled({"A-1", "A-2", "A-3", "1-2", "2"});
    struct Case {
        const Switch* sw;
        const char* text;
        Positions positions;
    };
    const Case cases[] = {
        {&plain, " 3 , 1 - 2 ,,", {2, 0, 1}}, {&plain, "5-3", {4, 3, 2}},
        {&plain, "2,1-3,2", {1, 0, 2}},       {&gi, "Gi1/0/1-Gi1/0/12", span(0, 11)},
        {&gi, "Gi1/0/1-12", span(0, 11)},     {&gi, "1-Te1/1/2", span(48, 49)},
        {&dashed, "A-1-A-3", {0, 1, 2}},      {&dashed, "1-2", {3}},
        {&dashed, "A-2 - 2", {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        auto result = parse_port_range(*c.sw, c.text);
        ASSERT_TRUE(result.ok()) << c.text << ": " << result.error();
        EXPECT_EQ(result.value(), c.positions) << c.text;
    }
}

TEST(PortRange, RefusesAnUnknownPortByTheNameAsTyped) {
    Switch gi = cisco();
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"1-99", "core has no port Gi1/0/99."},
        {"99-1", "core has no port 99."},
        {"3, Fa0/1 ,4", "core has no port Fa0/1."},
        {"foo-bar", "core has no port foo-bar."},
        {"1-", "core has no port 1-."},
        {"Gi1/0/1-Gi1/0/70", "core has no port Gi1/0/70."},
        {"Te1/1/1-5", "core has no port Te1/1/5."},
        {"47-Te1/1/2", "core has no port Te1/1/47."},
    };
    for (const Case& c : cases) {
        auto result = parse_port_range(gi, c.text);
        ASSERT_FALSE(result.ok()) << c.text;
        EXPECT_EQ(result.error(), c.message);
    }
}

TEST(PortRange, WritesTheShortestText) {
    Switch plain = make_switch("edge", "", "", {"", 26, 2, 6, 0, 0, false});
    Switch gi = cisco();
    struct Case {
        const Switch* sw;
        Positions positions;
        const char* text;
    };
    const Case cases[] = {
        {&plain, join({span(0, 11), {24}}), "1-12,25"},
        {&plain, {}, ""},
        {&plain, {4, 3, 2, 9, 0, 1}, "5-3,10,1,2"},
        {&plain, {7, 7, 99, 8}, "8,9"},
        {&gi, span(0, 11), "1-12"},
        {&gi, span(48, 51), "Te1/1/1-4"},
        {&gi, span(46, 49), "Gi1/0/47-Te1/1/2"},
        {&gi, {50, 3}, "Te1/1/3,4"},
    };
    for (const Case& c : cases) EXPECT_EQ(write_port_range(*c.sw, c.positions), c.text);
}

TEST(PortRange, DuplicateLabelsCanOnlyBeReachedInsideARange) {
    Switch sw = labelled({"1", "2", "2", "3", "x,y", ""});
    // The second 2 is covered by 1-3; alone it is written "2", which reads as
    // the first 2; "x,y" and "" have no name either.
    EXPECT_EQ(write_port_range(sw, {0, 1, 2, 3}), "1-3");
    EXPECT_EQ(parse_port_range(sw, "1-3").value(), (Positions{0, 1, 2, 3}));
    EXPECT_EQ(write_port_range(sw, {2}), "2");
    EXPECT_EQ(parse_port_range(sw, "2").value(), (Positions{1}));
    EXPECT_EQ(write_port_range(sw, {3, 4, 5}), "3,x,y,");
}

// Every list of distinct positions of ports that can be named reads back
// exactly, on switches with several prefixes, numbers that repeat across
// prefixes, all-digit labels and dashes in labels.
TEST(PortRange, ReadingWhatWasWrittenGivesItBack) {
    std::vector<Switch> switches = {
        cisco(),
        make_switch("edge", "", "", {"", 52, 2, 6, 0, 4, false}),
        labelled({"1", "Gi1", "2", "Gi2", "A-1", "A-2", "10", "Gi10", "Te1", "3", "Gi3", "1-2", "Port 4"}),
    };
    std::mt19937 random(7);
    for (const Switch& sw : switches) {
        for (int round = 0; round < 300; ++round) {
            Positions positions(sw.ports.size());
            for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = i;
            std::shuffle(positions.begin(), positions.end(), random);
            positions.resize(random() % (sw.ports.size() + 1));
            if (round % 3 == 0) std::sort(positions.begin(), positions.end());
            if (round % 3 == 1) std::sort(positions.begin(), positions.end(), std::greater<>());
            std::string text = write_port_range(sw, positions);
            auto read = parse_port_range(sw, text);
            ASSERT_TRUE(read.ok()) << text;
            EXPECT_EQ(read.value(), positions) << sw.name << ": " << text;
        }
    }
}

} // namespace
} // namespace quarn

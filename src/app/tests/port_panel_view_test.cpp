#include "app/port_panel_view.hpp"

#include <gtest/gtest.h>

namespace quarn::app {
namespace {

Map sample() {
    Map map;
    map.vlans = {{10, "Data", {}}, {20, "Voice", {}}};
    Switch sw;
    sw.name = "edge";
    sw.ports = {Port{"1", 10, {20, 30}, "desk", false, std::nullopt},
                Port{"2", 10, {20, 30}, "desk", true, std::nullopt},
                Port{"3", std::nullopt, {}, "printer", true, std::nullopt}};
    map.switches = {sw};
    return map;
}

TEST(PortPanelView, NothingSelected) {
    PortPanelView view = port_panel_view(sample(), {}, std::nullopt);
    EXPECT_EQ(view.selection_text, "No Ports Selected");
    EXPECT_EQ(view.vlan_text, "VLAN: None Selected");
    EXPECT_TRUE(view.port_vlans.empty());
    EXPECT_FALSE(view.label_enabled);
    EXPECT_FALSE(view.description_enabled);
    EXPECT_FALSE(view.disabled_enabled);
}

TEST(PortPanelView, OnePortShowsItsNameTextsAndVlans) {
    std::vector<PortRef> one{{0, 0}};
    PortPanelView view = port_panel_view(sample(), one, 20);
    EXPECT_EQ(view.selection_text, "edge port 1");
    EXPECT_EQ(view.vlan_text, "VLAN: 20 Voice");
    EXPECT_EQ(view.port_vlans, (std::vector<std::string>{"10 U  Data", "20 T  Voice", "30 T"}));
    EXPECT_EQ(view.label, "1");
    EXPECT_TRUE(view.label_enabled);
    EXPECT_EQ(view.description, "desk");
    EXPECT_FALSE(view.disabled_checked);
}

TEST(PortPanelView, SeveralPortsShowWhatTheyShareOrThatTheyDiffer) {
    std::vector<PortRef> alike{{0, 0}, {0, 1}, {5, 0}, {0, 9}}; // stale refs are ignored
    PortPanelView view = port_panel_view(sample(), alike, 99);
    EXPECT_EQ(view.selection_text, "2 Ports Selected");
    EXPECT_EQ(view.vlan_text, "VLAN: 99");
    EXPECT_EQ(view.port_vlans.size(), 3u);
    EXPECT_EQ(view.description, "desk");
    EXPECT_FALSE(view.label_enabled);
    EXPECT_FALSE(view.disabled_checked);

    std::vector<PortRef> mixed{{0, 1}, {0, 2}};
    view = port_panel_view(sample(), mixed, std::nullopt);
    EXPECT_EQ(view.port_vlans, (std::vector<std::string>{"The selected ports differ."}));
    EXPECT_EQ(view.description, "");
    EXPECT_TRUE(view.disabled_checked);
}

} // namespace
} // namespace quarn::app

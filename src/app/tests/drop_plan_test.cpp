#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/drop_plan.hpp"

namespace quarn::app {
namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(DropPlan, MapsOpenConfigurationsImportTheRestIsRefused) {
    struct Case {
        const char* name;
        Paths dropped;
        DropPlan plan;
    };
    const std::vector<Case> cases = {
        {"nothing", {}, {}},
        {"one map", {"C:/maps/depot.quarn"}, {DropAction::OpenMap, {"C:/maps/depot.quarn"}, ""}},
        {"a map in capitals", {"C:/maps/DEPOT.QUARN"}, {DropAction::OpenMap, {"C:/maps/DEPOT.QUARN"}, ""}},
        {"configurations in the order dropped",
         {"b/acc-2.cfg", "a/core.TXT", "c/edge.conf", "d/lldp.log"},
         {DropAction::ImportConfigurations, {"b/acc-2.cfg", "a/core.TXT", "c/edge.conf", "d/lldp.log"}, ""}},
        {"two maps",
         {"a.quarn", "b.quarn"},
         {DropAction::Refuse, {}, "Drop one map at a time: a window shows one map."}},
        {"a map and a configuration",
         {"a.quarn", "core.cfg"},
         {DropAction::Refuse, {}, "Drop a map or switch configurations, not both at once."}},
        {"a picture",
         {"C:/pictures/rack.png"},
         {DropAction::Refuse,
          {},
          "Quarn cannot open rack.png. Drop a map (.quarn) or switch configurations (.txt, .cfg, .conf, "
          ".log)."}},
        {"a picture among configurations",
         {"core.cfg", "rack.png", "edge.cfg"},
         {DropAction::Refuse,
          {},
          "Quarn cannot open rack.png. Drop a map (.quarn) or switch configurations (.txt, .cfg, .conf, "
          ".log)."}},
        {"a configuration under a bare name",
         {"tftp/acc-1-confg"},
         {DropAction::ImportConfigurations, {"tftp/acc-1-confg"}, ""}},
        {"a recovery file is no map",
         {"depot.quarn.1-2.quarn-recovery"},
         {DropAction::Refuse,
          {},
          "Quarn cannot open depot.quarn.1-2.quarn-recovery. Drop a map (.quarn) or switch configurations "
          "(.txt, "
          ".cfg, .conf, .log)."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plan_drop(c.dropped), c.plan);
    }
}

} // namespace
} // namespace quarn::app

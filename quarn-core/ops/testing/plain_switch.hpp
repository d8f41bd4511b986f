#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "model/map.hpp"

namespace quarn::testing {

// A switch of one row of RJ45 ports labelled 1, 2, ... without VLANs or links.
inline Switch plain_switch(std::string name, int ports) {
    Switch sw;
    sw.name = std::move(name);
    sw.groups = {PortGroup{PortKind::Rj45, std::uint16_t(ports), 1, Numbering::Rows, 0, 0.0f}};
    for (int i = 1; i <= ports; ++i) sw.ports.push_back(Port{.label = std::to_string(i)});
    return sw;
}

} // namespace quarn::testing

#pragma once

// An import result as a few lines of text, so that a test compares all of
// it at once and a failure shows what differs.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "import/config_import.hpp"

namespace quarn::testing {

// 1-9,11-4094
inline std::string id_ranges(const std::vector<std::uint16_t>& ids) {
    std::string text;
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t j = i;
        while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1) ++j;
        if (!text.empty()) text += ',';
        text += std::to_string(ids[i]);
        if (j > i) text += '-' + std::to_string(ids[j]);
        i = j + 1;
    }
    return text.empty() ? "-" : text;
}

// One line a port: "Gi1/0/1 R u=10 t=20,30 d=Printer off".
inline std::string ports_text(const ImportResult& result) {
    std::string text;
    for (const ImportedPort& port : result.ports) {
        text += port.label;
        text += port.kind == PortKind::Sfp ? " S" : " R";
        text += " u=" + (port.untagged ? std::to_string(*port.untagged) : std::string("-"));
        text += " t=" + id_ranges(port.tagged);
        if (!port.description.empty()) text += " d=" + port.description;
        if (port.disabled) text += " off";
        text += '\n';
    }
    return text;
}

// Host, VLANs, LAGs and lines not understood.
inline std::string rest_text(const ImportResult& result) {
    std::string text = "host " + result.host_name + '\n';
    for (const ImportedVlan& vlan : result.vlans)
        text += "vlan " + std::to_string(vlan.id) + ' ' + vlan.name + '\n';
    for (const ImportedLag& lag : result.lags) {
        text += "lag " + lag.name + ':';
        for (const std::string& member : lag.members) text += ' ' + member;
        text += '\n';
    }
    for (const UnreadLine& line : result.unread)
        text += "line " + std::to_string(line.number) + ": " + line.text + '\n';
    return text;
}

// One configuration and the result expected from it, as text. A whole
// configuration, as the switch writes it, is `recognised`: detection is
// sure of its dialect.
struct ImportCase {
    const char* name;
    Dialect dialect;
    const char* config;
    const char* ports;
    const char* rest;
    bool recognised = false;
};

inline void run_cases(const std::vector<ImportCase>& cases) {
    for (const ImportCase& c : cases) {
        ImportResult result = import_config(c.config, c.dialect);
        EXPECT_EQ(result.dialect, c.dialect) << c.name;
        EXPECT_FALSE(result.dialect_assumed) << c.name;
        EXPECT_EQ(ports_text(result), c.ports) << c.name;
        EXPECT_EQ(rest_text(result), c.rest) << c.name;
        if (c.recognised) {
            EXPECT_EQ(guess_dialect(c.config), (DialectGuess{c.dialect, true})) << c.name;
        }
    }
}

} // namespace quarn::testing

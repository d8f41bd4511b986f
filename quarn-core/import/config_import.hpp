#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// The configuration languages the importer reads. Arista EOS writes its
// interfaces as Cisco IOS does and is read as `CiscoIos`; Netgear's managed
// switches share their language with Ubiquiti's EdgeSwitch. `FastIron` is
// Ruckus ICX and Brocade FastIron, `Vrp` Huawei's VRP, `RouterOs` MikroTik's
// RouterOS export, `Exos` Extreme Networks ExtremeXOS.
enum class Dialect : std::uint8_t {
    Unknown,
    CiscoIos,
    NxOs,
    ArubaOs,
    Comware,
    Junos,
    ArubaCx,
    DellOs10,
    DellOs6,
    CiscoSb,
    AlliedWare,
    EdgeSwitch,
    FastIron,
    Vrp,
    RouterOs,
    Exos,
};

// One dialect as the program names it.
struct DialectInfo {
    Dialect dialect = Dialect::Unknown;
    std::string_view title;     // "Cisco IOS": the importer's messages
    std::string_view platforms; // "Cisco IOS, IOS-XE, Arista EOS": the dialog's list
    std::string_view name;      // what --dialect takes first: "ios"
};

// Every dialect the importer reads, in the order of `Dialect`.
std::span<const DialectInfo> dialects();

struct ImportedVlan {
    std::uint16_t id = 0;
    std::string name;

    bool operator==(const ImportedVlan&) const = default;
};

// One physical port as the configuration means it. `label` is the name the
// configuration gives (GigabitEthernet1/0/1, ge-0/0/0, 5, A1, 1/1/1, ether2,
// 1:1); `kind` is
// Rj45 for copper and Sfp for ten-gigabit and faster. `tagged` is ascending
// and never holds `untagged`.
struct ImportedPort {
    std::string label;
    PortKind kind = PortKind::Rj45;
    std::optional<std::uint16_t> untagged;
    std::vector<std::uint16_t> tagged;
    std::string description;
    bool disabled = false;

    bool operator==(const ImportedPort&) const = default;
};

// A LAG by its configuration name (Port-channel1, Trk1, Bridge-Aggregation1,
// ae0) and the labels of its member ports in port order.
struct ImportedLag {
    std::string name;
    std::vector<std::string> members;

    bool operator==(const ImportedLag&) const = default;
};

// A line that the importer did not understand, or whose meaning the map
// cannot hold. Secrets are cut off the text: the words after a password,
// key or community are replaced by "...".
struct UnreadLine {
    std::size_t number = 0; // counted from 1
    std::string text;       // trimmed

    bool operator==(const UnreadLine&) const = default;
};

// What one configuration may hold at most, so that any text, however long,
// is read in bounded memory: far more ports and LAGs than the largest stack
// has, and the first lines not understood (all of them are counted).
inline constexpr std::size_t k_max_imported_ports = 4096;
inline constexpr std::size_t k_max_imported_lags = 4096;
inline constexpr std::size_t k_max_unread_lines = 1000;

// All texts are UTF-8: bytes of a configuration that form no character are
// replaced by U+FFFD, as the map file would write them.
struct ImportResult {
    Dialect dialect = Dialect::Unknown;
    // The text was read as the dialect it looks most like, but it looks
    // much like another too (a few lines pasted from a Cisco-like family):
    // the reader should be told which dialect was assumed.
    bool dialect_assumed = false;
    std::string host_name;
    std::vector<ImportedVlan> vlans; // ascending by id
    std::vector<ImportedPort> ports; // in the configuration's order
    std::vector<ImportedLag> lags;
    std::vector<UnreadLine> unread; // the first k_max_unread_lines
    std::size_t unread_count = 0;   // all lines not understood
    std::size_t ports_left_out = 0; // ports past k_max_imported_ports

    bool operator==(const ImportResult&) const = default;

    // Something that belongs on a map was found.
    [[nodiscard]] bool recognised() const { return !ports.empty() || !vlans.empty(); }
};

// The dialect the text looks most like; Unknown when it looks like none or
// like a family the importer does not read.
Dialect detect_dialect(std::string_view text);

struct DialectGuess {
    Dialect dialect = Dialect::Unknown;
    // Lines that only this dialect writes set it well apart from the next.
    bool sure = false;

    bool operator==(const DialectGuess&) const = default;
};
DialectGuess guess_dialect(std::string_view text);

// Reads the text as `dialect`, or as the detected dialect when none is
// given. Never fails: any text gives a result, and text that is no
// configuration gives one that recognises nothing.
ImportResult import_config(std::string_view text, std::optional<Dialect> dialect = std::nullopt);

// "Cisco IOS", "Cisco NX-OS", "ArubaOS-Switch", ... as `dialects` names
// them; "unknown".
std::string_view dialect_title(Dialect dialect);

// The titles of every dialect read, for the sentence that says a text is
// none of them: "Cisco IOS, Cisco NX-OS, ..., Extreme EXOS".
std::string dialect_titles();

// The names --dialect accepts: each dialect's name and a few others (eos,
// procurve, h3c, cbs, netgear, ruckus, huawei, mikrotik, extreme, ...); case
// does not matter.
std::optional<Dialect> parse_dialect_name(std::string_view name);
inline constexpr std::string_view k_dialect_names = "ios, nxos, aruba, comware, junos, aoscx, os10, os6, "
                                                    "ciscosb, awplus, edgeswitch, fastiron, vrp, routeros, "
                                                    "exos";

// The label in the switch's own short form: Gi1/0/1, Te1/1/1, Eth1/1, Po1,
// GE1/0/1, XGE1/0/49, BAGG1, ge-0/0/0, 1, A1, 1/1/1, ethernet1/1/1:1,
// port1.0.1, 0/1, 1/1/1 (for FastIron's "ethernet 1/1/1"), GE0/0/1 and
// XGE0/0/1 (VRP), ether2, 1:1. Labels the dialect has no short form for stay
// as they are.
std::string short_label(Dialect dialect, std::string_view label);

// Whether two labels name the same port, the long and the short form of a
// name being the same (GigabitEthernet1/0/1, Gi1/0/1 and gi1/0/1; GE1/0/1;
// ethernet1/1/1:1 and Eth1/1/1:1; lag 1 and lag1).
bool same_port_label(std::string_view a, std::string_view b);

} // namespace quarn

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/config_import.hpp"
#include "import/import_apply.hpp"
#include "import/neighbour_import.hpp"
#include "model/map.hpp"

namespace quarn {

// One file of a campus import: one switch's configuration, its neighbour
// output, or both (see read_capture).
struct CaptureFile {
    std::string name; // the file's name; its stem names a switch nothing else names
    std::string text;
    // The switch the file is about, when the user says so; empty: the
    // configuration's host name, else the prompts' name, else the file's stem.
    std::string switch_name;
};

struct CampusOptions {
    // The dialect of every configuration; nothing: each one's detected.
    std::optional<Dialect> dialect;
    // Links and LAG peers of the map that the neighbours contradict give way.
    bool replace_contradicted = false;
    // Neighbours that are no switch of the map go into the empty
    // descriptions of the ports they were seen on.
    bool describe_outside = false;
};

// A port ("Gi1/0/49") or, for LAG peers, a LAG ("Po1") of a switch.
struct CampusEnd {
    std::string switch_name;
    std::string port;

    bool operator==(const CampusEnd&) const = default;
};

struct CampusFile {
    enum class Outcome : std::uint8_t {
        Added,          // a new switch from the configuration
        Updated,        // the configuration went into the map's switch of that name
        NeighboursOnly, // neighbour output of a switch of the map, no configuration
        NoSwitch,       // neighbour output of a switch the map does not have
        Nothing,        // no configuration, no neighbour output
    };

    std::string file;
    Outcome outcome = Outcome::Nothing;
    std::string switch_name;    // the switch it went into, or the name it gives (NoSwitch)
    ImportResult configuration; // what the configuration reader found
    ImportApplied applied;      // Added, Updated
    std::size_t neighbours = 0; // entries read

    bool operator==(const CampusFile&) const = default;
};

struct CampusLink {
    CampusEnd a;
    CampusEnd b;
    bool lag = false;     // a and b name LAGs: their peers were set
    bool already = false; // the map had the link; nothing changed

    bool operator==(const CampusLink&) const = default;
};

// What the neighbours report but cannot go into the map.
struct NeighbourConflict {
    enum class Kind : std::uint8_t {
        Disagree,   // at reports says, but says reports other (or no port of at's switch)
        Several,    // at reports both says and other
        Shared,     // at and other both report says, which reports neither
        NoSuchPort, // at reports says, a port its switch does not have
        LagOneSide, // at and says reach each other, but only one of them is in a LAG
        LagSplit,   // LAG at reaches LAGs says and other
    };

    Kind kind = Kind::Disagree;
    CampusEnd at;
    CampusEnd says;
    CampusEnd other; // for Disagree without a far end: the system and port as reported

    bool operator==(const NeighbourConflict&) const = default;
};

// A link or LAG peer of the map that the neighbours contradict.
struct LinkContradiction {
    CampusEnd end;       // the port (or LAG) whose link the neighbours contradict
    CampusEnd linked_to; // where the map links it
    CampusEnd reported;  // where the neighbours say it goes
    bool lag = false;
    bool replaced = false;

    bool operator==(const LinkContradiction&) const = default;
};

// A neighbour that is no switch of the map: a phone, an access point, a
// server, a switch that was not imported.
struct OutsideNeighbour {
    CampusEnd at;
    std::string system;
    std::string port;
    std::vector<std::string> capabilities;
    bool described = false; // written into the port's description

    bool operator==(const OutsideNeighbour&) const = default;
};

// A neighbour reported on a port the switch's panel does not have (often
// the management port).
struct UnplacedNeighbour {
    CampusEnd at;
    std::string system;
    std::string port;

    bool operator==(const UnplacedNeighbour&) const = default;
};

struct CampusReport {
    std::vector<CampusFile> files; // in the order given
    std::vector<CampusLink> links; // made, and found already made
    std::vector<NeighbourConflict> conflicts;
    std::vector<LinkContradiction> contradictions;
    std::vector<OutsideNeighbour> outside;
    std::vector<UnplacedNeighbour> unplaced;

    bool operator==(const CampusReport&) const = default;

    // A file gave a switch, or neighbours of a switch of the map.
    [[nodiscard]] bool recognised() const;
    [[nodiscard]] std::size_t count(CampusFile::Outcome outcome) const;
    [[nodiscard]] std::size_t links_made() const; // links and peers new to the map
};

struct CampusImport {
    Map map;
    CampusReport report;
};

// Reads every file and builds the campus into a copy of `map`: each file's
// configuration updates the map's switch of that name or adds a switch;
// then the neighbours link the ports of switches of the map both ways (a
// switch's name matched without case, domain and NX-OS serial, also against
// the host names and prompt names the files give; a port by its long or
// short form). Both ends of a link must agree when both report; LAG members
// that all reach one LAG set the two LAGs' peers. New switches are ordered
// as a campus reads: the one with the most links first, then by hops from
// it, then by name; switches without links last. Pure: a dialog calls it
// for its preview and takes `map` on OK.
CampusImport import_campus(const Map& map, std::span<const CaptureFile> files,
                           const CampusOptions& options = {});

// The texts of the report, one line each:
// "acc-a1 Gi1/0/49 ↔ core Te1/1/1", "LAG acc-a1 Po1 ↔ core Po11".
std::string campus_link_text(const CampusLink& link);
// "acc-a1 Gi1/0/49 reports core Te1/1/1, but core Te1/1/1 reports acc-a2 Gi1/0/49." and the other kinds.
std::string conflict_message(const NeighbourConflict& conflict);
// "acc-a1 Gi1/0/50 is linked to core Te1/1/4, but its neighbours report core Te1/1/5: kept."
std::string contradiction_message(const LinkContradiction& contradiction);
// "acc-a1 Gi1/0/7 → phone-7 Port 1"
std::string outside_text(const OutsideNeighbour& outside);
// "acc-a1 mgmt0 → oob-sw Gi1/0/5"
std::string unplaced_text(const UnplacedNeighbour& unplaced);

// The normal form of a system name for matching: lower case, without an
// NX-OS serial in parentheses and without a domain (an IPv4 address stays).
std::string system_key(std::string_view name);

} // namespace quarn

#pragma once

#include <string>
#include <vector>

#include "compare/change.hpp"

namespace quarn {

// The changes as a JSON array for scripts, two-space indented, one object a
// change in list order:
//   {"change": "added" | "removed" | "changed",
//    "place": {"kind": "map" | "vlan" | "switch" | "port" | "lag",
//              "vlan": ID (vlan), "switch": NAME (switch, port, lag),
//              "port": LABEL (port), "lag": NAME (lag)},
//    "fields": [{"field": NAME, "old": TEXT or null, "new": TEXT or null,
//                "added": [IDs], "removed": [IDs] (tagged, when changed)}],
//    "text": the change line}
// Values are the texts of the change line, without the quotes around typed
// texts. Bytes that are not UTF-8 become U+FFFD.
std::string changes_json(const std::vector<Change>& changes);

} // namespace quarn

// libFuzzer target for the configuration importer: every input, read as
// the detected dialect and as each dialect in turn, gives a result that
// keeps the result's rules, and the result goes into a map that saves and
// loads again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/import_apply.hpp"
#include "model/map_file.hpp"

namespace {

void check(const quarn::ImportResult& result) {
    if (result.ports.size() > quarn::k_max_imported_ports) std::abort();
    if (result.unread.size() > quarn::k_max_unread_lines || result.unread_count < result.unread.size())
        std::abort();
    for (const quarn::ImportedPort& port : result.ports) {
        if (port.untagged && (*port.untagged < 1 || *port.untagged > 4094)) std::abort();
        if (!std::is_sorted(port.tagged.begin(), port.tagged.end())) std::abort();
        if (std::adjacent_find(port.tagged.begin(), port.tagged.end()) != port.tagged.end()) std::abort();
        for (std::uint16_t id : port.tagged)
            if (id < 1 || id > 4094 || id == port.untagged) std::abort();
    }
    for (std::size_t i = 1; i < result.vlans.size(); ++i)
        if (result.vlans[i - 1].id >= result.vlans[i].id) std::abort();
    if (result.recognised() != (!result.ports.empty() || !result.vlans.empty())) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quarn::ImportResult detected = quarn::import_config(text);
    check(detected);
    if (detected.dialect != quarn::detect_dialect(text)) std::abort();
    for (quarn::Dialect dialect : {quarn::Dialect::CiscoIos, quarn::Dialect::NxOs, quarn::Dialect::ArubaOs,
                                   quarn::Dialect::Comware, quarn::Dialect::Junos, quarn::Dialect::FastIron,
                                   quarn::Dialect::Vrp, quarn::Dialect::RouterOs, quarn::Dialect::Exos})
        check(quarn::import_config(text, dialect));

    quarn::Map map;
    quarn::import_new_switch(map, detected, "fuzz");
    quarn::import_into_switch(map, 0, detected);
    auto loaded = quarn::load_map(quarn::save_map(map));
    if (!loaded.ok() || !(loaded.value() == map)) std::abort();
    return 0;
}

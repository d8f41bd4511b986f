// The detail forms: one "key: value" line after another, an entry at a
// time. The platforms name the same things differently, and seldom the same
// key for different things, so one table of keys reads all of them; what
// starts an entry differs and is told apart below.
#include <array>
#include <string>
#include <unordered_map>

#include "import/neighbour_reader.hpp"

namespace quarn::neighbour_detail {
namespace {

enum class Field : std::uint8_t {
    Ignore,
    Local,     // starts an entry unless the entry has no neighbour yet
    LocalWeak, // NX-OS, Dell: the local port; Junos: an index after the port
    System,
    DeviceId, // CDP; a second one starts an entry
    Chassis,  // a second one starts an entry
    PortId,
    PortType,
    PortDescription,
    CapsSupported,
    CapsEnabled,
    NextNeighbour, // Comware, VRP, ICX: the next neighbour of the same port
    Restart,       // Junos: "LLDP Neighbor Information:" before every entry
    CdpInterface,  // "Interface: Gi1/0/1,  Port ID (outgoing port): Gi0/1"
    CdpPlatform,   // "Platform: cisco WS-C2960,  Capabilities: Switch IGMP"
};

struct KeyRow {
    std::string_view key;
    Field field;
};

constexpr std::array<KeyRow, 51> k_keys = {{
    {"local intf", Field::Local},
    {"local interface", Field::Local},
    {"local port", Field::Local},
    {"port", Field::Local}, // AOS-CX
    {"local port id", Field::LocalWeak},
    {"system name", Field::System},
    {"remote system name", Field::System},
    {"neighbor system-name", Field::System},
    {"neighbor chassis-name", Field::System},
    {"sysname", Field::System},
    {"system-name", Field::System},
    {"device id", Field::DeviceId},
    {"device-id", Field::DeviceId},
    {"chassis id", Field::Chassis},
    {"remote chassis id", Field::Chassis},
    {"neighbor chassis-id", Field::Chassis},
    {"chassisid", Field::Chassis},
    {"chassis-id", Field::Chassis},
    {"port id", Field::PortId},
    {"remote port id", Field::PortId},
    {"neighbor port-id", Field::PortId},
    {"portid", Field::PortId},
    {"port-id", Field::PortId},
    {"port id type", Field::PortType},
    {"port id subtype", Field::PortType},
    {"port type", Field::PortType},
    {"porttype", Field::PortType},
    {"remote port subtype", Field::PortType},
    {"port subtype", Field::PortType},
    {"port description", Field::PortDescription},
    {"remote port description", Field::PortDescription},
    {"neighbor port-desc", Field::PortDescription},
    {"portdescr", Field::PortDescription},
    {"port descr", Field::PortDescription},
    {"port desc", Field::PortDescription},
    {"system capabilities", Field::CapsSupported},
    {"existing system capabilities", Field::CapsSupported},
    {"system capabilities supported", Field::CapsSupported},
    {"chassis capabilities available", Field::CapsSupported},
    {"enabled capabilities", Field::CapsEnabled},
    {"system capabilities enabled", Field::CapsEnabled},
    {"enabled system capabilities", Field::CapsEnabled},
    {"chassis capabilities enabled", Field::CapsEnabled},
    {"neighbor index", Field::NextNeighbour},
    {"lldp neighbor index", Field::NextNeighbour},
    {"neighbour index", Field::NextNeighbour},
    {"neighbor", Field::NextNeighbour}, // ICX: "Neighbor: 748e.f8aa.0001, TTL 101 seconds"
    {"lldp neighbor information", Field::Restart},
    {"interface", Field::CdpInterface},
    {"platform", Field::CdpPlatform},
    {"lldp neighbour information", Field::Restart},
}};

Field field_of(const std::string& key) {
    static const std::unordered_map<std::string_view, Field> k_index = [] {
        std::unordered_map<std::string_view, Field> index;
        for (const KeyRow& row : k_keys) index.emplace(row.key, row.field);
        return index;
    }();
    auto found = k_index.find(key);
    if (found != k_index.end()) return found->second;
    // Huawei CE: "Neighbor 1:".
    if (key.starts_with("neighbor ") && all_digits(std::string_view(key).substr(9)))
        return Field::NextNeighbour;
    return Field::Ignore;
}

bool separator(std::string_view text) {
    std::size_t marks = 0;
    for (char c : text) {
        if (c == '-' || c == '=' || c == '_')
            ++marks;
        else if (c != ' ' && c != '+')
            return false;
    }
    return marks >= 4;
}

// "Interface Ethernet1 detected 1 LLDP neighbors:" (Arista).
bool arista_interface(std::string_view text, std::string_view& port) {
    if (!istarts_with(text, "Interface ") || !icontains(text, " detected ") || !icontains(text, " neighbor"))
        return false;
    std::vector<Word> words = split_columns(text);
    if (words.size() < 4 || !iequals(words[2].text, "detected")) return false;
    port = words[1].text;
    return true;
}

// "LLDP neighbor-information of port 1[GigabitEthernet1/0/1]:" (Comware).
bool comware_port(std::string_view text, std::string_view& port) {
    if (!istarts_with(text, "LLDP neighbor-information of port")) return false;
    std::size_t open = text.find('[');
    std::size_t close = text.rfind(']');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
        port = trim(text.substr(open + 1, close - open - 1));
        return true;
    }
    std::vector<Word> words = split_columns(text);
    if (words.size() < 5) return false;
    port = words[4].text;
    if (!port.empty() && port.back() == ':') port.remove_suffix(1);
    return true;
}

// "GigabitEthernet0/0/1 has 1 neighbor(s):" (VRP), "Local Interface Te 0/48
// has 1 neighbor" (Dell OS9).
bool has_neighbours(std::string_view text, std::string_view& port) {
    std::size_t has = text.find(" has ");
    if (has == std::string_view::npos || has == 0) return false;
    std::vector<Word> after = split_columns(text.substr(has + 5));
    if (after.size() < 2 || !all_digits(after[0].text) || !istarts_with(after[1].text, "neighbo"))
        return false;
    std::string_view before = trim(text.substr(0, has));
    if (istarts_with(before, "Local Interface ")) before = trim(before.substr(16));
    if (istarts_with(before, "Port ")) before = trim(before.substr(5));
    if (!looks_like_interface(before)) return false;
    port = before;
    return true;
}

class DetailReader : public LineReader {
  public:
    explicit DetailReader(ReaderOutput& out) : out_(out) {}

    void line(const OutputLine& line) override;
    void end() override;

  private:
    void finish(bool complete);
    void restart(std::size_t line);
    void recognise(std::size_t line, bool strong);
    void read_value(const KeyValue& kv, Field field, std::size_t line);

    ReaderOutput& out_;
    EntryDraft draft_;
    std::string context_; // the local port a header names for the entries under it
    bool caps_block_ = false;
    std::size_t keys_after_port_ = 0;
    bool span_open_ = false;
    LineSpan span_;
    KeyValue kv_;
};

void DetailReader::finish(bool complete) {
    NeighbourEntry entry;
    if (out_.entries.size() < k_max_entries && finish_entry(draft_, complete, entry))
        out_.entries.push_back(std::move(entry));
    draft_ = EntryDraft{};
    draft_.local = context_;
    caps_block_ = false;
    keys_after_port_ = 0;
}

// The next entry begins at `line`; the one before is complete.
void DetailReader::restart(std::size_t line) {
    finish(true);
    draft_.line = line;
}

void DetailReader::recognise(std::size_t line, bool strong) {
    bool inside = draft_.has_remote() || !context_.empty();
    if (span_open_ && (inside || line <= span_.last + 3)) {
        span_.last = line;
    } else if (strong) {
        if (span_open_) out_.spans.push_back(span_);
        span_ = LineSpan{line, line};
        span_open_ = true;
    }
}

void DetailReader::read_value(const KeyValue& kv, Field field, std::size_t line) {
    auto first = [](std::string& slot, std::string_view value) {
        if (slot.empty()) slot = std::string(value);
    };
    std::string_view value = kv.value;
    switch (field) {
    case Field::Local:
        if (value.empty()) return;
        if (draft_.has_remote() || !draft_.local.empty()) restart(line);
        if (draft_.line == 0) draft_.line = line;
        draft_.local = std::string(value);
        // ICX lists the neighbours of a port under it.
        context_ = std::string(value);
        return;
    case Field::LocalWeak:
        first(draft_.local_weak, value);
        return;
    case Field::Chassis:
        if (!draft_.chassis.empty()) restart(line);
        if (draft_.line == 0) draft_.line = line;
        first(draft_.chassis, value);
        return;
    case Field::DeviceId:
        if (!draft_.device_id.empty()) restart(line);
        if (draft_.line == 0) draft_.line = line;
        first(draft_.device_id, value);
        draft_.codes = CapabilityCodes::Cdp;
        return;
    case Field::NextNeighbour:
        if (draft_.has_remote()) restart(line);
        if (draft_.line == 0) draft_.line = line;
        return;
    case Field::Restart:
        finish(true);
        context_.clear();
        draft_.local.clear();
        draft_.line = line;
        return;
    case Field::System:
        first(draft_.system, value);
        return;
    case Field::PortId:
        first(draft_.port_id, value);
        if (!kv.hint.empty()) first(draft_.port_type, kv.hint);
        return;
    case Field::PortType:
        first(draft_.port_type, value);
        return;
    case Field::PortDescription:
        first(draft_.port_description, value);
        return;
    case Field::CapsSupported:
        if (value.empty() && kv.key == "system capabilities") {
            caps_block_ = true;
            return;
        }
        first(draft_.capabilities_supported, value);
        return;
    case Field::CapsEnabled:
        first(draft_.capabilities_enabled, value);
        return;
    case Field::CdpInterface: {
        std::size_t comma = value.find(',');
        std::size_t port = comma == std::string_view::npos ? comma : value.find(':', comma);
        if (port == std::string_view::npos || !icontains(value.substr(comma), "port id")) return;
        first(draft_.local, trim(value.substr(0, comma)));
        first(draft_.port_id, unquote(value.substr(port + 1)));
        draft_.codes = CapabilityCodes::Cdp;
        return;
    }
    case Field::CdpPlatform: {
        std::size_t at = value.find("Capabilities:");
        if (at != std::string_view::npos) first(draft_.capabilities_enabled, trim(value.substr(at + 13)));
        draft_.codes = CapabilityCodes::Cdp;
        return;
    }
    case Field::Ignore:
        return;
    }
}

void DetailReader::line(const OutputLine& line) {
    std::string_view text = line.text;
    if (text.empty()) return;
    if (separator(text)) {
        if (draft_.has_remote()) finish(true);
        recognise(line.number, false);
        return;
    }
    if (total_line(text)) {
        finish(true);
        context_.clear();
        draft_.local.clear();
        recognise(line.number, false);
        return;
    }
    std::string_view port;
    if (arista_interface(text, port) || comware_port(text, port) || has_neighbours(text, port)) {
        finish(true);
        context_ = std::string(port);
        draft_.local = context_;
        draft_.line = line.number;
        recognise(line.number, true);
        return;
    }
    // Arista: "Neighbor 2cc2.6081.eaf9/"Ethernet1", age 12 seconds".
    if (istarts_with(text, "Neighbor ") && icontains(text, ", age ")) {
        if (draft_.has_remote()) restart(line.number);
        if (draft_.line == 0) draft_.line = line.number;
        recognise(line.number, true);
        return;
    }
    // Junos writes its capabilities under a title of their own.
    if (iequals(text, "System capabilities")) {
        caps_block_ = true;
        recognise(line.number, false);
        return;
    }
    if (!split_key_value(text, kv_)) return;
    Field field = field_of(kv_.key);
    if (caps_block_ && (kv_.key == "supported" || kv_.key == "enabled")) {
        auto& slot = kv_.key == "supported" ? draft_.capabilities_supported : draft_.capabilities_enabled;
        if (slot.empty()) slot = std::string(kv_.value);
        recognise(line.number, false);
        return;
    }
    caps_block_ = false;
    if (field == Field::Ignore) {
        if (!draft_.port_id.empty() || !draft_.port_description.empty()) ++keys_after_port_;
        return;
    }
    bool strong = field == Field::Restart ||
                  ((field == Field::Local || field == Field::Chassis || field == Field::DeviceId) &&
                   !kv_.value.empty()) ||
                  (field == Field::CdpInterface && icontains(kv_.value, "port id"));
    read_value(kv_, field, line.number);
    if (draft_.line == 0) draft_.line = line.number;
    if (!draft_.port_id.empty() || !draft_.port_description.empty()) ++keys_after_port_;
    recognise(line.number, strong);
}

void DetailReader::end() {
    // Cut off by the end of a capture, unless fields that follow the port came.
    finish(keys_after_port_ >= 3);
    if (span_open_) out_.spans.push_back(span_);
}

} // namespace

std::unique_ptr<LineReader> detail_reader(ReaderOutput& out) {
    return std::make_unique<DetailReader>(out);
}

} // namespace quarn::neighbour_detail

#include "import/config_reader.hpp"

#include <algorithm>
#include <array>
#include <bit>

#include "common/utf8.hpp"

namespace quarn::import_detail {
namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

char lower_char(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Words that introduce a secret; whatever follows them is never copied.
constexpr std::array<std::string_view, 14> k_secret_words = {
    "password",   "secret", "key",       "key-string", "community", "authentication-key", "md5",
    "pre-shared", "cipher", "encrypted", "hash",       "simple",    "encrypted-password", "psk",
};

// Also compounds such as message-digest-key and pre-shared-key.
bool secret_word(std::string_view word) {
    std::string low = lower(word);
    if (low.starts_with("password") || low.starts_with("secret") || low.starts_with("community")) return true;
    if (std::find(k_secret_words.begin(), k_secret_words.end(), low) != k_secret_words.end()) return true;
    std::string_view rest = low;
    while (!rest.empty()) {
        std::size_t dash = rest.find('-');
        std::string_view part = rest.substr(0, dash);
        if (part == "key" || part == "password" || part == "secret") return true;
        if (dash == std::string_view::npos) break;
        rest = rest.substr(dash + 1);
    }
    return false;
}

// Interface name families: every spelling of one family maps to its key.
struct Family {
    std::string_view key;
    std::array<std::string_view, 6> spellings;
};

constexpr std::array<Family, 11> k_families = {{
    {"fa", {"fastethernet", "fa", "fastether"}},
    {"gi", {"gigabitethernet", "gi", "gig", "ge"}},
    {"tw", {"twogigabitethernet", "tw"}},
    {"fi", {"fivegigabitethernet", "fi"}},
    {"te", {"tengigabitethernet", "te", "ten-gigabitethernet", "xge", "tengige", "xgigabitethernet"}},
    {"twe", {"twentyfivegige", "twentyfivegigabitethernet", "twe", "twenty-fivegige", "wge"}},
    {"fo", {"fortygigabitethernet", "fo", "fortygige", "fge"}},
    {"hu", {"hundredgige", "hundredgigabitethernet", "hu", "hge"}},
    {"eth", {"ethernet", "eth", "et", "ethe"}},
    {"po", {"port-channel", "po", "portchannel"}},
    {"bagg", {"bridge-aggregation", "bagg"}},
}};

// Length of the letters (and hyphens) before the number of a name.
std::size_t prefix_length(std::string_view label) {
    std::size_t n = 0;
    while (n < label.size() &&
           ((label[n] >= 'a' && label[n] <= 'z') || (label[n] >= 'A' && label[n] <= 'Z') || label[n] == '-'))
        ++n;
    return n;
}

std::string_view family_key(std::string_view prefix) {
    std::string low = lower(prefix);
    for (const Family& family : k_families)
        for (std::string_view spelling : family.spellings)
            if (!spelling.empty() && spelling == low) return family.key;
    return {};
}

std::string default_name(const std::string& prefix, int digits, std::uint16_t id) {
    std::string number = std::to_string(id);
    if (static_cast<int>(number.size()) < digits) number.insert(0, digits - number.size(), '0');
    return prefix + number;
}

} // namespace

Lines::Lines(std::string_view text) : rest_(text) {
    if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);
}

bool Lines::next(Line& line) {
    while (!rest_.empty()) {
        ++number_;
        std::size_t end = rest_.find('\n');
        std::string_view raw = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        std::size_t indent = 0;
        while (indent < raw.size() && (raw[indent] == ' ' || raw[indent] == '\t')) ++indent;
        std::string_view content = trim(raw.substr(indent));
        if (content.empty()) continue;
        line = Line{number_, indent, content};
        return true;
    }
    return false;
}

std::vector<Line> split_lines(std::string_view text) {
    std::vector<Line> lines;
    Lines reader(text);
    for (Line line; reader.next(line);) lines.push_back(line);
    return lines;
}

std::vector<std::string_view> split_words(std::string_view text, bool quotes) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && blank(text[i])) ++i;
        if (i >= text.size()) break;
        if (quotes && text[i] == '"') {
            std::size_t end = text.find('"', i + 1);
            if (end == std::string_view::npos) end = text.size();
            words.push_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t start = i;
        while (i < text.size() && !blank(text[i])) ++i;
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::string_view after_words(std::string_view content, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t w = 0; w < count; ++w) {
        while (i < content.size() && blank(content[i])) ++i;
        while (i < content.size() && !blank(content[i])) ++i;
    }
    return trim(content.substr(std::min(i, content.size())));
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower_char(a[i]) != lower_char(b[i])) return false;
    return true;
}

bool iequals_any(std::span<const std::string_view> words, std::string_view word) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return iequals(w, word); });
}

bool istarts_with(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && iequals(text.substr(0, prefix.size()), prefix);
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower_char(c);
    return out;
}

std::optional<std::uint32_t> parse_number(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

std::optional<std::uint16_t> parse_vlan_id(std::string_view text) {
    auto value = parse_number(text);
    if (!value || *value < 1 || *value > 4094) return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

std::string redact(std::string_view content) {
    std::vector<std::string_view> words = split_words(content);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!secret_word(words[i])) continue;
        std::size_t end = static_cast<std::size_t>(words[i].data() - content.data()) + words[i].size();
        std::string shown(content.substr(0, end));
        if (i + 1 < words.size()) shown += " ...";
        return shown;
    }
    return std::string(content);
}

VlanSet VlanSet::all() {
    VlanSet set;
    set.add_range(1, 4094);
    return set;
}

void VlanSet::add_range(std::uint16_t from, std::uint16_t to) {
    // A word at a time: trunks allow all 4094 VLANs, and every reader starts
    // from such a default.
    std::uint32_t last = std::min<std::uint32_t>(to, k_bits - 1);
    for (std::uint32_t id = from; id <= last;) {
        std::uint32_t bit = id % 64;
        std::uint32_t count = std::min<std::uint32_t>(64 - bit, last - id + 1);
        std::uint64_t mask = count == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << count) - 1) << bit;
        words_[id / 64] |= mask;
        id += count;
    }
}

void VlanSet::add(const VlanSet& other) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] |= other.words_[i];
}

void VlanSet::remove(const VlanSet& other) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] &= ~other.words_[i];
}

bool VlanSet::empty() const {
    return std::all_of(words_.begin(), words_.end(), [](std::uint64_t word) { return word == 0; });
}

std::vector<std::uint16_t> VlanSet::ids() const {
    std::vector<std::uint16_t> list;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        for (std::uint64_t word = words_[i]; word != 0; word &= word - 1) {
            auto id = static_cast<std::uint16_t>(i * 64 + static_cast<std::size_t>(std::countr_zero(word)));
            if (id >= 1 && id <= 4094) list.push_back(id);
        }
    }
    return list;
}

std::optional<VlanSet> parse_dash_list(std::string_view text) {
    VlanSet set;
    text = trim(text);
    if (text.empty()) return std::nullopt;
    while (true) {
        std::size_t comma = text.find(',');
        std::string_view part = trim(text.substr(0, comma));
        std::size_t dash = part.find('-');
        if (dash == std::string_view::npos) {
            auto id = parse_vlan_id(part);
            if (!id) return std::nullopt;
            set.add(*id);
        } else {
            auto from = parse_vlan_id(trim(part.substr(0, dash)));
            auto to = parse_vlan_id(trim(part.substr(dash + 1)));
            if (!from || !to || *from > *to) return std::nullopt;
            set.add_range(*from, *to);
        }
        if (comma == std::string_view::npos) break;
        text = text.substr(comma + 1);
    }
    return set;
}

std::optional<VlanSet> parse_to_list(const std::vector<std::string_view>& words) {
    VlanSet set;
    if (words.empty()) return std::nullopt;
    for (std::size_t i = 0; i < words.size(); ++i) {
        auto from = parse_vlan_id(words[i]);
        if (!from) return std::nullopt;
        if (i + 2 < words.size() && iequals(words[i + 1], "to")) {
            auto to = parse_vlan_id(words[i + 2]);
            if (!to || *to < *from) return std::nullopt;
            set.add_range(*from, *to);
            i += 2;
        } else {
            set.add(*from);
        }
    }
    return set;
}

std::string_view port_family(std::string_view label, std::size_t& length) {
    length = prefix_length(label);
    return family_key(label.substr(0, length));
}

std::string port_key(std::string_view label) {
    std::size_t n = prefix_length(label);
    std::string_view key = family_key(label.substr(0, n));
    std::string_view rest = label.substr(n);
    // "lag 1" and "Port-channel 1" as some families write them.
    if (n > 0 && !rest.empty() && rest.front() == ' ') {
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        if (key.empty()) return lower(label.substr(0, n)) + lower(rest);
    }
    if (key.empty()) return lower(label);
    // "ethernet 1/1/1" as Ruckus writes it is the port its users call 1/1/1:
    // an Ethernet port's name is its number.
    if (key == "eth" && !rest.empty() && rest.front() >= '0' && rest.front() <= '9') return lower(trim(rest));
    return std::string(key) + lower(rest);
}

PortDraft& Collector::port(std::string_view label, PortKind kind) {
    if (last_port_ && label == last_label_) return *last_port_;
    std::string key = port_key(label);
    if (ports_.size() >= k_max_imported_ports && !port_index_.contains(key)) {
        ++ports_left_out_;
        scratch_ = PortDraft{};
        return scratch_;
    }
    auto [it, fresh] = port_index_.emplace(key, ports_.size());
    if (fresh) {
        // Made in place: a draft is large (its VLAN sets), and a stack has thousands.
        PortDraft& draft = ports_.emplace_back();
        draft.label = std::string(label);
        draft.kind = kind;
    }
    last_label_ = std::string(label);
    last_port_ = &ports_[it->second];
    return *last_port_;
}

bool Collector::has_port(std::string_view label) const {
    return port_index_.contains(port_key(label));
}

VlanSet& Collector::allowed(PortDraft& port) {
    if (!port.allowed_set) {
        port.allowed = trunk_default;
        port.allowed_set = true;
    }
    return port.allowed;
}

Collector::LagEntry& Collector::lag_entry(std::string_view name) {
    std::string key = port_key(name);
    if (lags_.size() >= k_max_imported_lags && !lag_index_.contains(key)) {
        // Past the limit every further LAG falls together in the last one.
        return lags_.back();
    }
    auto [it, fresh] = lag_index_.emplace(std::move(key), lags_.size());
    if (fresh) lags_.push_back(LagEntry{std::string(name), std::nullopt});
    return lags_[it->second];
}

PortDraft& Collector::lag(std::string_view name) {
    if (lags_.size() >= k_max_imported_lags && !lag_index_.contains(port_key(name))) {
        scratch_ = PortDraft{};
        return scratch_;
    }
    LagEntry& entry = lag_entry(name);
    if (!entry.config) {
        entry.config.emplace();
        entry.config->label = entry.name;
    }
    return *entry.config;
}

void Collector::name_lag(std::string_view name) {
    lag_entry(name);
}

void Collector::join_lag(PortDraft& port, std::string_view name) {
    port.lag_key = port_key(lag_entry(name).name);
}

void Collector::define_vlan(std::uint16_t id, std::string_view name) {
    auto [it, fresh] = vlan_index_.emplace(id, vlans_.size());
    if (fresh)
        vlans_.push_back(ImportedVlan{id, std::string(name)});
    else if (!name.empty())
        vlans_[it->second].name = std::string(name);
}

VlanSet Collector::defined_vlans() const {
    VlanSet set;
    for (const ImportedVlan& vlan : vlans_) set.add(vlan.id);
    return set;
}

VlanSet Collector::every_vlan() const {
    if (!all_is_defined || vlans_.empty()) return VlanSet::all();
    VlanSet set = defined_vlans();
    set.add(1);
    return set;
}

const std::string* Collector::vlan_name(std::uint16_t id) const {
    auto it = vlan_index_.find(id);
    return it == vlan_index_.end() ? nullptr : &vlans_[it->second].name;
}

void Collector::unread(const Line& line) {
    ++unread_count_;
    if (unread_.size() < k_max_unread_lines)
        unread_.push_back(UnreadLine{line.number, valid_utf8(redact(line.content))});
}

namespace {

struct PortVlansOf {
    std::optional<std::uint16_t> untagged;
    std::vector<std::uint16_t> tagged;
};

PortVlansOf resolve(const PortDraft& draft, Mode unset_mode, const VlanSet& trunk_default,
                    bool native_tagged_by_default) {
    PortVlansOf vlans;
    Mode mode = draft.mode;
    if (mode == Mode::Unset) mode = draft.l2 ? Mode::Access : unset_mode;
    switch (mode) {
    case Mode::Access:
    case Mode::Unset:
        vlans.untagged = draft.access.value_or(1);
        if (draft.voice && draft.voice != vlans.untagged) vlans.tagged.push_back(*draft.voice);
        break;
    case Mode::Trunk: {
        VlanSet carried = draft.allowed_set ? draft.allowed : trunk_default;
        std::uint16_t native = draft.native.value_or(1);
        // A native VLAN sent tagged is one more tagged VLAN of the trunk.
        if (!draft.native_tagged.value_or(native_tagged_by_default)) {
            if (carried.has(native)) vlans.untagged = native;
            carried.remove(native);
        }
        vlans.tagged = carried.ids();
        break;
    }
    case Mode::Direct: {
        VlanSet carried = draft.tagged;
        if (draft.pvid) {
            vlans.untagged = draft.pvid;
            carried.remove(*draft.pvid);
        }
        vlans.tagged = carried.ids();
        break;
    }
    case Mode::Routed:
    case Mode::None:
        break;
    }
    return vlans;
}

// Natural order of ProCurve port names: 1 < 2 < 10 < A1 < A2 < B1 < Trk1;
// stacked names (1/1, 2/A1) by member first.
bool natural_less(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        bool da = a[i] >= '0' && a[i] <= '9';
        bool db = b[j] >= '0' && b[j] <= '9';
        if (da && db) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && a[ei] >= '0' && a[ei] <= '9') ++ei;
            while (ej < b.size() && b[ej] >= '0' && b[ej] <= '9') ++ej;
            std::string_view na = std::string_view(a).substr(i, ei - i);
            std::string_view nb = std::string_view(b).substr(j, ej - j);
            while (na.size() > 1 && na.front() == '0') na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0') nb.remove_prefix(1);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
        } else if (da != db) {
            return da; // a plain number comes before a lettered module
        } else {
            char ca = lower_char(a[i]);
            char cb = lower_char(b[j]);
            if (ca != cb) return ca < cb;
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// A key whose plain order is the natural order above, made once per name
// so that sorting thousands of ports compares plain strings: a run of
// digits becomes \x01, its length without leading zeros, and those digits
// (so that runs compare by value and come before letters); the rest is
// lower case.
std::string natural_key(const std::string& label) {
    std::string key;
    key.reserve(label.size() + 4);
    for (std::size_t i = 0; i < label.size();) {
        if (label[i] >= '0' && label[i] <= '9') {
            std::size_t end = i;
            while (end < label.size() && label[end] >= '0' && label[end] <= '9') ++end;
            while (i + 1 < end && label[i] == '0') ++i;
            key += '\x01';
            key += static_cast<char>(std::min<std::size_t>(end - i, 255));
            key.append(label, i, end - i);
            i = end;
        } else {
            key += lower_char(label[i++]);
        }
    }
    return key;
}

} // namespace

// Configuration text comes in any encoding; the map holds UTF-8, so every
// text taken from it has each byte that is not part of a well-formed
// character replaced, as the map writer would write it.
ImportResult Collector::finish() {
    ImportResult result;
    result.dialect = dialect_;
    result.host_name = valid_utf8(host_);
    result.unread = std::move(unread_);
    std::stable_sort(result.unread.begin(), result.unread.end(),
                     [](const UnreadLine& a, const UnreadLine& b) { return a.number < b.number; });
    result.unread_count = unread_count_;
    result.ports_left_out = ports_left_out_;

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < ports_.size(); ++i)
        if (!ports_[i].management) order.push_back(i);
    auto less = [&](std::size_t a, std::size_t b) { return natural_less(ports_[a].label, ports_[b].label); };
    // Most texts name their ports in order already.
    if (sort_ports && !std::is_sorted(order.begin(), order.end(), less)) {
        std::vector<std::pair<std::string, std::size_t>> keyed;
        keyed.reserve(order.size());
        for (std::size_t i : order) keyed.emplace_back(natural_key(ports_[i].label), i);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;
    }

    std::vector<std::vector<std::string>> members(lags_.size());
    bool uses_vlan_1 = false;
    for (std::size_t i : order) {
        const PortDraft& draft = ports_[i];
        const PortDraft* source = &draft;
        if (!draft.lag_key.empty()) {
            std::size_t lag = lag_index_.at(draft.lag_key);
            members[lag].push_back(valid_utf8(draft.label));
            // A member carries its LAG's VLANs, as the LAG interface states them.
            if (lags_[lag].config) source = &*lags_[lag].config;
        }
        PortVlansOf vlans = resolve(*source, unset_mode, trunk_default, native_tagged_by_default);
        ImportedPort port;
        port.label = valid_utf8(draft.label);
        port.kind = draft.kind;
        port.untagged = vlans.untagged;
        port.tagged = std::move(vlans.tagged);
        port.description = valid_utf8(draft.description);
        port.disabled = draft.shutdown.value_or(disabled_by_default);
        if (port.untagged == 1 || (!port.tagged.empty() && port.tagged.front() == 1)) uses_vlan_1 = true;
        result.ports.push_back(std::move(port));
    }
    for (std::size_t l = 0; l < lags_.size(); ++l)
        if (!members[l].empty())
            result.lags.push_back(ImportedLag{valid_utf8(lags_[l].name), std::move(members[l])});

    // The platform's default VLAN exists whether the text lists it or not.
    if (uses_vlan_1 && !vlan_index_.contains(1)) define_vlan(1, default_vlan_name);
    for (ImportedVlan& vlan : vlans_) vlan.name = valid_utf8(vlan.name);
    for (ImportedVlan& vlan : vlans_)
        if (vlan.name.empty())
            vlan.name =
                vlan.id == 1 ? default_vlan_name : default_name(vlan_name_prefix, vlan_name_digits, vlan.id);
    result.vlans = std::move(vlans_);
    std::sort(result.vlans.begin(), result.vlans.end(),
              [](const ImportedVlan& a, const ImportedVlan& b) { return a.id < b.id; });
    return result;
}

} // namespace quarn::import_detail

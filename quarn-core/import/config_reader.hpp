#pragma once

// What the dialect readers share: the text cut into lines and words,
// VLAN sets, and the collector that turns what a reader found into the
// result by the rules every dialect follows.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "import/config_import.hpp"

namespace quarn::import_detail {

struct Line {
    std::size_t number = 0;   // from 1
    std::size_t indent = 0;   // leading blanks and tabs
    std::string_view content; // without the indentation, the line end and trailing blanks
};

// The lines of a text one by one, so that a huge text is never held twice:
// split at LF; a CR before it (CRLF text) and a byte-order mark are
// dropped; blank lines are left out.
class Lines {
  public:
    explicit Lines(std::string_view text);
    bool next(Line& line);

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

std::vector<Line> split_lines(std::string_view text);

// Words separated by blanks; with `quotes`, "a b" is one word (without the
// quotes).
std::vector<std::string_view> split_words(std::string_view text, bool quotes = false);

// The rest of `content` after its first `count` words, trimmed.
std::string_view after_words(std::string_view content, std::size_t count);

bool iequals(std::string_view a, std::string_view b);
// Whether `word` is one of `words`, compared without case (the readers' lists of
// settings that change nothing on the map).
bool iequals_any(std::span<const std::string_view> words, std::string_view word);

inline bool digit(char c) {
    return c >= '0' && c <= '9';
}
bool istarts_with(std::string_view text, std::string_view prefix);
std::string lower(std::string_view text);
std::optional<std::uint32_t> parse_number(std::string_view text);
// A VLAN ID from 1 to 4094.
std::optional<std::uint16_t> parse_vlan_id(std::string_view text);

// The line as it may be shown: from the first word that introduces a secret
// (password, secret, key, community and their kin) on, the words become "...".
std::string redact(std::string_view content);

// A set of VLAN IDs as 4096 bits in 64-bit words, so that the 4094 VLANs
// of a trunk without a list are listed a word at a time.
class VlanSet {
  public:
    static VlanSet all();
    void add(std::uint16_t id) {
        if (id < k_bits) words_[id / 64] |= std::uint64_t{1} << (id % 64);
    }
    void add_range(std::uint16_t from, std::uint16_t to);
    void add(const VlanSet& other);
    void remove(std::uint16_t id) {
        if (id < k_bits) words_[id / 64] &= ~(std::uint64_t{1} << (id % 64));
    }
    void remove(const VlanSet& other);
    void clear() { words_.fill(0); }
    [[nodiscard]] bool has(std::uint16_t id) const {
        return id < k_bits && (words_[id / 64] >> (id % 64) & 1) != 0;
    }
    [[nodiscard]] bool empty() const;
    [[nodiscard]] std::vector<std::uint16_t> ids() const;

    bool operator==(const VlanSet&) const = default;

  private:
    static constexpr std::size_t k_bits = 4096;
    std::array<std::uint64_t, k_bits / 64> words_{};
};

// "2-4,7" (Cisco, RouterOS), also with blanks around the parts.
std::optional<VlanSet> parse_dash_list(std::string_view text);
// Words of "10 to 11 13" (Comware).
std::optional<VlanSet> parse_to_list(const std::vector<std::string_view>& words);

// How a port decides its VLANs.
enum class Mode : std::uint8_t {
    Unset,  // as the dialect's default says (Collector::unset_mode)
    Access, // `access`, or the default VLAN, plus the voice VLAN
    Trunk,  // `native` untagged when `allowed` holds it; the rest of `allowed` tagged
    Direct, // `pvid` untagged and `tagged` tagged, as written (ProCurve, hybrid ports)
    Routed, // no VLANs
    None,   // not switching: no VLANs
};

struct PortDraft {
    std::string label;
    PortKind kind = PortKind::Rj45;
    std::string description;
    std::optional<bool> shutdown;
    Mode mode = Mode::Unset;
    std::optional<std::uint16_t> access;
    std::optional<std::uint16_t> native;
    std::optional<std::uint16_t> voice;
    VlanSet allowed;          // meaningful once allowed_set
    bool allowed_set = false; // else the platform's trunk default
    std::optional<std::uint16_t> pvid;
    VlanSet tagged;
    VlanSet untagged; // hybrid and general ports: the VLANs sent untagged
    // The untagged list was started with the default VLAN in it, as a
    // hybrid or general port starts.
    bool lists_started = false;
    // The trunk sends its native VLAN tagged too; nothing: as the platform says.
    std::optional<bool> native_tagged;
    std::string lag_key; // canonical key of the LAG the port belongs to
    bool management = false;
    bool l2 = false; // stated as a switch port (NX-OS `switchport`)
};

// The canonical key of an interface name, the same for its long and short
// forms and in any case: the letters before the number mapped to one
// spelling, then the rest in lower case.
std::string port_key(std::string_view label);

// The family key of a name's letters ("gi" for GigabitEthernet, Gi and GE;
// empty when the letters are no known family) and how many leading
// characters they take.
std::string_view port_family(std::string_view label, std::size_t& prefix_length);

class Collector {
  public:
    explicit Collector(Dialect dialect) : dialect_(dialect) {}

    // The port with that label, made on first mention (in mention order).
    PortDraft& port(std::string_view label, PortKind kind);
    // The LAG interface itself, whose VLANs its members take.
    PortDraft& lag(std::string_view name);
    // Makes `port` a member of the LAG named `name`.
    void join_lag(PortDraft& port, std::string_view name);
    // Names the LAG without configuring it (ProCurve members).
    void name_lag(std::string_view name);
    [[nodiscard]] bool has_port(std::string_view label) const;
    // A port's allowed list, starting from the platform's trunk default
    // before the first line changes it.
    VlanSet& allowed(PortDraft& port);

    void define_vlan(std::uint16_t id, std::string_view name);
    // The name of a VLAN defined so far, or nothing.
    [[nodiscard]] const std::string* vlan_name(std::uint16_t id) const;

    void unread(const Line& line);
    void set_host(std::string_view name) { host_ = std::string(name); }

    // Defaults of the platform.
    Mode unset_mode = Mode::Access;
    VlanSet trunk_default = VlanSet::all();
    bool disabled_by_default = false;
    bool native_tagged_by_default = false;
    bool all_is_defined = false;
    std::string default_vlan_name = "default";
    // VLAN names a VLAN without a name gets: "VLAN{:04}" style prefixes.
    std::string vlan_name_prefix = "VLAN";
    int vlan_name_digits = 4;
    // ProCurve keeps its ports in number order, not in mention order.
    bool sort_ports = false;

    // The IDs of the VLANs defined so far.
    [[nodiscard]] VlanSet defined_vlans() const;
    // What a trunk's `all` stands for: every VLAN there is; on platforms
    // that carry only the VLANs made on the switch (`all_is_defined`), those
    // the text has defined so far with VLAN 1, when it has defined any.
    [[nodiscard]] VlanSet every_vlan() const;

    // Every port and every configured LAG interface, for readers that settle
    // defaults once the whole text is read.
    template <class F>
    void each_draft(F f) {
        for (PortDraft& port : ports_) f(port);
        for (LagEntry& lag : lags_)
            if (lag.config) f(*lag.config);
    }

    // Applies the rules every dialect shares and gives the result.
    ImportResult finish();

  private:
    struct LagEntry {
        std::string name;
        std::optional<PortDraft> config;
    };
    LagEntry& lag_entry(std::string_view name);

    Dialect dialect_;
    std::string host_;
    // Deques, so that a reader may keep a reference to a port while others
    // are added.
    std::deque<PortDraft> ports_;
    std::unordered_map<std::string, std::size_t> port_index_;
    // Readers name the same port many times in a row (Junos statements,
    // ProCurve blocks): the last one found is kept at hand.
    std::string last_label_;
    PortDraft* last_port_ = nullptr;
    std::deque<LagEntry> lags_;
    std::unordered_map<std::string, std::size_t> lag_index_;
    std::vector<ImportedVlan> vlans_;
    std::unordered_map<std::uint16_t, std::size_t> vlan_index_;
    std::vector<UnreadLine> unread_;
    std::size_t unread_count_ = 0;
    // Takes what is said about ports and LAGs past the limits.
    PortDraft scratch_;
    std::size_t ports_left_out_ = 0;
};

// --- What the IOS-like families share (ios_like.cpp) ---

// A line that made a hybrid or general port send VLANs untagged: reported
// when the map, which knows one untagged VLAN a port, cannot show them.
struct UntaggedLine {
    PortDraft* port = nullptr;
    Line line;
    VlanSet vlans;
};

// Starts a port's untagged list as the platform starts it: in the default VLAN.
void start_lists(PortDraft& port);

// Ports of mode Direct that list the VLANs they send untagged: the PVID (1
// unless set) is the untagged VLAN when the port sends it untagged, and
// nothing otherwise; the lines that made the port send others untagged too
// are reported.
void settle_untagged_lists(Collector& out, const std::vector<UntaggedLine>& lines);

// The text without the quotes around it: "Desk 1", 'Desk 1'.
std::string_view unquoted(std::string_view text);

// Interface names and ranges in the families' notations, separated by
// commas: Gi1/0/1-24, Gi1/0/1-Gi1/0/24, 1/1/1-1/1/4, port1.0.1-1.0.4,
// 0/1-0/8, g(1-24), 1/e(1-3,5). Nothing when a part is no name or a range runs backwards or
// names more than a thousand ports.
std::optional<std::vector<std::string>> expand_names(std::string_view text);

// How a family writes the lines it shares with Cisco IOS.
struct SwitchportStyle {
    // `switchport mode general` and the general lines (Cisco SB, Dell OS6).
    bool general = false;
    // Descriptions in quotes, which are not part of them.
    bool quoted_description = false;
};

// Reads the interface lines IOS-like families write alike: description,
// shutdown, `no switchport`, `switchport` and its mode, access, voice,
// trunk native, trunk allowed and general lines. True when the line was
// one of them (a value that is no VLAN is reported); general lines that add
// untagged VLANs are noted in `untagged_lines`.
bool read_switchport(const Line& line, const std::vector<std::string_view>& w, PortDraft& port,
                     Collector& out, const SwitchportStyle& style, std::vector<UntaggedLine>& untagged_lines);

// Whether a line of an IOS-like text continues the block opened at
// `block_indent`: in indented text a line indented deeper, in text without
// indentation (typed, or as FASTPATH families write it) every line until
// `exit` or `!`.
bool continues_block(const Line& line, std::size_t block_indent, bool indented_text);
// Whether any line of the text is indented.
bool indented(std::string_view text);

// The dialect readers.
void read_cisco(std::string_view text, Collector& out, bool nxos);
void read_aruba(std::string_view text, Collector& out);
void read_comware(std::string_view text, Collector& out);
void read_junos(std::string_view text, Collector& out);
void read_aruba_cx(std::string_view text, Collector& out);
void read_dell_os10(std::string_view text, Collector& out);
void read_dell_os6(std::string_view text, Collector& out);
void read_cisco_sb(std::string_view text, Collector& out);
void read_alliedware(std::string_view text, Collector& out);
void read_edgeswitch(std::string_view text, Collector& out);
void read_fastiron(std::string_view text, Collector& out);
void read_vrp(std::string_view text, Collector& out);
void read_routeros(std::string_view text, Collector& out);
void read_exos(std::string_view text, Collector& out);

} // namespace quarn::import_detail

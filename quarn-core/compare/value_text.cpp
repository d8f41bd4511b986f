#include "compare/value_text.hpp"

#include <algorithm>
#include <charconv>

#include "common/utf8.hpp"
#include "model/json_text.hpp"

namespace quarn {

std::string vlan_list_text(const std::vector<std::uint16_t>& ids) {
    if (ids.empty()) return "none";
    std::string text;
    std::size_t i = 0;
    while (i < ids.size()) {
        std::size_t end = i + 1;
        while (end < ids.size() && ids[end] == ids[end - 1] + 1) ++end;
        if (!text.empty()) text += ',';
        if (end - i >= 3) {
            text += std::to_string(ids[i]) + "-" + std::to_string(ids[end - 1]);
        } else {
            end = i + 1;
            text += std::to_string(ids[i]);
        }
        i = end;
    }
    return text;
}

std::string vlan_set_text(std::vector<std::uint16_t> ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return vlan_list_text(ids);
}

namespace {

std::string_view kind_text(PortKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < k_port_kind_names.size() ? k_port_kind_names[index] : "?";
}

std::string float_text(float value) {
    char digits[32];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    if (error != std::errc()) return "?";
    return std::string(digits, end);
}

} // namespace

std::string layout_text(const std::vector<PortGroup>& groups) {
    if (groups.empty()) return "none";
    std::string text;
    for (const PortGroup& group : groups) {
        if (!text.empty()) text += " + ";
        text += kind_text(group.kind);
        text += ' ' + std::to_string(group.columns) + 'x' + std::to_string(group.rows);
        text += ' ';
        text += k_numbering_names[group.numbering == Numbering::OddTop ? 0 : 1];
        if (group.block != 0) text += " block " + std::to_string(group.block);
        if (group.gap_after != 0.0f) text += " gap " + float_text(group.gap_after);
    }
    return text;
}

std::string name_text(std::string_view name) {
    bool plain = true;
    for (std::size_t i = 0; i < name.size() && plain;) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7f) {
            plain = false;
        } else if (byte < 0x80) {
            ++i;
        } else {
            const Utf8Sequence sequence = utf8_sequence(name, i);
            plain = sequence.valid;
            i += sequence.length;
        }
    }
    if (plain) return std::string(name);
    std::string quoted;
    json_text::append_string(quoted, name);
    return quoted.substr(1, quoted.size() - 2);
}

std::string port_peer_text(const PortPeer& peer) {
    return name_text(peer.switch_name) + " port " + name_text(peer.port);
}

std::string lag_peer_text(const LagPeer& peer) {
    return name_text(peer.switch_name) + " LAG " + name_text(peer.lag);
}

std::string members_text(const std::vector<std::string>& members) {
    if (members.empty()) return "none";
    std::string text;
    for (const std::string& member : members) {
        if (!text.empty()) text += ',';
        text += name_text(member);
    }
    return text;
}

} // namespace quarn

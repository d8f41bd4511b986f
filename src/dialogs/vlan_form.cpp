#include "dialogs/vlan_form.hpp"

#include "dialogs/form_text.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn::dialogs {
namespace {

// The VLAN checks read the list only.
Map vlans_only(const Map& map) {
    Map copy;
    copy.vlans = map.vlans;
    return copy;
}

} // namespace

Vlan new_vlan(const Map& map) {
    return Vlan{propose_vlan_id(map), {}, propose_vlan_color(map)};
}

VlanCheck add_vlan_check(const Map& map) {
    return [vlans = vlans_only(map)](const Vlan& vlan) -> std::optional<std::string> {
        if (auto error = check_add_vlan(vlans, vlan)) return vlan_error_message(*error);
        return std::nullopt;
    };
}

VlanCheck edit_vlan_check(const Map& map, std::uint16_t old_id) {
    return [vlans = vlans_only(map), old_id](const Vlan& vlan) -> std::optional<std::string> {
        if (auto error = check_edit_vlan(vlans, old_id, vlan)) return vlan_error_message(*error);
        return std::nullopt;
    };
}

Result<Vlan> read_vlan_form(std::string_view id_text, std::string_view name_text, Rgb color) {
    auto id = parse_form_number(id_text);
    if (!id) return Result<Vlan>::failure(std::string(k_enter_vlan_id));
    return Vlan{*id, trim_space(name_text), color};
}

} // namespace quarn::dialogs

#include "app/field_events.hpp"

#include "app/canvas_scene.hpp"
#include "app/edit_road.hpp"
#include "app/field_text.hpp"
#include "app/port_commands.hpp"
#include "dialogs/message_box.hpp"
#include "ops/port_ops.hpp"

namespace quarn::app {
namespace {

const std::vector<PortRef>& selected(const AppState& state) {
    return state.canvas.selection().ports();
}

// The focus notifications of a field that changes the map as it is typed
// in; true when `code` is a change to apply.
bool typed_change(AppState& state, TextField field, int code, HWND control) {
    switch (code) {
    case EN_SETFOCUS:
        begin_field_visit(state, field);
        return false;
    case EN_KILLFOCUS:
        end_field_visit(state, field);
        return false;
    case EN_CHANGE:
        return !state.setting_texts && control != nullptr;
    default:
        return false;
    }
}

EditRule field_visit(TextField field) {
    return EditRule{.step = UndoStep::FieldVisit, .field = field, .selection = SelectionFollow::Keep};
}

} // namespace

void site_field_event(AppState& state, int code, HWND field) noexcept {
    try {
        if (!typed_change(state, TextField::Site, code, field)) return;
        std::string text = field_text(field);
        edit_map(state, field_visit(TextField::Site), [&](Map& map) { map.site = std::move(text); });
    } catch (...) {}
}

void description_field_event(AppState& state, int code, HWND field) noexcept {
    try {
        if (!typed_change(state, TextField::Description, code, field) || selected(state).empty()) return;
        std::string text = field_text(field);
        edit_map(state, field_visit(TextField::Description),
                 [&](Map& map) { set_port_description(map, selected(state), text); });
    } catch (...) {}
}

void label_field_event(AppState& state, int code, HWND field) noexcept {
    try {
        if (code == EN_SETFOCUS) {
            begin_field_visit(state, TextField::Label);
            return;
        }
        if (code != EN_KILLFOCUS) return;
        end_field_visit(state, TextField::Label);
        if (selected(state).size() != 1 || field == nullptr) return;
        std::string label = field_text(field);
        PortRef port = selected(state).front();
        std::optional<std::string> refusal;
        edit_map(state, EditRule{.selection = SelectionFollow::Keep}, [&](Map& map) {
            if (auto error = set_port_label(map, port, label)) refusal = port_label_error_message(*error);
        });
        // The road refreshed the field: it shows the label the port keeps.
        if (refusal) dialogs::show_warning(state.main, *refusal);
    } catch (...) {}
}

void disabled_clicked(AppState& state, HWND check) noexcept {
    if (check == nullptr || selected(state).empty()) return;
    bool disabled = ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
    edit_map(state, on_switches_of(selected(state)),
             [&](Map& map) { set_port_disabled(map, selected(state), disabled); });
}

void highlight_clicked(AppState& state, HWND check) noexcept {
    if (check == nullptr) return;
    state.highlight_vlan = ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
    redraw_scene(state);
}

void enter_in_field(AppState& state, HWND field) noexcept {
    const MainControls& controls = state.controls;
    if (field == nullptr) return;
    if (field == controls.range) {
        select_port_range(state);
    } else if (field == controls.label) {
        label_field_event(state, EN_KILLFOCUS, field);
        label_field_event(state, EN_SETFOCUS, field);
    } else if (field == controls.site) {
        site_field_event(state, EN_KILLFOCUS, field);
        site_field_event(state, EN_SETFOCUS, field);
    } else if (field == controls.description) {
        description_field_event(state, EN_KILLFOCUS, field);
        description_field_event(state, EN_SETFOCUS, field);
    }
}

} // namespace quarn::app

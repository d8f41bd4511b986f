#include "dialogs/vlan_dialog.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <uxtheme.h>

#include <cwchar>

#include <string>

#include "controls/common_message.hpp"
#include "dialogs/form_dialog.hpp"
#include "dialogs/form_fields.hpp"
#include "dialogs/message_box.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "theme/window_theme.hpp"
#include "win/color.hpp"
#include "win/unique.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, 0, L"VLAN &ID:", 14, 16, 80, 18, 0},
    {ControlKind::NumberEdit, k_vlan_id, L"", 100, 12, 70, 24, 4},
    {ControlKind::Label, 0, L"&Name:", 14, 48, 80, 18, 0},
    {ControlKind::TextEdit, k_vlan_name, L"", 100, 44, 210, 24, 60},
    {ControlKind::Label, 0, L"&Colour:", 14, 80, 80, 18, 0},
    {ControlKind::PushButton, k_vlan_color, L"", 100, 76, 70, 24, 0},
    {ControlKind::PushButton, IDOK, L"OK", 146, 116, 80, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 230, 116, 80, 26, 0},
};

constexpr int k_width = 340;
constexpr int k_height = 192;

struct ColorState {
    CustomColors custom{};
    ColorChooser chooser = nullptr;
};

ColorState& color_state() noexcept {
    thread_local ColorState state;
    return state;
}

BOOL CALLBACK darken_picker_child(HWND child, LPARAM) noexcept {
    wchar_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (::_wcsicmp(name, WC_EDITW) == 0)
        (void)::SetWindowTheme(child, L"DarkMode_Explorer", nullptr);
    else if (::_wcsicmp(name, WC_BUTTONW) == 0 &&
             (::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
        (void)::SetWindowTheme(child, L"DarkMode_Explorer", nullptr);
    return TRUE;
}

// The picker's hook. The shared hook of system dialogs paints static
// controls itself, and the picker draws its colour fields into static
// controls: they would come out blank. So this one darkens the title bar,
// the edits and the push buttons and answers the colour messages, and
// leaves the static controls to the picker. In light mode it does nothing.
UINT_PTR CALLBACK picker_hook(HWND picker, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    if (msg == WM_INITDIALOG) {
        if (theme::is_dark()) {
            theme::apply_dark_title_bar(picker, true);
            ::EnumChildWindows(picker, &darken_picker_child, 0);
        }
        return TRUE; // the picker sets its own focus
    }
    if (!theme::is_dark()) return 0;
    auto handled = controls::control_color_message(msg, wparam, lparam, controls::ReadOnlyEdits::AsLabels);
    return handled ? static_cast<UINT_PTR>(*handled) : 0;
}

class VlanDialog : public FormDialog<VlanDialog, Vlan> {
  public:
    VlanDialog(const Vlan& initial, const VlanCheck& check) noexcept
        : initial_(initial), color_(win::to_colorref(initial.color)), check_(check) {}

    std::optional<LRESULT> own_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        if (msg == WM_COMMAND && LOWORD(wparam) == k_vlan_color && HIWORD(wparam) == BN_CLICKED) {
            choose_color();
            return 0;
        }
        if (msg == WM_DRAWITEM && wparam == k_vlan_color) {
            draw_swatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        }
        return std::nullopt;
    }

    void show() {
        write_field(hwnd(), k_vlan_id, std::to_string(initial_.id));
        write_field(hwnd(), k_vlan_name, initial_.name);
    }

    bool accept() {
        auto vlan = read_vlan_form(read_field(hwnd(), k_vlan_id), read_field(hwnd(), k_vlan_name),
                                   win::to_rgb(color_));
        std::optional<std::string> problem;
        if (!vlan)
            problem = vlan.error();
        else if (check_)
            problem = check_(vlan.value());
        if (problem) {
            show_warning(hwnd(), *problem);
            focus_id();
            return false;
        }
        result_ = std::move(vlan).value();
        return true;
    }

  private:
    void focus_id() noexcept {
        HWND id = ::GetDlgItem(hwnd(), k_vlan_id);
        ::SetFocus(id);
        ::SendMessageW(id, EM_SETSEL, 0, -1);
    }

    // The whole button in the colour, outlined like the buttons; nothing
    // else, so that the colour is all one sees.
    void draw_swatch(const DRAWITEMSTRUCT& item) const noexcept {
        RECT rect = item.rcItem;
        win::UniqueBrush fill(::CreateSolidBrush(color_));
        if (fill) ::FillRect(item.hDC, &rect, fill.get());
        ::FrameRect(item.hDC, &rect, theme::theme_colors().border_brush);
    }

    void choose_color() noexcept {
        ColorState& state = color_state();
        COLORREF chosen = color_;
        CustomColors custom = state.custom;
        ColorChooser chooser = state.chooser != nullptr ? state.chooser : &choose_system_color;
        if (!chooser(hwnd(), chosen, custom)) return;
        color_ = chosen;
        state.custom = custom;
        ::InvalidateRect(::GetDlgItem(hwnd(), k_vlan_color), nullptr, FALSE);
    }

    const Vlan& initial_;
    COLORREF color_;
    const VlanCheck& check_;
};

} // namespace

ColorChooser set_color_chooser(ColorChooser chooser) noexcept {
    ColorChooser previous = color_state().chooser;
    color_state().chooser = chooser;
    return previous;
}

const CustomColors& custom_colors() noexcept {
    return color_state().custom;
}

bool choose_system_color(HWND owner, COLORREF& color, CustomColors& custom) noexcept {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = color;
    choose.lpCustColors = custom.data();
    choose.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ENABLEHOOK;
    choose.lpfnHook = &picker_hook;
    if (!::ChooseColorW(&choose)) return false;
    color = choose.rgbResult;
    return true;
}

std::optional<Vlan> run_vlan_dialog(HWND owner, const Vlan& initial, bool editing,
                                    const VlanCheck& check) noexcept {
    VlanDialog dialog(initial, check);
    return dialog.run(owner, {k_vlan_window_class, editing ? L"Edit VLAN" : L"Add VLAN", k_width, k_height,
                              k_controls, k_vlan_name});
}

} // namespace quarn::dialogs

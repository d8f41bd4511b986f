#include "app/menu_popup.hpp"

#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::app {

void fill_menu(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.separator()) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = win::widen(item.text);
        UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
        if (!item.submenu.empty()) {
            // Ours until the parent has taken it: a failed fill or append
            // must not leave it behind.
            win::UniqueMenu sub(::CreatePopupMenu());
            if (!sub) continue;
            fill_menu(sub.get(), item.submenu);
            if (::AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.get()), text.c_str()))
                (void)sub.release();
        } else {
            ::AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.id), text.c_str());
        }
    }
}

int track_menu(HWND owner, const std::vector<MenuItem>& items, POINT at) noexcept {
    try {
        win::UniqueMenu menu(::CreatePopupMenu());
        if (!menu) return 0;
        fill_menu(menu.get(), items);
        // The owner must be in the foreground, or the menu does not close when
        // the user clicks elsewhere.
        ::SetForegroundWindow(owner);
        int chosen = static_cast<int>(::TrackPopupMenuEx(
            menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, at.x, at.y, owner, nullptr));
        ::PostMessageW(owner, WM_NULL, 0, 0);
        return chosen;
    } catch (...) {
        return 0;
    }
}

} // namespace quarn::app

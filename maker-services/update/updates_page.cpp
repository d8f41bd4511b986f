#include "maker-services/update/updates_page.hpp"

#include "dialogs/shell_open.hpp"

namespace quarn::update {

std::wstring updates_page_url() {
    return L"https://www.brambleforge.com/updates/quarn/";
}

bool open_updates_page(HWND owner) noexcept {
    try {
        return dialogs::open_with_shell(owner, updates_page_url());
    } catch (...) {
        return false;
    }
}

} // namespace quarn::update

#include "maker-services/update/updates_page.hpp"

#include "dialogs/shell_open.hpp"
#include "identity/product.hpp"
#include "win/wide.hpp"

namespace quarn::update {

std::wstring updates_page_url() {
    return L"https://" + win::widen(identity::k_web_host) + L"/updates/" +
           win::widen(identity::k_product_id) + L"/";
}

bool open_updates_page(HWND owner) noexcept {
    try {
        return dialogs::open_with_shell(owner, updates_page_url());
    } catch (...) {
        return false;
    }
}

} // namespace quarn::update

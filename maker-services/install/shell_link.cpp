#include "maker-services/install/shell_link.hpp"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "identity/product.hpp"
#include "win/hresult.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::install {
namespace {

HRESULT save_link(const std::filesystem::path& target, const std::filesystem::path& link) {
    IShellLinkW* raw_link = nullptr;
    QUARN_RETURN_IF_FAILED(
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&raw_link)));
    win::UniqueCom<IShellLinkW> shell_link(raw_link);
    QUARN_RETURN_IF_FAILED(shell_link.get()->SetPath(target.c_str()));
    // Started from the Start menu, the program's own folder is as good a
    // working folder as any; the maps are opened by their full paths.
    QUARN_RETURN_IF_FAILED(shell_link.get()->SetWorkingDirectory(target.parent_path().c_str()));
    QUARN_RETURN_IF_FAILED(shell_link.get()->SetDescription(win::widen(identity::k_product_name).c_str()));

    IPersistFile* raw_file = nullptr;
    QUARN_RETURN_IF_FAILED(shell_link.get()->QueryInterface(IID_PPV_ARGS(&raw_file)));
    win::UniqueCom<IPersistFile> file(raw_file);
    return file.get()->Save(link.c_str(), TRUE);
}

#undef QUARN_RETURN_IF_FAILED

} // namespace

HRESULT create_shell_link(const std::filesystem::path& target, const std::filesystem::path& link) noexcept {
    try {
        return save_link(target, link);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace quarn::install

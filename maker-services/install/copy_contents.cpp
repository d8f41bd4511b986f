#include "maker-services/install/copy_contents.hpp"

#include "win/unique.hpp"

namespace quarn::install {

DWORD copy_contents(const std::filesystem::path& from, const std::filesystem::path& to) noexcept {
    win::UniqueFile source(::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source) return ::GetLastError();
    win::UniqueFile target(
        ::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target) return ::GetLastError();
    static constexpr DWORD k_chunk = 1 << 16;
    char buffer[k_chunk];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(source.get(), buffer, k_chunk, &got, nullptr)) return ::GetLastError();
        if (got == 0) break;
        DWORD written = 0;
        if (!::WriteFile(target.get(), buffer, got, &written, nullptr)) return ::GetLastError();
        if (written != got) return ERROR_WRITE_FAULT;
    }
    if (!::FlushFileBuffers(target.get())) return ::GetLastError();
    return 0;
}

} // namespace quarn::install
